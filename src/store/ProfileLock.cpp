#include "store/ProfileLock.h"

#include "store/FileErrors.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace portdesk {

namespace {

// What this desk can see of a lock file; any change means its holder (or a
// new one) is alive.
struct Sighting {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};
    QByteArray content;

    bool operator==(const Sighting &o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec && content == o.content;
    }
};

std::optional<Sighting> sight(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<Sighting> s;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        s = Sighting{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim, {}};
        char buf[512];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0)
            s->content = QByteArray(buf, n);
    }
    ::close(fd);
    return s;
}

// Whether a lock could ever be made in `dir`: a stale lock there can be
// neither broken nor replaced, so waiting for it is pointless.
int folderRefusal(const QString &dir)
{
    if (::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0)
        return 0;
    return errno != 0 ? errno : EACCES;
}

} // namespace

ProfileLock::ProfileLock(const QString &file, std::chrono::milliseconds stale)
    : file_(file), stale_(stale), lock_(file + QStringLiteral(".lock"))
{
    // QLockFile would judge by the time stamp against this desk's clock (and
    // log a line on every try when the stamp lies ahead).
    lock_.setStaleLockTime(0);
}

ProfileLock::~ProfileLock()
{
    if (lock_.isLocked())
        lock_.unlock();
}

bool ProfileLock::acquire(QString *error, std::chrono::milliseconds wait)
{
    const QByteArray lockPath = QFile::encodeName(file_ + QStringLiteral(".lock"));
    std::optional<Sighting> last;
    QElapsedTimer unchanged;
    // Short, uneven pauses instead of QLockFile's doubling ones: locks are
    // held for milliseconds, and desks that retry in step collide again.
    QDeadlineTimer deadline(wait);
    for (;;) {
        errno = 0;
        if (lock_.tryLock(0))
            return true;
        const int err = errno;
        if (lock_.error() != QLockFile::LockFailedError) {
            if (error) {
                const QString reason = lock_.error() == QLockFile::PermissionError
                                           ? errnoReason(err != 0 ? err : EACCES)
                                           : errnoReason(err != 0 ? err : EIO);
                *error = writeFailure(file_, reason);
            }
            return false;
        }
        if (const int refusal = folderRefusal(QFileInfo(file_).absolutePath())) {
            if (error)
                *error = writeFailure(file_, errnoReason(refusal));
            return false;
        }
        const std::optional<Sighting> now = sight(lockPath);
        if (!now || !last || !(*now == *last)) {
            last = now;
            unchanged.start();
        } else if (unchanged.hasExpired(stale_.count())) {
            // Looked at once more just before: a desk that broke it a moment
            // ago has put its own lock there, which must stay.
            const std::optional<Sighting> again = sight(lockPath);
            if (again && *again == *last)
                lock_.removeStaleLockFile();
            last.reset();
            continue;
        }
        if (deadline.hasExpired())
            break;
        QThread::msleep(5 + QRandomGenerator::global()->bounded(20));
    }
    if (error)
        *error = writeFailure(file_, QStringLiteral("文件正被其他电脑或程序使用，请稍后再试"));
    return false;
}

} // namespace portdesk
