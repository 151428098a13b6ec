#include "model/ListShelf.h"

#include "model/BrowserPosition.h"
#include "store/FolderListing.h"

#include <QDir>

namespace portdesk {

QStringList DiskListShelf::subfolders(const QString &folder) const
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

QStringList DiskListShelf::files(const QString &folder) const
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

namespace {

QStringList sorted(QStringList names)
{
    sortByName(names);
    return names;
}

} // namespace

QStringList listYears(const ListShelfReader &disk, const QString &root)
{
    return sorted(disk.subfolders(root));
}

QStringList listMonths(const ListShelfReader &disk, const QString &root, const QString &year)
{
    return sorted(disk.subfolders(root + u'/' + year));
}

QString listMonthPath(const QString &root, const QString &year, const QString &month)
{
    return root + u'/' + year + u'/' + month;
}

QString ListPosition::selectedName() const
{
    return hasSelection() ? files[selected] : QString();
}

QString ListPosition::selectedPath() const
{
    return hasSelection() ? folder + u'/' + files[selected] : QString();
}

QString ListPosition::line() const
{
    if (folder.isEmpty())
        return {};
    if (count() == 0)
        return QStringLiteral("无清单");
    if (!hasSelection())
        return {};
    return QStringLiteral("%1/%2").arg(selected + 1).arg(count());
}

void ListPosition::choose(const ListShelfReader &disk, const QString &monthFolder)
{
    folder = monthFolder;
    files = sorted(disk.files(folder));
    selected = files.isEmpty() ? -1 : 0;
}

void ListPosition::reread(const ListShelfReader &disk)
{
    const QString name = selectedName();
    const int at = selected;
    files = sorted(disk.files(folder));
    if (files.isEmpty() || at < 0) {
        selected = -1;
        return;
    }
    const int kept = int(files.indexOf(name));
    selected = kept >= 0 ? kept : std::min(at, count() - 1);
}

int ListPosition::previous() const
{
    return stepTarget(hasSelection() ? selected : -1, count(), -1);
}

int ListPosition::next() const
{
    return stepTarget(hasSelection() ? selected : -1, count(), +1);
}

void ListPosition::select(int index)
{
    selected = index >= 0 && index < count() ? index : -1;
}

} // namespace portdesk
