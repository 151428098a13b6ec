#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QStorageInfo>
#else
#include <cerrno>
#include <sys/stat.h>
#endif

namespace portdesk {

DirProbe probeDirectory(const QString &path)
{
    if (path.isEmpty())
        return DirProbe::Missing;
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (info.isDir())
        return DirProbe::Exists;
    // A folder missing on a drive or share that is there is merely missing;
    // when the drive or share root itself is gone, it cannot be reached.
    const QString root = QStorageInfo(info.absoluteFilePath()).rootPath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return DirProbe::Unreachable;
    return DirProbe::Missing;
#else
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return S_ISDIR(st.st_mode) ? DirProbe::Exists : DirProbe::Missing;
    if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG)
        return DirProbe::Missing;
    return DirProbe::Unreachable;
#endif
}

bool dirExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool ensureDir(const QString &path)
{
    if (dirExists(path))
        return true;
    QDir().mkdir(path);
    return dirExists(path);
}

QString desktopCacheDir()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           QStringLiteral("/Portdesk"));
}

} // namespace portdesk
