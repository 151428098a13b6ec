#pragma once
// The month's report (月报表): every archived declaration of a month as its
// report line, in order of declaration date, then number; as one clipboard
// text and as the rows of a workbook whose fees are summed in a last row.
#include "model/ReportLine.h"
#include "store/XlsxWorkbook.h"

#include <QDate>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace portdesk {

struct MonthReport {
    std::vector<QStringList> rows; // each declaration's cells, in report order
    std::array<double, kFeeCount> feeSums{};
};

// "2014-03", "2014-3", "2014/3", "201403" or "2014年3月": the month's first
// day; nullopt for anything else.
std::optional<QDate> readReportMonth(const QString &text);

// The declarations' lines in report order. A fee that does not read as a
// number is shown as typed and left out of its sum.
MonthReport buildMonthReport(const std::vector<ReportSources> &sources);

// Every *.dcl of the month's archive folder, each read once, writing nothing.
// False, with `error` naming the file, when one cannot be read: a report
// short of a declaration would look whole.
bool readMonthReport(const QString &workDir, const QDate &month, MonthReport &out, QString *error);

// The lines joined by line breaks, pasted as one block of rows.
QString monthReportText(const MonthReport &report);

// The workbook's rows: the column names, the declarations with the value,
// when of one currency, and the fees as numbers, then the fees' sums.
std::vector<WorkbookRow> monthReportSheet(const MonthReport &report);

QString monthReportSheetName(); // 月报表

} // namespace portdesk
