#include "store/SettingsStore.h"

#include "store/FileErrors.h"
#include "store/Gbk.h"
#include "store/ProfileDocument.h"
#include "store/ProfileFile.h"
#include "store/ProfileLock.h"

#include <memory>
#include <optional>
#include <vector>

namespace portdesk {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

std::optional<QByteArray> encode(const QString &text, const QString &what, QString *error)
{
    std::optional<QByteArray> bytes = toGbk(text);
    if (!bytes) {
        setError(error, QStringLiteral("%1含有无法以 GBK 保存的字符%2")
                            .arg(what, shownCharacter(firstNonGbkChar(text))));
        return std::nullopt;
    }
    if (bytes->contains('\0')) {
        setError(error, QStringLiteral("%1含有空字符").arg(what));
        return std::nullopt;
    }
    if (bytes->contains('\r') || bytes->contains('\n')) {
        // A line break would end the line and let the rest pose as a key.
        setError(error, QStringLiteral("%1不能含有换行").arg(what));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QString unwritableValue(const QString &value, const QString &what)
{
    QString why;
    encode(value, what, &why);
    return why;
}

namespace {

struct Names {
    QByteArray section;
    QByteArray key;
};

// Section and key as the profile functions take them: trimmed, and such
// that a written line reads back as the same section and key.
std::optional<Names> encodeNames(const QString &section, const QString &key, QString *error)
{
    std::optional<QByteArray> s = encode(section, QStringLiteral("节名"), error);
    if (!s)
        return std::nullopt;
    std::optional<QByteArray> k = encode(key, QStringLiteral("键名"), error);
    if (!k)
        return std::nullopt;
    Names n{trimProfileBlanks(*s), trimProfileBlanks(*k)};
    if (n.section.isEmpty()) {
        setError(error, QStringLiteral("节名为空"));
        return std::nullopt;
    }
    if (n.key.isEmpty()) {
        setError(error, QStringLiteral("键名为空"));
        return std::nullopt;
    }
    if (n.key.contains('=') || n.key.startsWith('[')) {
        setError(error, QStringLiteral("键名“%1”不能含有“=”，也不能以“[”开头").arg(key));
        return std::nullopt;
    }
    return n;
}

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

// The value the profile reader hands out: one pair of outer quotes removed,
// NUL bytes dropped. Empty when the key is missing or holds nothing.
QByteArray readerValue(const ProfileDocument &doc, const Names &names)
{
    std::optional<QByteArray> raw = doc.rawValue(names.section, names.key);
    if (!raw)
        return {};
    QByteArray v = *raw;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    v.removeIf([](char c) { return c == '\0'; });
    return v;
}

// One change as the caller asked for it, kept so that it can be made again
// on the file as another desk may have left it meanwhile.
struct Edit {
    enum Kind { Set, Remove, FillIfEmpty } kind;
    Names names;
    QByteArray value;
};

bool apply(ProfileDocument &doc, const Edit &e)
{
    switch (e.kind) {
    case Edit::Set:
        return doc.setValue(e.names.section, e.names.key, e.value);
    case Edit::Remove:
        return doc.remove(e.names.section, e.names.key);
    case Edit::FillIfEmpty:
        // A default written back by a read never replaces a value another
        // desk stored in between.
        return readerValue(doc, e.names).isEmpty() &&
               doc.setValue(e.names.section, e.names.key, e.value);
    }
    return false;
}

// One file as a caller works on it: what was read, and the changes made
// since, which a save makes again on the file as it is then.
struct Working {
    QString file;
    LoadedProfile loaded;
    std::vector<Edit> edits;
    bool changed = false;
    // A default the last save did not write: another desk had stored a value.
    bool foundFilled = false;
    // One call, not a batch: its changes are only made on the file as read
    // under the lock, and what was read before is dropped first, so that a
    // large file is held once.
    bool single = false;

    // Set while the caller holds the file's lock for the whole batch.
    std::unique_ptr<ProfileLock> held;

    explicit Working(const QString &f, bool oneCall = false) : file(f), single(oneCall) {}

    bool edit(Edit e, QString *error)
    {
        if (loaded.failed) {
            setError(error, loaded.error);
            return false;
        }
        changed |= single || apply(loaded.doc, e);
        edits.push_back(std::move(e));
        return true;
    }

    // True when the file as it is needs none of the changes: deleting what
    // is not there succeeds even where no lock can be made.
    bool changesNothing()
    {
        LoadedProfile now = loadProfile(file);
        if (now.failed)
            return false;
        for (const Edit &e : edits) {
            if (apply(now.doc, e))
                return false;
        }
        return true;
    }

    // Under the lock: read the file again, make the same changes on what is
    // there now, and replace it when that changes anything.
    bool save(QString *error)
    {
        if (!changed) {
            held.reset();
            return true;
        }
        std::unique_ptr<ProfileLock> lock;
        if (!held) {
            lock = std::make_unique<ProfileLock>(file);
            if (!lock->acquire(error))
                return single && changesNothing();
        }
        if (single)
            loaded = LoadedProfile();
        // Desks using the Windows functions take no lock: one that rewrote
        // the file since it was read here would lose its change, or have it
        // cut short, if the file read were written back.
        constexpr int kTries = 5;
        for (int attempt = 1;; ++attempt) {
            LoadedProfile fresh = loadProfile(file);
            if (fresh.failed) {
                setError(error, fresh.error);
                return false;
            }
            bool freshChanged = false;
            foundFilled = false;
            for (const Edit &e : edits) {
                if (e.kind == Edit::FillIfEmpty && !readerValue(fresh.doc, e.names).isEmpty())
                    foundFilled = true;
                freshChanged |= apply(fresh.doc, e);
            }
            if (freshChanged && !unchangedSince(file, fresh)) {
                if (attempt < kTries)
                    continue;
                setError(error, writeFailure(file, QStringLiteral("文件一直在被其他程序改写，"
                                                                  "请稍后再试")));
                return false;
            }
            if (freshChanged && !replaceProfile(file, fresh.doc.serialize(), error))
                return false;
            loaded = std::move(fresh);
            edits.clear();
            changed = false;
            held.reset();
            return true;
        }
    }
};

bool writeInto(Working &w, const QString &section, const QString &key,
               const std::optional<QString> &value, QString *error)
{
    if (w.loaded.failed) {
        setError(error, w.loaded.error);
        return false;
    }
    std::optional<Names> names = encodeNames(section, key, error);
    if (!names)
        return false;
    if (!value)
        return w.edit({Edit::Remove, *names, {}}, error);
    std::optional<QByteArray> v = encode(*value, QStringLiteral("值"), error);
    if (!v)
        return false;
    return w.edit({Edit::Set, *names, *v}, error);
}

// The stored value, or nullopt when it is missing or empty.
std::optional<QString> storedValue(const Working &w, const std::optional<Names> &names)
{
    if (w.loaded.failed || !names)
        return std::nullopt;
    const QByteArray v = readerValue(w.loaded.doc, *names);
    if (v.isEmpty())
        return std::nullopt;
    return trimSpaces(fromGbkLossy(v));
}

QString readFrom(Working &w, const QString &section, const QString &key, const QString &def,
                 QString *error)
{
    const std::optional<Names> names = encodeNames(section, key, nullptr);
    if (std::optional<QString> v = storedValue(w, names))
        return *v;
    // Missing or empty: the default goes into the file, as written.
    if (w.loaded.failed) {
        setError(error, w.loaded.error);
        return trimSpaces(def);
    }
    if (!names) {
        encodeNames(section, key, error);
        return trimSpaces(def);
    }
    if (std::optional<QByteArray> v = encode(def, QStringLiteral("值"), error))
        w.edit({Edit::FillIfEmpty, *names, *v}, error);
    return trimSpaces(def);
}

} // namespace

QString ReadKey(const QString &file, const QString &section, const QString &key, const QString &def,
                QString *error)
{
    setError(error, QString());
    Working w(file, true);
    w.loaded = loadProfile(file);
    const QString value = readFrom(w, section, key, def, error);
    if (!w.changed || !w.save(error) || !w.foundFilled)
        return value;
    // Another desk stored a value while this one waited.
    return storedValue(w, encodeNames(section, key, nullptr)).value_or(value);
}

bool WriteKey(const QString &file, const QString &section, const QString &key, const QString &value,
              QString *error)
{
    setError(error, QString());
    Working w(file, true);
    return writeInto(w, section, key, value, error) && w.save(error);
}

bool DeleteKey(const QString &file, const QString &section, const QString &key, QString *error)
{
    setError(error, QString());
    Working w(file, true);
    return writeInto(w, section, key, std::nullopt, error) && w.save(error);
}

struct ProfileBatch::Impl {
    explicit Impl(const QString &file) : working(file) {}
    Working working;
};

ProfileBatch::ProfileBatch(const QString &file, Hold hold) : d(std::make_unique<Impl>(file))
{
    Working &w = d->working;
    if (hold == Hold::UntilSaved) {
        w.held = std::make_unique<ProfileLock>(file);
        QString error;
        if (!w.held->acquire(&error)) {
            w.held.reset();
            w.loaded.failed = true;
            w.loaded.error = error;
            return;
        }
    }
    w.loaded = loadProfile(file);
}

ProfileBatch::ProfileBatch(const QString &file, LoadedProfile loaded)
    : d(std::make_unique<Impl>(file))
{
    d->working.loaded = std::move(loaded);
}

ProfileBatch::~ProfileBatch() = default;

QString ProfileBatch::ReadKey(const QString &section, const QString &key, const QString &def,
                              QString *error)
{
    setError(error, QString());
    return readFrom(d->working, section, key, def, error);
}

bool ProfileBatch::WriteKey(const QString &section, const QString &key, const QString &value,
                            QString *error)
{
    setError(error, QString());
    return writeInto(d->working, section, key, value, error);
}

bool ProfileBatch::DeleteKey(const QString &section, const QString &key, QString *error)
{
    setError(error, QString());
    return writeInto(d->working, section, key, std::nullopt, error);
}

std::optional<QByteArray> ProfileBatch::storedBytes(const QString &section,
                                                    const QString &key) const
{
    const Working &w = d->working;
    const std::optional<Names> names = encodeNames(section, key, nullptr);
    if (w.loaded.failed || !names)
        return std::nullopt;
    return w.loaded.doc.rawValue(names->section, names->key);
}

bool ProfileBatch::writeStoredBytes(const QString &section, const QString &key,
                                    const QByteArray &value, QString *error)
{
    setError(error, QString());
    Working &w = d->working;
    if (w.loaded.failed) {
        setError(error, w.loaded.error);
        return false;
    }
    std::optional<Names> names = encodeNames(section, key, error);
    if (!names)
        return false;
    if (value.contains('\r') || value.contains('\n')) {
        setError(error, QStringLiteral("值不能含有换行"));
        return false;
    }
    return w.edit({Edit::Set, *names, value}, error);
}

bool ProfileBatch::hasSection(const QString &section) const
{
    const Working &w = d->working;
    const std::optional<QByteArray> name = toGbk(section);
    return !w.loaded.failed && name && w.loaded.doc.hasSection(trimProfileBlanks(*name));
}

bool ProfileBatch::failed() const
{
    return d->working.loaded.failed;
}

QString ProfileBatch::failure() const
{
    return d->working.loaded.error;
}

bool ProfileBatch::changed() const
{
    return d->working.changed;
}

bool ProfileBatch::save(QString *error)
{
    setError(error, QString());
    return d->working.save(error);
}

} // namespace portdesk
