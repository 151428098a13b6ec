#include "store/OwnTempFile.h"

#include "store/FileErrors.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace portdesk {

namespace {

constexpr int kRandomLetters = 6;
static_assert(sizeof(".portdesk-") - 1 + kRandomLetters + sizeof(".tmp") - 1 == ownTempSuffixBytes);

QString randomLetters()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString s;
    for (int i = 0; i < kRandomLetters; ++i)
        s += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    return s;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

bool isOwnTempName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^.+\\.portdesk-[A-Za-z0-9]{%1}\\.tmp$").arg(kRandomLetters));
    return pattern.match(name).hasMatch();
}

std::optional<QString> writeOwnTemp(const QString &target, const QByteArray &bytes, mode_t mode,
                                    QString *reason)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path =
            target + QStringLiteral(".portdesk-") + randomLetters() + QStringLiteral(".tmp");
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            if (reason)
                *reason = errnoReason(errno);
            return std::nullopt;
        }
        // A short write (a full disk) or a failed flush must never reach the
        // target: only a copy known to be whole on the disk is put in place.
        bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
        int err = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            err = errno;
        }
        if (ok)
            return path;
        ::unlink(native.constData());
        if (reason)
            *reason = errnoReason(err != 0 ? err : EIO);
        return std::nullopt;
    }
    if (reason)
        *reason = errnoReason(EEXIST);
    return std::nullopt;
}

} // namespace portdesk
