#include "store/NewFile.h"

#include "store/FileErrors.h"
#include "store/OwnTempFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace portdesk {

namespace {

// Puts the whole copy at `to` unless something is there already: link()
// never replaces; where the share cannot link, renameat2 with NOREPLACE.
int placeWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::link(from.constData(), to.constData()) == 0)
        return 0;
    const int err = errno;
    if (err != EPERM && err != ENOSYS && err != EOPNOTSUPP && err != EMLINK)
        return err;
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

} // namespace

QString numberedFileName(const QString &fileName, int n)
{
    if (n <= 1)
        return fileName;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype at = dot > 0 ? dot : fileName.size();
    return fileName.left(at) + QStringLiteral("(%1)").arg(n) + fileName.mid(at);
}

namespace {

// Tries `path`, then its numbered names up to `last`; the name made, if any,
// and the error of the last try.
std::optional<QString> placeNew(const QString &path, const QByteArray &bytes, int last, int *err,
                                QString *error)
{
    QString reason;
    const std::optional<QString> temp = writeOwnTemp(path, bytes, 0666, &reason);
    if (!temp) {
        *err = 0;
        if (error)
            *error = writeFailure(path, reason);
        return std::nullopt;
    }
    const QByteArray from = QFile::encodeName(*temp);
    const QFileInfo info(path);
    const QString folder = info.path() + QLatin1Char('/');
    std::optional<QString> made;
    *err = EEXIST;
    for (int n = 1; n <= last && *err == EEXIST; ++n) {
        const QString candidate = folder + numberedFileName(info.fileName(), n);
        *err = placeWithoutReplacing(from, QFile::encodeName(candidate));
        if (*err == 0)
            made = candidate;
    }
    // After a link the copy is a second name of the file; after a rename it
    // is gone already.
    ::unlink(from.constData());
    if (!made && error)
        *error = writeFailure(path, errnoReason(*err));
    return made;
}

} // namespace

std::optional<QString> createNewFile(const QString &path, const QByteArray &bytes, QString *error)
{
    int err = 0;
    return placeNew(path, bytes, maxFileNumber, &err, error);
}

Created createExactly(const QString &path, const QByteArray &bytes, QString *error)
{
    int err = 0;
    if (placeNew(path, bytes, 1, &err, error))
        return Created::Made;
    return err == EEXIST ? Created::Taken : Created::Failed;
}

} // namespace portdesk
