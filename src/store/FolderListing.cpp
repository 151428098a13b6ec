#include "store/FolderListing.h"

#include <QDir>
#include <QDirIterator>
#include <algorithm>
#include <vector>

namespace portdesk {

void sortByName(QStringList &names)
{
    // Lower case first, then the exact name: names that differ only in case
    // keep one order from read to read.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (QString &name : names)
        keyed.emplace_back(name.toLower(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto &[key, name] : keyed)
        names.append(std::move(name));
}

QStringList listDeclarationFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    // Unsorted and without a name pattern: QDir's own sorting and wildcard
    // matching cost more than the directory read itself.
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (name.endsWith(QLatin1String(".dcl"), Qt::CaseInsensitive))
            names.append(std::move(name));
    }
    sortByName(names);
    return names;
}

QStringList listSubfolders(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QDateTime folderModified(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() ? info.lastModified() : QDateTime();
}

} // namespace portdesk
