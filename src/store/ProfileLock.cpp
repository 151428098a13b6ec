#include "store/ProfileLock.h"

#include "store/FileErrors.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>

namespace portdesk {

ProfileLock::ProfileLock(const QString &file) : file_(file), lock_(file + QStringLiteral(".lock"))
{
    lock_.setStaleLockTime(int(staleAfter.count()));
}

ProfileLock::~ProfileLock()
{
    if (lock_.isLocked())
        lock_.unlock();
}

bool ProfileLock::acquire(QString *error, std::chrono::milliseconds wait)
{
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
        if (deadline.hasExpired())
            break;
        QThread::msleep(5 + QRandomGenerator::global()->bounded(20));
    }
    if (error)
        *error = writeFailure(file_, QStringLiteral("文件正被其他电脑或程序使用，请稍后再试"));
    return false;
}

} // namespace portdesk
