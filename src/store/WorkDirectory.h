#pragma once
// Finding the work directory at start-up from Portdesk.ini beside the program.
#include <QString>

namespace portdesk {

struct WorkDirChoice {
    QString workDir;    // the folder to use; empty when the program must end
    QString configured; // the path Portdesk.ini names (trailing separator dropped)
    bool unreachable = false;
};

QString portdeskIniPath(const QString &programDir);

// An absent Portdesk.ini, an empty WorkDir or a folder that does not exist
// all mean the program's own folder. A configured folder that cannot be
// reached at all (an offline share, a drive that is gone) is reported, so
// the clerk does not silently work on the wrong files.
// With `readOnly`, Portdesk.ini is only read, never completed.
WorkDirChoice resolveWorkDir(const QString &programDir, bool readOnly = false);

QString startupErrorText(const QString &configured);

// Drops one trailing backslash (or slash, other than the root itself).
QString withoutTrailingSeparator(const QString &path);

} // namespace portdesk
