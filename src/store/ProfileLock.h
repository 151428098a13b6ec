#pragma once
// The lock one desk holds beside a shared settings file ("<file>.lock")
// while it re-reads, changes and replaces the file, so that two desks never
// replace each other's keys. A lock left by a desk that crashed counts as
// stale after a few seconds; Windows desks using the Windows profile
// functions do not take it.
#include <QLockFile>
#include <QString>
#include <chrono>

namespace portdesk {

class ProfileLock {
public:
    // Older than this, a lock is taken to belong to a desk that crashed.
    static constexpr std::chrono::milliseconds staleAfter{5000};
    // Longer than staleAfter, so that a crashed desk's lock is broken
    // within one wait.
    static constexpr std::chrono::milliseconds defaultWait{8000};

    explicit ProfileLock(const QString &file);
    ~ProfileLock();
    ProfileLock(const ProfileLock &) = delete;
    ProfileLock &operator=(const ProfileLock &) = delete;

    // Waits at most `wait`. False, with `error` set to a message naming the
    // file, when another desk kept the lock or the lock could not be made.
    bool acquire(QString *error, std::chrono::milliseconds wait = defaultWait);

private:
    QString file_;
    QLockFile lock_;
};

} // namespace portdesk
