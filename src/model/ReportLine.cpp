#include "model/ReportLine.h"

#include "model/DeclarationFile.h"
#include "model/FormState.h"
#include "model/NumberFormat.h"
#include "store/SettingsStore.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace portdesk {

namespace {

bool byContainerShip(const Declaration &d)
{
    return d[DeclField::YunShuGongJu] == containerTransport();
}

QString containerPart(const char *size, const QString &count, const QString &numbers)
{
    return QLatin1String(size) + QStringLiteral("×") + count + QStringLiteral("：") + numbers;
}

} // namespace

QString reportContainerText(const Declaration &d)
{
    QStringList parts;
    if (!d[DeclField::JZXhm1].isEmpty())
        parts << containerPart("20'", d[DeclField::JZXsl1], d[DeclField::JZXhm1]);
    if (!d[DeclField::JZXhm2].isEmpty())
        parts << containerPart("40'", d[DeclField::JZXsl2], d[DeclField::JZXhm2]);
    return parts.join(QStringLiteral("丨"));
}

QString valueCell(const Declaration &d)
{
    std::vector<std::pair<QString, double>> byCurrency;
    for (int row = 0; row < goodsRowCount(); ++row) {
        const QString &value = d.at(DeclField::ZongZhi, row);
        if (value.trimmed().isEmpty())
            continue;
        const QString &currency = d.at(DeclField::BiZhi, row);
        auto it = std::find_if(byCurrency.begin(), byCurrency.end(),
                               [&](const auto &c) { return c.first == currency; });
        if (it == byCurrency.end())
            byCurrency.emplace_back(currency, readNumber(value));
        else
            it->second += readNumber(value);
    }
    if (byCurrency.size() <= 1)
        return loadedState(d).totals[2] + d.at(DeclField::BiZhi, 0);
    QStringList totals;
    for (const auto &[currency, sum] : byCurrency) {
        const QString total = formatTotal(sum);
        totals << (total.isEmpty() ? QStringLiteral("0") : total) + currency;
    }
    return totals.join(u'+');
}

QStringList reportCells(const ReportSources &s)
{
    const Declaration &d = s.declaration;
    const bool containerShip = byContainerShip(d);
    return {
        s.number,
        s.date,
        d[DeclField::ShouHuoRen],
        d.at(DeclField::MingCheng, 0),
        d.at(DeclField::YuanChanGuo, 0),
        valueCell(d),
        d.at(DeclField::BZshuliang, 0) + d.at(DeclField::BZzhonglei, 0) +
            d.at(DeclField::BZshuliang, 1) + d.at(DeclField::BZzhonglei, 1),
        containerShip ? QStringLiteral("海集") : d[DeclField::YunShuGongJu],
        d[DeclField::HeTongHao],
        d[DeclField::MaoYiFangShi],
        d[DeclField::QiYunGuoJia],
        containerShip ? reportContainerText(d) : d[DeclField::TiYunDanHao],
        s.fees[0],
        s.fees[1],
        s.fees[2],
        s.fees[3],
        d.at(DeclField::ZongZhi, 0).isEmpty() ? QStringLiteral("一般报检") : QStringLiteral("法检"),
    };
}

QString reportLine(const ReportSources &s)
{
    return reportCells(s).join(u'\t');
}

void readReportParticulars(ProfileBatch &file, ReportSources &s)
{
    s.number = file.ReadKey(infoSection(), QStringLiteral("报检号"), QString());
    s.date = file.ReadKey(infoSection(), QStringLiteral("报检日期"), QString());
    s.fees = readFees(file);
}

} // namespace portdesk
