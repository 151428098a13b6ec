#pragma once
// portdesk --report YYYY-MM OUT.xlsx [--workdir DIR]
//
// The month's report as a workbook, for the office's scripts; reads the
// month's archived declarations and writes only OUT, whole or not at all.
#include <QByteArray>
#include <QList>
#include <QString>

namespace portdesk {

bool wantsMonthReport(int argc, char **argv);

// 0 with the workbook written; otherwise 1 (a declaration that cannot be
// read, a workbook that cannot be written), or 2 for a wrong command line,
// with `error` set to one line.
int runMonthReportCommand(const QList<QByteArray> &args, const QString &programDir, QString *error);

} // namespace portdesk
