#pragma once
// Settings files in the Windows private-profile layout, GBK on disk.
// Every call names the file it acts on. Files written here are byte for byte
// what WritePrivateProfileStringA writes for the same calls, so that desks
// using the Windows functions and Portdesk share them freely.
//
// Files may be shared by several desks. Every change is made under a lock
// beside the file: the file is read again under it and the caller's changes
// are made again on what is there, so keys another desk wrote meanwhile stay.
// Only "no such file" counts as an absent file; any other failure to look at
// or read the file refuses every write to it, and reads give the default.
// A file saved in UTF-16 is unreadable in the same way. Failure reasons are
// Chinese and name the file.
#include "store/ProfileFile.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace portdesk {

// Reads section/key. A missing or empty key is written back with `def`
// (untrimmed), creating the file when its folder exists; the result is
// trimmed of spaces. Values are returned whole, however long. `error`, when
// given, tells why a needed write-back failed (it is empty otherwise).
QString ReadKey(const QString &file, const QString &section, const QString &key, const QString &def,
                QString *error = nullptr);

// Writes key=value into section. False, with `error` set, when the file could
// not be replaced, when a name or the value holds text that GBK cannot store,
// or when the value holds a line break.
bool WriteKey(const QString &file, const QString &section, const QString &key, const QString &value,
              QString *error = nullptr);

// Why `value` cannot be written as a value, named `what` in the reason (a
// character GBK lacks, a NUL, a line break); empty when it can. WriteKey
// refuses exactly these values.
QString unwritableValue(const QString &value, const QString &what);

// Removes the first matching key line. Deleting what is not there succeeds
// and changes nothing.
bool DeleteKey(const QString &file, const QString &section, const QString &key,
               QString *error = nullptr);

// Many reads and writes on one file with one read and at most one write:
// the resulting file is the same as the same calls made one by one. The file
// is read when the batch is made; nothing is written until save(), and a
// batch dropped unsaved writes nothing.
class ProfileBatch {
public:
    // Briefly: the lock is taken only while saving, and the batch's changes
    // are made again on the file as it is then. UntilSaved: the lock is taken
    // now and held until a save succeeds or the batch is dropped, for changes
    // that depend on what was read (a count to increase); another desk waits
    // meanwhile, so never across a question to the clerk: a lock older than a
    // few seconds counts as a crashed desk's. When that lock cannot be had
    // the batch is failed().
    enum class Hold { Briefly, UntilSaved };

    explicit ProfileBatch(const QString &file, Hold hold = Hold::Briefly);
    // The file as loadProfiles already read it.
    ProfileBatch(const QString &file, LoadedProfile loaded);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch &) = delete;
    ProfileBatch &operator=(const ProfileBatch &) = delete;

    QString ReadKey(const QString &section, const QString &key, const QString &def,
                    QString *error = nullptr);
    bool WriteKey(const QString &section, const QString &key, const QString &value,
                  QString *error = nullptr);
    bool DeleteKey(const QString &section, const QString &key, QString *error = nullptr);

    // The value's bytes as the file holds them (blanks trimmed, quotes
    // kept); nullopt when the key is missing. ReadKey shows bytes that are
    // not valid GBK as U+FFFD; these are what such a value really holds.
    std::optional<QByteArray> storedBytes(const QString &section, const QString &key) const;
    // Writes bytes as storedBytes gave them back as the value, unconverted,
    // so that a value this program cannot read survives a save unchanged.
    // Refused, like WriteKey, when they hold a line break.
    bool writeStoredBytes(const QString &section, const QString &key, const QByteArray &value,
                          QString *error = nullptr);

    // True when the file as read holds the section (matched as by ReadKey).
    bool hasSection(const QString &section) const;

    // True when the file could not be read (it exists but is unreadable,
    // or its lock could not be had);
    // writes are then refused so that the file is never replaced by a
    // fragment of itself.
    bool failed() const;
    // Why the file could not be read; empty unless failed().
    QString failure() const;
    bool changed() const;
    // Writes the file when something changed: under the lock, the batch's
    // writes and deletes are made again on the file as it is now. False, with
    // `error` set, when the file could not be locked, read or replaced; the
    // old file is then left as it was and the changes stay pending.
    bool save(QString *error = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace portdesk
