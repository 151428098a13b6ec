#include "model/BrowserPosition.h"

namespace portdesk {

QString browserFolder(const BrowserDirs &dirs, DocFolder option, const QString &year,
                      const QString &month)
{
    switch (option) {
    case DocFolder::Saved:
        return dirs.saved;
    case DocFolder::Printed:
        return dirs.printed;
    case DocFolder::Archived:
        break;
    }
    if (year.isEmpty())
        return dirs.archived;
    const QString yearDir = dirs.archived + '/' + year;
    return month.isEmpty() ? yearDir : yearDir + '/' + month;
}

int stepTarget(int selected, int count, int direction)
{
    if (count <= 0)
        return -1;
    if (direction < 0)
        return selected <= 0 ? count - 1 : selected - 1;
    return selected >= count - 1 ? 0 : selected + 1;
}

QString BrowserPosition::fileName(int index) const
{
    return files.value(index);
}

QString BrowserPosition::pathOf(int index) const
{
    return folder + '/' + fileName(index);
}

int BrowserPosition::indexOf(const QString &name) const
{
    return int(files.indexOf(name));
}

QString BrowserPosition::countLine() const
{
    return hasSelection() ? selectedCountLine(selected, count()) : totalCountLine(count());
}

void BrowserPosition::prepare(const BrowserDirs &dirs, const FolderReader &disk, const QDate &today)
{
    years = disk.subfolders(dirs.archived);
    chooseOption(DocFolder::Printed, dirs, disk, today);
}

void BrowserPosition::chooseOption(DocFolder chosen, const BrowserDirs &dirs,
                                   const FolderReader &disk, const QDate &today)
{
    option = chosen;
    month.clear();
    months.clear();
    if (chosen != DocFolder::Archived) {
        folder = browserFolder(dirs, chosen);
    } else {
        year = today.toString(QStringLiteral("yyyy"));
        month = today.toString(QStringLiteral("MM"));
        months = disk.subfolders(browserFolder(dirs, chosen, year));
        const QString monthDir = browserFolder(dirs, chosen, year, month);
        folder = disk.exists(monthDir) ? monthDir : browserFolder(dirs, chosen);
    }
    refresh(disk);
}

void BrowserPosition::pickYear(int index, const BrowserDirs &dirs, const FolderReader &disk)
{
    if (index < 0 || index >= years.size())
        return;
    year = years[index];
    month.clear();
    folder = browserFolder(dirs, DocFolder::Archived, year);
    months = disk.subfolders(folder);
    refresh(disk);
}

void BrowserPosition::pickMonth(int index, const BrowserDirs &dirs, const FolderReader &disk)
{
    if (index < 0 || index >= months.size())
        return;
    month = months[index];
    folder = browserFolder(dirs, DocFolder::Archived, year, month);
    refresh(disk);
}

void BrowserPosition::refresh(const FolderReader &disk)
{
    // The time before the names: a change during the read shows as a newer time.
    stamp = {disk.modified(folder), -1, false};
    files = disk.files(folder);
    selected = -1;
}

void BrowserPosition::reread(const FolderReader &disk)
{
    const QString current = fileName(selected);
    refresh(disk);
    if (!current.isEmpty())
        select(indexOf(current));
}

bool BrowserPosition::rereadIfChanged(const FolderReader &disk, qint64 nowMs)
{
    const QDateTime modified = disk.modified(folder);
    const bool same = modified.isValid() && modified == stamp.modified;
    if (same && stamp.trusted)
        return false;
    const qint64 since = same && stamp.seenSince >= 0 ? stamp.seenSince : nowMs;
    reread(disk);
    // A change in the same tick as the time read hides behind it; once that
    // time has stood a whole tick, a listing taken now holds every change
    // of that tick, and any later one brings a newer time.
    stamp = {modified, since, same && nowMs - since >= kFolderTickMs};
    return true;
}

void BrowserPosition::select(int index)
{
    selected = index >= 0 && index < count() ? index : -1;
}

} // namespace portdesk
