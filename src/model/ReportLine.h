#pragma once
// The office report's line for an archived declaration: 17 cells joined by
// tabs, pasted as one row of the office's spreadsheet. A pure function of the
// declaration, its archive particulars and its fees.
#include "model/Declaration.h"
#include "model/FeeRecord.h"

#include <QString>
#include <QStringList>

namespace portdesk {

struct ReportSources {
    Declaration declaration;
    QString number, date; // 报检号, 报检日期
    FeeAmounts fees;
};

// "20'×2：ABCU1234567丨40'×1：XYZU7654321": the report's container cell,
// without the sheet's "等" and "***".
QString reportContainerText(const Declaration &d);

// The goods value with its currency. One currency among the rows with a
// value: the column total and row 0's currency. Several: each currency's
// total, in the order the rows first name it, joined by "+"; a single sum
// over different currencies would be a wrong figure in the report.
QString valueCell(const Declaration &d);

// The line's 17 cells, in column order.
QStringList reportCells(const ReportSources &s);
inline constexpr int kReportColumns = 17;
inline constexpr int kReportValueColumn = 5, kReportFirstFeeColumn = 12;

QString reportLine(const ReportSources &s);

class ProfileBatch;
// The number, date and fees from a declaration's file; missing keys read
// empty (added to the batch, written only if the caller saves it).
void readReportParticulars(ProfileBatch &file, ReportSources &s);

} // namespace portdesk
