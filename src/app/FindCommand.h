#pragma once
// portdesk --find TEXT [--workdir DIR]
//
// The declarations whose searched fields hold TEXT, as the search window
// finds them, for scripts: their paths relative to the work directory,
// newest first. Brings this desk's index up to date first; writes nothing
// into the work directory.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace portdesk {

bool wantsFind(int argc, char **argv);

// 0 with `paths` set; 1 when nothing matches or the search failed, 2 for a
// wrong command line, with `error` set to one line.
int runFindCommand(const QList<QByteArray> &args, const QString &programDir,
                   const QString &cacheDir, QStringList *paths, QString *error);

} // namespace portdesk
