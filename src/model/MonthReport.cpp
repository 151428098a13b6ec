#include "model/MonthReport.h"

#include "model/ArchivePlan.h"
#include "model/NumberFormat.h"
#include "model/SheetFiles.h"
#include "store/FolderListing.h"

#include <QRegularExpression>
#include <algorithm>
#include <tuple>
#include <utility>

namespace portdesk {

namespace {

// A plain decimal as the fee window lets the clerk type it.
std::optional<double> plainNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    return readNumber(text);
}

// "8000欧元": a number followed by a currency without digits. Several
// currencies ("100美元+200欧元") stay text: no one number is their value.
WorkbookCell valueCellOf(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+\\.?\\d*)([^\\d.+]*)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return {text, std::nullopt, {}};
    return {text, readNumber(m.captured(1)), m.captured(2)};
}

QStringList columnNames()
{
    QStringList names = {
        QStringLiteral("报检号"),   QStringLiteral("报检日期"), QStringLiteral("收货人"),
        QStringLiteral("品名"),     QStringLiteral("原产国"),   QStringLiteral("货值"),
        QStringLiteral("包装"),     QStringLiteral("运输方式"), QStringLiteral("合同号"),
        QStringLiteral("贸易方式"), QStringLiteral("启运国家"), QStringLiteral("集装箱/提运单号")};
    for (int i = 0; i < kFeeCount; ++i)
        names << feeLabel(i);
    names << QStringLiteral("报检类别");
    Q_ASSERT(names.size() == kReportColumns);
    return names;
}

} // namespace

std::optional<QDate> readReportMonth(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{4})(?:[-/.]|年)?(\\d{1,2})月?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate first(m.captured(1).toInt(), m.captured(2).toInt(), 1);
    if (!first.isValid())
        return std::nullopt;
    return first;
}

MonthReport buildMonthReport(const std::vector<ReportSources> &sources)
{
    // A date the clerk typed unusually still sorts by its day; one that reads
    // as no date sorts after the dated ones, by its text. Each date is read
    // once, not once a comparison.
    using Key = std::tuple<bool, QDate, QString, QString>;
    std::vector<std::pair<Key, std::size_t>> order;
    order.reserve(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::optional<QDate> day = readDeclarationDate(sources[i].date);
        const QString undated = day ? QString() : sources[i].date;
        order.push_back({Key(!day, day.value_or(QDate()), undated, sources[i].number), i});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    MonthReport report;
    report.rows.reserve(sources.size());
    for (const auto &entry : order) {
        const ReportSources &s = sources[entry.second];
        report.rows.push_back(reportCells(s));
        for (int i = 0; i < kFeeCount; ++i) {
            if (const std::optional<double> fee = plainNumber(s.fees[std::size_t(i)]))
                report.feeSums[std::size_t(i)] += *fee;
        }
    }
    return report;
}

bool readMonthReport(const QString &workDir, const QDate &month, MonthReport &out, QString *error)
{
    const QString folder = archiveFolder(workDir, month);
    QStringList paths = listDeclarationFiles(folder);
    for (QString &name : paths)
        name.prepend(folder + u'/');
    std::vector<ReportSources> sources(std::size_t(paths.size()));
    const std::vector<DeclarationRead> read = readDeclarationContents(
        paths, [&](std::size_t i, ProfileBatch &file) { readReportParticulars(file, sources[i]); });
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (!read[i].ok) {
            *error = read[i].error;
            return false;
        }
        sources[i].declaration = read[i].content;
    }
    out = buildMonthReport(sources);
    return true;
}

QString monthReportText(const MonthReport &report)
{
    QStringList lines;
    lines.reserve(qsizetype(report.rows.size()));
    for (const QStringList &cells : report.rows)
        lines << cells.join(u'\t');
    return lines.join(u'\n');
}

std::vector<WorkbookRow> monthReportSheet(const MonthReport &report)
{
    std::vector<WorkbookRow> rows;
    rows.reserve(report.rows.size() + 2);
    WorkbookRow header;
    for (const QString &name : columnNames())
        header.push_back({name, std::nullopt, {}});
    rows.push_back(std::move(header));
    for (const QStringList &cells : report.rows) {
        WorkbookRow row;
        row.reserve(std::size_t(cells.size()));
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (c == kReportValueColumn)
                row.push_back(valueCellOf(cells[c]));
            else if (c >= kReportFirstFeeColumn && c < kReportFirstFeeColumn + kFeeCount)
                row.push_back({cells[c], plainNumber(cells[c]), {}});
            else
                row.push_back({cells[c], std::nullopt, {}});
        }
        rows.push_back(std::move(row));
    }
    WorkbookRow sums(static_cast<std::size_t>(kReportColumns));
    sums[0].text = QStringLiteral("合计");
    for (int i = 0; i < kFeeCount; ++i)
        sums[std::size_t(kReportFirstFeeColumn + i)].number = report.feeSums[std::size_t(i)];
    rows.push_back(std::move(sums));
    return rows;
}

QString monthReportSheetName()
{
    return QStringLiteral("月报表");
}

} // namespace portdesk
