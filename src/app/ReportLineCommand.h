#pragma once
// portdesk --report-line DECLARATION.dcl [--workdir DIR]
//
// The report line of an archived declaration on standard output, for the
// office's scripts; writes nothing into the work directory.
#include <QByteArray>
#include <QList>
#include <QString>

namespace portdesk {

bool wantsReportLine(int argc, char **argv);

// 0 with `line` set; otherwise 1 (no such declaration, not archived), or 2
// for a wrong command line, with `error` set to one line.
int runReportLineCommand(const QList<QByteArray> &args, const QString &programDir, QString *line,
                         QString *error);

} // namespace portdesk
