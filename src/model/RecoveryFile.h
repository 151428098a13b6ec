#pragma once
// The copy of the declaration being typed that outlives a crash: kept in
// this desk's own folder while the form holds changes no file has, one per
// running program, so that two programs on one desk never overwrite each
// other's. A copy whose program no longer runs is a leftover to offer.
#include "model/Declaration.h"
#include "model/KeptBytes.h"

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace portdesk {

struct Recovery {
    Declaration content;
    KeptFields kept;
    QDateTime time; // when it was kept
    QString file;   // the declaration file it came from; empty for a new one
};

// UTF-8 JSON: any text the form can hold, whether GBK can store it or not.
QByteArray recoveryBytes(const Recovery &recovery);
std::optional<Recovery> parseRecovery(const QByteArray &bytes, QString *error);

// "declaration-<pid>-<tag>.recovery": the pid tells the running program's
// copy from a crashed one's, the tag two programs that got the same pid.
QString recoveryFileName(qint64 pid, const QString &tag);
bool isRecoveryFileName(const QString &name);

// What the start-up question names: "2026-03-05 10:20:30，收货人：甲".
QString recoveryQuestion(const Recovery &recovery);

// A copy another, no longer running, program left; locked by this program
// while it is offered, so that two programs starting together never both
// restore it.
struct Leftover {
    QString path;
    Recovery recovery;
    std::unique_ptr<QLockFile> lock;
};

class RecoverySlot {
public:
    // `folder`: where the copies live (created on the first write).
    RecoverySlot(const QString &folder, qint64 pid, const QString &tag);
    ~RecoverySlot();
    RecoverySlot(const RecoverySlot &) = delete;
    RecoverySlot &operator=(const RecoverySlot &) = delete;

    const QString &path() const { return path_; }

    // Replaces this program's copy whole. False, with `error` set, when the
    // copy could not be written (the previous one, if any, stays).
    bool write(const Recovery &recovery, QString *error);
    // Removes this program's copy; true when none is left.
    bool remove(QString *error);

    // The copies of programs no longer running, newest first. Unreadable
    // ones are named in `problems` and left alone.
    std::vector<Leftover> leftovers(QStringList *problems) const;
    // Removes an offered copy and its lock: it was restored or declined.
    static bool discard(Leftover &leftover, QString *error);

private:
    bool hold(QString *error);

    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace portdesk
