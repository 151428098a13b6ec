#include "model/ListCopy.h"

#include "model/ListRules.h"

#include <QStringList>
#include <functional>

namespace portdesk {

namespace {

QString joinedLines(const ListRecord &list, const std::function<QStringList(int)> &cells)
{
    QStringList lines;
    for (int r = 0; r < list.filledRows(); ++r)
        lines.append(cells(r).join(u'\t'));
    return lines.join(u'\n');
}

} // namespace

QString copyAllText(const ListRecord &list)
{
    return joinedLines(list, [&](int r) {
        const auto at = [&](ListField f) { return list.at(r, f); };
        const QString pieces = at(ListField::JianShu);
        QStringList cells{at(ListField::BianHao), at(ListField::HuoZhu), at(ListField::PinMing)};
        for (const QString &kind : listPackings())
            cells.append(at(ListField::BaoZhuang) == kind ? pieces : QString());
        cells << pieces << at(ListField::ZhongLiang) << at(ListField::TiDanHao)
              << at(ListField::QiYunGuo) << at(ListField::YunShuFangShi);
        return cells;
    });
}

QString copyPartText(const ListRecord &list)
{
    return joinedLines(list, [&](int r) {
        QStringList cells;
        for (ListField f : {ListField::BianHao, ListField::HuoZhu, ListField::PinMing,
                            ListField::TiDanHao, ListField::QiYunGuo, ListField::YunShuFangShi})
            cells.append(list.at(r, f));
        return cells;
    });
}

} // namespace portdesk
