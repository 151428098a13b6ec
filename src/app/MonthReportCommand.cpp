#include "app/MonthReportCommand.h"

#include "app/CommandLine.h"
#include "model/MonthReport.h"
#include "store/FileErrors.h"
#include "store/XlsxWorkbook.h"

#include <QFile>

namespace portdesk {

namespace {

const CommandMode monthMode{"--report", 2, false,
                            "usage: portdesk --report YYYY-MM OUT.xlsx [--workdir DIR]"};

} // namespace

bool wantsMonthReport(int argc, char **argv)
{
    return wantsMode(argc, argv, monthMode.flag);
}

int runMonthReportCommand(const QList<QByteArray> &args, const QString &programDir, QString *error)
{
    CommandArguments a;
    if (!parseCommandLine(args, monthMode, a, error))
        return kCommandUsage;
    const QString monthText = QFile::decodeName(a.files[0]);
    const std::optional<QDate> month = readReportMonth(monthText);
    if (!month) {
        *error = QStringLiteral("not a month (YYYY-MM): ") + escapedControls(monthText);
        return kCommandUsage;
    }
    const QString workDir = commandWorkDir(a.workDir, programDir, error);
    if (workDir.isEmpty())
        return kCommandFailed;
    MonthReport report;
    if (!readMonthReport(workDir, *month, report, error))
        return kCommandFailed;
    if (!writeWorkbook(QFile::decodeName(a.files[1]), monthReportSheetName(),
                       monthReportSheet(report), error))
        return kCommandFailed;
    return 0;
}

} // namespace portdesk
