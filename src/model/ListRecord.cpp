#include "model/ListRecord.h"

namespace portdesk {

namespace {

struct Names {
    const char *control;
    const char *stem;
};

constexpr std::array<Names, kListFields> kNames{{
    {"BianHao", "场站单编号"},
    {"HuoZhu", "货主"},
    {"PinMing", "品名"},
    {"BaoZhuang", "包装"},
    {"JianShu", "件数"},
    {"ZhongLiang", "重量"},
    {"TiDanHao", "提运分单号"},
    {"QiYunGuo", "起运国"},
    {"YunShuFangShi", "运输方式"},
}};

} // namespace

const char *listFieldName(ListField field)
{
    return kNames[std::size_t(field)].control;
}

QString listKeyStem(ListField field)
{
    return QString::fromUtf8(kNames[std::size_t(field)].stem);
}

QString listKey(ListField field, int row)
{
    return listKeyStem(field) + QString::number(row);
}

int ListRecord::filledRows() const
{
    int n = 0;
    while (n < kListRows && !at(n, ListField::YunShuFangShi).isEmpty())
        ++n;
    return n;
}

} // namespace portdesk
