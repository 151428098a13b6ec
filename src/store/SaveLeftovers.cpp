#include "store/SaveLeftovers.h"

#include "store/FolderListing.h"

#include "store/OwnTempFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace portdesk {

namespace {

const QString kLockSuffix = QStringLiteral(".lock");

// QLockFile writes the holder's pid, the program's name and the host, one a
// line; the name is the proof, a foreign lock file stays.
bool isOurLock(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = f.read(4096).split('\n');
    if (lines.size() < 3)
        return false;
    bool pid = false;
    lines.at(0).toLongLong(&pid);
    return pid && QString::fromUtf8(lines.at(1)) == QCoreApplication::applicationName();
}

} // namespace

bool isOwnLeftover(const QString &folder, const QString &name)
{
    if (isOwnTempName(name))
        return true;
    return name.size() > kLockSuffix.size() && name.endsWith(kLockSuffix) &&
           isOurLock(folder + QLatin1Char('/') + name);
}

int sweepLeftovers(const QString &folder, std::chrono::seconds age)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    dir.setNameFilters({QStringLiteral("*.portdesk-*.tmp"), QStringLiteral("*") + kLockSuffix});
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    int removed = 0;
    for (const QFileInfo &f : dir.entryInfoList()) {
        if (f.lastModified().toUTC() < oldest && isOwnLeftover(folder, f.fileName()) &&
            QFile::remove(f.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

int sweepWorkDirectory(const QString &workDir, std::chrono::seconds age)
{
    QStringList folders;
    for (const char *folder : {"Config", "Saved", "Saved/Printed", "Saved/QingDan"})
        folders << workDir + u'/' + QLatin1String(folder);
    // Archived declarations and lists lie in year and month folders.
    for (const char *byMonth : {"Saved/Archived", "Saved/QingDan"}) {
        const QString base = workDir + u'/' + QLatin1String(byMonth);
        for (const QString &year : listSubfolders(base)) {
            for (const QString &month : listSubfolders(base + u'/' + year))
                folders << base + u'/' + year + u'/' + month;
        }
    }
    int removed = 0;
    for (const QString &folder : std::as_const(folders))
        removed += sweepLeftovers(folder, age);
    return removed;
}

} // namespace portdesk
