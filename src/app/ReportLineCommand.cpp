#include "app/ReportLineCommand.h"

#include "app/CommandLine.h"
#include "model/ReportLine.h"
#include "model/SheetFiles.h"
#include "store/FileErrors.h"

#include <QFile>

namespace portdesk {

namespace {

const CommandMode reportMode{"--report-line", 1, false,
                             "usage: portdesk --report-line DECLARATION.dcl [--workdir DIR]"};

} // namespace

bool wantsReportLine(int argc, char **argv)
{
    return wantsMode(argc, argv, reportMode.flag);
}

int runReportLineCommand(const QList<QByteArray> &args, const QString &programDir, QString *line,
                         QString *error)
{
    CommandArguments a;
    if (!parseCommandLine(args, reportMode, a, error))
        return kCommandUsage;
    // The work directory must be reachable, as for the same command on the
    // main window; the line itself reads only the declaration.
    if (commandWorkDir(a.workDir, programDir, error).isEmpty())
        return kCommandFailed;
    const QString shown = QFile::decodeName(a.files[0]);
    ReportSources s;
    const ReadablePath in(a.files[0]);
    if (!readDeclarationContent(in.path(), shown, s.declaration, error,
                                [&](ProfileBatch &file) { readReportParticulars(file, s); }))
        return kCommandFailed;
    if (s.number.isEmpty()) {
        *error = QStringLiteral("not archived (no 报检号): ") + escapedControls(shown);
        return kCommandFailed;
    }
    *line = reportLine(s);
    return 0;
}

} // namespace portdesk
