#pragma once
// The lock one desk holds beside a shared settings file ("<file>.lock")
// while it re-reads, changes and replaces the file, so that two desks never
// replace each other's keys. Windows desks using the Windows profile
// functions do not take it.
//
// A lock is broken only when this desk has seen it unchanged for staleAfter
// by its own steady clock (or its holder is a dead process on this machine).
// The lock's time stamp is never compared with this desk's clock: desks'
// clocks differ, and where the share does not pass file locks between
// desks, a clock running ahead would break a live lock at once.
#include <QLockFile>
#include <QString>
#include <chrono>

namespace portdesk {

class ProfileLock {
public:
    // Seen unchanged this long, a lock is taken to belong to a desk that
    // crashed; live ones are held for milliseconds.
    static constexpr std::chrono::milliseconds staleAfter{5000};
    // Longer than staleAfter, so that a crashed desk's lock is broken
    // within one wait.
    static constexpr std::chrono::milliseconds defaultWait{8000};

    explicit ProfileLock(const QString &file, std::chrono::milliseconds stale = staleAfter);
    ~ProfileLock();
    ProfileLock(const ProfileLock &) = delete;
    ProfileLock &operator=(const ProfileLock &) = delete;

    // Waits at most `wait`. False, with `error` set to a message naming the
    // file, when another desk kept the lock or the lock could not be made
    // (at once when the folder cannot take it).
    bool acquire(QString *error, std::chrono::milliseconds wait = defaultWait);

private:
    QString file_;
    std::chrono::milliseconds stale_;
    QLockFile lock_;
};

} // namespace portdesk
