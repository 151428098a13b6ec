#include "lists/ListCopyText.h"

#include "model/ListSchema.h"

#include <QStringList>

namespace portdesk {

namespace {

template <typename Cells> QString lines(const ListRecord &list, Cells cells)
{
    QStringList out;
    for (int row = 0; row < list.filledRows(); ++row)
        out << cells(row).join(QLatin1Char('\t'));
    return out.join(QLatin1Char('\n'));
}

} // namespace

QString listCopyAll(const ListRecord &list)
{
    // The columns of the packing kinds follow the order of the packing list.
    const QStringList &kinds = listSpec(ListField::BaoZhuang).items;
    return lines(list, [&list, &kinds](int row) {
        auto at = [&](ListField f) { return list.at(row, f); };
        QStringList cells{at(ListField::BianHao), at(ListField::HuoZhu), at(ListField::PinMing)};
        for (const QString &kind : kinds)
            cells << (at(ListField::BaoZhuang) == kind ? at(ListField::JianShu) : QString());
        cells << at(ListField::JianShu) << at(ListField::ZhongLiang) << at(ListField::TiDanHao)
              << at(ListField::QiYunGuo) << at(ListField::YunShuFangShi);
        return cells;
    });
}

QString listCopyPart(const ListRecord &list)
{
    return lines(list, [&list](int row) {
        auto at = [&](ListField f) { return list.at(row, f); };
        return QStringList{at(ListField::BianHao),  at(ListField::HuoZhu),
                           at(ListField::PinMing),  at(ListField::TiDanHao),
                           at(ListField::QiYunGuo), at(ListField::YunShuFangShi)};
    });
}

} // namespace portdesk
