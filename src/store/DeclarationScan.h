#pragma once
// Every declaration file below a work directory with what tells one version
// of it from another, found by one walk of its folders: the drafts in Saved,
// the printed in Saved/Printed and the archived in Saved/Archived/YYYY/MM.
#include <QString>
#include <QStringList>

#include <vector>

namespace portdesk {

struct ScannedFile {
    QString path; // relative to the work directory, '/' separators
    qint64 size = 0, modifiedNs = 0, inode = 0;
    bool operator==(const ScannedFile &) const = default;
};

// In no particular order. A folder that cannot be read is named in
// `unreadable` (relative), so that its files are not taken for deleted.
std::vector<ScannedFile> scanDeclarations(const QString &workDir, QStringList *unreadable);

// One file's look now; false when it is gone or no regular file.
bool scanOne(const QString &workDir, const QString &path, ScannedFile &out);

} // namespace portdesk
