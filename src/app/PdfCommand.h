#pragma once
// portdesk --pdf DECLARATION.dcl OUT.pdf [--workdir DIR] [--date YYYY-MM-DD]
//
// Renders a stored declaration's sheet as it would print, into a PDF,
// without a window, and writes nothing into the work directory.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace portdesk {

// True when the command line asks for a PDF (main decides this before it
// creates the application object).
bool wantsPdf(int argc, char **argv);

// Runs the command; `args` are the arguments after the program name, as the
// system gave them (file names need not be valid text). 0 on success;
// otherwise 1, or 2 for a wrong command line, with `error` set to one line
// for the clerk.
int runPdfCommand(const QList<QByteArray> &args, const QString &programDir, const QDate &today,
                  QString *error);
int runPdfCommand(const QStringList &args, const QString &programDir, const QDate &today,
                  QString *error);

} // namespace portdesk
