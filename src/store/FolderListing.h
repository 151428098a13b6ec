#pragma once
// What the browser lists: names only, from one directory read, so that a
// month folder of thousands of declarations lists at once.
#include <QDateTime>
#include <QStringList>

namespace portdesk {

// The *.dcl files of a folder in name order; empty when the folder is missing.
QStringList listDeclarationFiles(const QString &folder);

// The subfolders of a folder (years, months) in name order.
QStringList listSubfolders(const QString &folder);

// Name order: letters compared without regard to case.
void sortByName(QStringList &names);

// When the folder's entries last changed; invalid when it is no folder.
QDateTime folderModified(const QString &folder);

} // namespace portdesk
