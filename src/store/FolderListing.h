#pragma once
// What the browser lists: names only, from one directory read, so that a
// month folder of thousands of declarations lists at once.
#include <QStringList>

namespace portdesk {

// The *.dcl files of a folder in name order; empty when the folder is missing.
QStringList listDeclarationFiles(const QString &folder);

// The subfolders of a folder (years, months) in name order.
QStringList listSubfolders(const QString &folder);

} // namespace portdesk
