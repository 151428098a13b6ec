#include "store/SettingsStore.h"

#include "store/Gbk.h"
#include "store/ProfileDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace portdesk {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString shownPath(const QString &file)
{
    return QDir::toNativeSeparators(file);
}

// The file as the store sees it: absent files read as empty; a file that
// exists but cannot be read must never be overwritten.
struct Loaded {
    ProfileDocument doc;
    bool failed = false;
    QString error;
    bool changed = false;
};

Loaded load(const QString &file)
{
    Loaded l;
    const QFileInfo info(file);
    if (!info.exists())
        return l;
    QFile f(file);
    if (info.isDir() || !f.open(QIODevice::ReadOnly)) {
        l.failed = true;
        l.error = QStringLiteral("无法读取文件“%1”：%2")
                      .arg(shownPath(file),
                           info.isDir() ? QStringLiteral("这是一个文件夹") : f.errorString());
        return l;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        l.failed = true;
        l.error = QStringLiteral("无法读取文件“%1”：%2").arg(shownPath(file), f.errorString());
        return l;
    }
    l.doc = ProfileDocument::parse(bytes);
    return l;
}

// Replaces the file whole: a crash or a lost connection mid-write leaves the
// old content, never half of the new.
bool save(const QString &file, const QByteArray &bytes, QString *error)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) {
        setError(error,
                 QStringLiteral("无法写入文件“%1”：%2").arg(shownPath(file), f.errorString()));
        return false;
    }
    // Qt 6.4's commit() can report success when flushing its buffer failed
    // (a full disk), replacing the file with a cut-short one: flush first.
    if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
        setError(error,
                 QStringLiteral("无法写入文件“%1”：%2").arg(shownPath(file), f.errorString()));
        f.cancelWriting();
        return false;
    }
    return true;
}

// The first character GBK has no code for, to name it in the message.
QString firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        if (!isGbkEncodable(one))
            return one;
        i += len - 1;
    }
    return QString();
}

std::optional<QByteArray> encode(const QString &text, const QString &what, QString *error)
{
    std::optional<QByteArray> bytes = toGbk(text);
    if (!bytes) {
        setError(
            error,
            QStringLiteral("%1含有无法以 GBK 保存的字符“%2”").arg(what, firstUnencodable(text)));
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
QByteArray readerValue(const QByteArray &raw)
{
    QByteArray v = raw;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    v.removeIf([](char c) { return c == '\0'; });
    return v;
}

bool writeInto(Loaded &l, const QString &section, const QString &key,
               const std::optional<QString> &value, QString *error)
{
    if (l.failed) {
        setError(error, l.error);
        return false;
    }
    std::optional<Names> names = encodeNames(section, key, error);
    if (!names)
        return false;
    if (!value) {
        l.changed |= l.doc.remove(names->section, names->key);
        return true;
    }
    std::optional<QByteArray> v = encode(*value, QStringLiteral("值"), error);
    if (!v)
        return false;
    l.changed |= l.doc.setValue(names->section, names->key, *v);
    return true;
}

QString readFrom(Loaded &l, const QString &section, const QString &key, const QString &def,
                 QString *error)
{
    if (!l.failed) {
        if (std::optional<Names> names = encodeNames(section, key, nullptr)) {
            if (std::optional<QByteArray> raw = l.doc.rawValue(names->section, names->key)) {
                const QByteArray v = readerValue(*raw);
                if (!v.isEmpty())
                    return trimSpaces(fromGbkLossy(v));
            }
        }
    }
    // Missing or empty: the default goes into the file, as written.
    writeInto(l, section, key, def, error);
    return trimSpaces(def);
}

// One call on its own: load, act, save when something changed.
template <typename Act> bool onFile(const QString &file, QString *error, Act act)
{
    Loaded l = load(file);
    if (!act(l))
        return false;
    return !l.changed || save(file, l.doc.serialize(), error);
}

} // namespace

QString ReadKey(const QString &file, const QString &section, const QString &key, const QString &def,
                QString *error)
{
    setError(error, QString());
    QString value;
    onFile(file, error, [&](Loaded &l) {
        value = readFrom(l, section, key, def, error);
        return true;
    });
    return value;
}

bool WriteKey(const QString &file, const QString &section, const QString &key, const QString &value,
              QString *error)
{
    setError(error, QString());
    return onFile(file, error, [&](Loaded &l) { return writeInto(l, section, key, value, error); });
}

bool DeleteKey(const QString &file, const QString &section, const QString &key, QString *error)
{
    setError(error, QString());
    return onFile(file, error,
                  [&](Loaded &l) { return writeInto(l, section, key, std::nullopt, error); });
}

struct ProfileBatch::Impl {
    QString file;
    Loaded loaded;
};

ProfileBatch::ProfileBatch(const QString &file) : d(std::make_unique<Impl>())
{
    d->file = file;
    d->loaded = load(file);
}

ProfileBatch::~ProfileBatch() = default;

QString ProfileBatch::ReadKey(const QString &section, const QString &key, const QString &def,
                              QString *error)
{
    setError(error, QString());
    return readFrom(d->loaded, section, key, def, error);
}

bool ProfileBatch::WriteKey(const QString &section, const QString &key, const QString &value,
                            QString *error)
{
    setError(error, QString());
    return writeInto(d->loaded, section, key, value, error);
}

bool ProfileBatch::DeleteKey(const QString &section, const QString &key, QString *error)
{
    setError(error, QString());
    return writeInto(d->loaded, section, key, std::nullopt, error);
}

bool ProfileBatch::failed() const
{
    return d->loaded.failed;
}

bool ProfileBatch::changed() const
{
    return d->loaded.changed;
}

bool ProfileBatch::save(QString *error)
{
    setError(error, QString());
    if (!d->loaded.changed)
        return true;
    if (!portdesk::save(d->file, d->loaded.doc.serialize(), error))
        return false;
    d->loaded.changed = false;
    return true;
}

} // namespace portdesk
