#include "model/DeclarationIndex.h"

#include "model/DeclarationFile.h"
#include "model/SearchText.h"
#include "model/SheetFiles.h"
#include "store/OfficeSettings.h"
#include "store/SettingsStore.h"
#include "store/SqliteDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <unordered_map>

namespace portdesk {

namespace {

// Raised whenever what the cache holds changes meaning; an older cache is
// then started afresh.
constexpr int kCacheVersion = 1;

constexpr const char *kSchema = R"(
PRAGMA journal_mode=WAL;
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS files(
  id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE,
  size INTEGER NOT NULL, mtime INTEGER NOT NULL, inode INTEGER NOT NULL,
  number TEXT NOT NULL, date TEXT NOT NULL, consignee TEXT NOT NULL, bill TEXT NOT NULL,
  sortkey TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS files_newest ON files(sortkey);
CREATE VIRTUAL TABLE IF NOT EXISTS texts USING fts5(text, tokenize='trigram case_sensitive 1');
PRAGMA user_version=1;
)";

struct Known {
    qint64 id = 0;
    ScannedFile look;
};

// What one read of a declaration file gives the cache.
struct IndexRow {
    ScannedFile look;
    SearchFields fields;
};

QString readPrefix(const QString &workDir)
{
    ProfileBatch config(workDir + QStringLiteral("/Config/Config.ini"));
    return config.ReadKey(prefixSection(), prefixKey(), QString());
}

} // namespace

QString searchCacheFile(const QString &cacheDir, const QString &workDir)
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(workDir).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return cacheDir + QStringLiteral("/search-") + QString::fromLatin1(hash) +
           QStringLiteral(".sqlite");
}

struct DeclarationIndex::Impl {
    QString workDir, cacheFile, prefix;
    SqliteDatabase db;
    std::unordered_map<QString, Known> known;

    bool create(QString *error)
    {
        if (!db.open(cacheFile, error) || !db.exec(kSchema, error))
            return false;
        SqliteStatement put(db, "INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)");
        for (const auto &[key, value] : {std::pair{QStringLiteral("workdir"), workDir},
                                         std::pair{QStringLiteral("prefix"), prefix}}) {
            put.bind(1, key);
            put.bind(2, value);
            if (!put.run(error))
                return false;
        }
        return true;
    }

    // Our own files only: the cache and the journal SQLite keeps beside it.
    bool startAfresh(QString *error)
    {
        db.close();
        known.clear();
        for (const char *suffix : {"", "-wal", "-shm", "-journal"}) {
            QFile file(cacheFile + QLatin1String(suffix));
            if (file.exists() && !file.remove()) {
                *error = QStringLiteral("无法删除损坏的查找索引：") +
                         QDir::toNativeSeparators(file.fileName()) + QStringLiteral("（") +
                         file.errorString() + QStringLiteral("）");
                return false;
            }
        }
        return create(error);
    }

    // The cache fits when it is of this version and made for this work
    // directory and number prefix (the full numbers it holds depend on it).
    bool fits()
    {
        SqliteStatement version(db, "PRAGMA user_version");
        if (!version.next(nullptr) || version.integer(0) != kCacheVersion)
            return false;
        SqliteStatement meta(db, "SELECT key, value FROM meta");
        QString dir, storedPrefix;
        bool hasPrefix = false;
        while (meta.next(nullptr)) {
            if (meta.text(0) == QLatin1String("workdir"))
                dir = meta.text(1);
            if (meta.text(0) == QLatin1String("prefix")) {
                storedPrefix = meta.text(1);
                hasPrefix = true;
            }
        }
        return !meta.failed() && dir == workDir && hasPrefix && storedPrefix == prefix;
    }

    bool loadKnown(QString *error)
    {
        known.clear();
        SqliteStatement all(db, "SELECT id, path, size, mtime, inode FROM files");
        while (all.next(error)) {
            Known k{all.integer(0), {all.text(1), all.integer(2), all.integer(3), all.integer(4)}};
            known.emplace(k.look.path, std::move(k));
        }
        return !all.failed();
    }

    // By path in the cache itself: another program on this desk may have
    // stored the file meanwhile, under an id this one never saw.
    bool forget(const QString &path, QString *error)
    {
        SqliteStatement text(db, "DELETE FROM texts WHERE rowid IN "
                                 "(SELECT id FROM files WHERE path = ?1)");
        SqliteStatement file(db, "DELETE FROM files WHERE path = ?1");
        text.bind(1, path);
        file.bind(1, path);
        if (!text.run(error) || !file.run(error))
            return false;
        known.erase(path);
        return true;
    }

    bool store(const IndexRow &row, QString *error)
    {
        if (!forget(row.look.path, error))
            return false;
        const DocFolder folder = folderOfDeclaration(row.look.path);
        SqliteStatement file(db, "INSERT INTO files(path, size, mtime, inode, number, date, "
                                 "consignee, bill, sortkey) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9)");
        file.bind(1, row.look.path);
        file.bind(2, row.look.size);
        file.bind(3, row.look.modifiedNs);
        file.bind(4, row.look.inode);
        file.bind(5, row.fields.number);
        file.bind(6, row.fields.date);
        file.bind(7, row.fields.consignee);
        file.bind(8, row.fields.billOfLading);
        file.bind(9, searchSortKey(folder, row.fields.date, row.look.modifiedNs));
        if (!file.run(error))
            return false;
        const qint64 id = db.lastInsertId();
        SqliteStatement text(db, "INSERT INTO texts(rowid, text) VALUES(?1, ?2)");
        text.bind(1, id);
        text.bind(2, row.fields.text);
        if (!text.run(error))
            return false;
        known.emplace(row.look.path, Known{id, row.look});
        return true;
    }

    // Reads the files, each once: a file caught while another desk rewrote
    // it changes its size or time with that write, and is read again at the
    // next look. One that is no declaration (or cannot be read) is kept with
    // nothing to find, so that it is read again only once changed.
    std::vector<IndexRow> read(const std::vector<ScannedFile> &looks)
    {
        QStringList paths;
        paths.reserve(qsizetype(looks.size()));
        for (const ScannedFile &look : looks)
            paths << workDir + u'/' + look.path;
        std::vector<QString> numbers(looks.size()), dates(looks.size());
        const std::vector<DeclarationRead> reads = readDeclarationContents(
            paths,
            [&](std::size_t i, ProfileBatch &file) {
                numbers[i] = file.ReadKey(infoSection(), QStringLiteral("报检号"), QString());
                dates[i] = file.ReadKey(infoSection(), QStringLiteral("报检日期"), QString());
            },
            ReadCheck::Once);
        std::vector<IndexRow> rows(looks.size());
        for (std::size_t i = 0; i < looks.size(); ++i) {
            rows[i].look = looks[i];
            if (reads[i].ok)
                rows[i].fields = searchFieldsOf(reads[i].content, numbers[i], dates[i], prefix);
        }
        return rows;
    }

    bool workDirThere(QString *error) const
    {
        if (QFileInfo(workDir).isDir())
            return true;
        *error = QStringLiteral("无法访问工作目录：") + QDir::toNativeSeparators(workDir);
        return false;
    }

    bool transaction(const std::function<bool(QString *)> &work, QString *error)
    {
        if (!db.exec("BEGIN IMMEDIATE", error))
            return false;
        if (!work(error)) {
            db.exec("ROLLBACK", nullptr);
            return false;
        }
        return db.exec("COMMIT", error);
    }
};

DeclarationIndex::DeclarationIndex(const QString &workDir, const QString &cacheFile)
    : d(std::make_unique<Impl>())
{
    d->workDir = workDir;
    d->cacheFile = cacheFile;
}

DeclarationIndex::~DeclarationIndex() = default;

bool DeclarationIndex::open(QString *error)
{
    d->prefix = readPrefix(d->workDir);
    if (!QDir().mkpath(QFileInfo(d->cacheFile).absolutePath())) {
        *error = QStringLiteral("无法创建查找索引的文件夹：") +
                 QDir::toNativeSeparators(QFileInfo(d->cacheFile).absolutePath());
        return false;
    }
    const bool existed = QFileInfo::exists(d->cacheFile);
    QString why;
    if (existed && d->db.open(d->cacheFile, &why) && d->fits() && d->loadKnown(&why))
        return true;
    return d->startAfresh(error) && d->loadKnown(error);
}

bool DeclarationIndex::scan(QString *error)
{
    if (!d->workDirThere(error))
        return false;
    QStringList unreadable;
    const std::vector<ScannedFile> now = scanDeclarations(d->workDir, &unreadable);
    waiting_.clear();
    std::unordered_map<QString, const ScannedFile *> seen;
    seen.reserve(now.size());
    for (const ScannedFile &look : now) {
        seen.emplace(look.path, &look);
        const auto it = d->known.find(look.path);
        if (it == d->known.end() || !(it->second.look == look))
            waiting_.push_back(look);
    }
    const auto inUnreadable = [&](const QString &path) {
        for (const QString &folder : std::as_const(unreadable)) {
            if (path.startsWith(folder + u'/'))
                return true;
        }
        return false;
    };
    QStringList gone;
    for (const auto &[path, k] : d->known) {
        if (!seen.count(path) && !inUnreadable(path))
            gone << path;
    }
    if (gone.isEmpty())
        return true;
    const bool ok = d->transaction(
        [&](QString *why) {
            for (const QString &path : std::as_const(gone)) {
                if (!d->forget(path, why))
                    return false;
            }
            return true;
        },
        error);
    if (!ok && d->db.damaged()) {
        waiting_ = now;
        return d->startAfresh(error);
    }
    return ok;
}

bool DeclarationIndex::readSome(std::size_t count, QString *error)
{
    count = std::min(count, waiting_.size());
    const std::vector<ScannedFile> batch(waiting_.end() - std::ptrdiff_t(count), waiting_.end());
    const std::vector<IndexRow> rows = d->read(batch);
    const bool ok = d->transaction(
        [&](QString *why) {
            for (const IndexRow &row : rows) {
                if (!d->store(row, why))
                    return false;
            }
            return true;
        },
        error);
    if (!ok) {
        if (d->db.damaged() && d->startAfresh(error))
            return scan(error);
        // Dropped from memory too: what the cache holds is what it knows.
        d->loadKnown(nullptr);
        return false;
    }
    waiting_.resize(waiting_.size() - count);
    return true;
}

bool DeclarationIndex::refresh(const std::function<void(std::size_t, std::size_t)> &progress,
                               QString *error)
{
    if (!scan(error))
        return false;
    const std::size_t total = waiting_.size();
    constexpr std::size_t kBatch = 256;
    while (!waiting_.empty()) {
        if (!readSome(kBatch, error))
            return false;
        progress(total - std::min(total, waiting_.size()), total);
    }
    return true;
}

std::vector<FoundDeclaration> DeclarationIndex::find(const QString &query, std::size_t limit,
                                                     QString *error)
{
    const QString folded = foldForSearch(query).trimmed();
    if (folded.isEmpty() || limit == 0)
        return {};
    // Fewer than three characters make no trigram: those are looked for in
    // every text, which is still quick for the few characters they are.
    const bool byTrigram = folded.toUcs4().size() >= 3;
    SqliteStatement select(d->db, byTrigram ? "SELECT f.path, f.size, f.mtime, f.inode, f.number, "
                                              "f.date, f.consignee, f.bill, t.text FROM "
                                              "texts t JOIN files f ON f.id = t.rowid WHERE texts "
                                              "MATCH ?1 ORDER BY f.sortkey DESC"
                                            : "SELECT f.path, f.size, f.mtime, f.inode, f.number, "
                                              "f.date, f.consignee, f.bill, t.text FROM "
                                              "texts t JOIN files f ON f.id = t.rowid WHERE "
                                              "instr(t.text, ?1) > 0 ORDER BY f.sortkey DESC");
    QString phrase = folded;
    select.bind(1, byTrigram ? u'"' + phrase.replace(u'"', QStringLiteral("\"\"")) + u'"' : folded);
    std::vector<std::pair<QString, FoundDeclaration>> found; // by sort key
    const auto give = [&](const ScannedFile &look, const QString &number, const QString &date,
                          const QString &consignee, const QString &bill) {
        const DocFolder folder = folderOfDeclaration(look.path);
        found.push_back({searchSortKey(folder, date, look.modifiedNs),
                         {look.path, folder, number, searchShownDate(folder, date, look.modifiedNs),
                          consignee, bill}});
    };
    std::vector<ScannedFile> changed;
    while (found.size() < limit && select.next(error)) {
        const ScannedFile stored{select.text(0), select.integer(1), select.integer(2),
                                 select.integer(3)};
        if (!searchMatches(select.text(8), folded))
            continue;
        ScannedFile now;
        if (!scanOne(d->workDir, stored.path, now) || !(now == stored)) {
            // Gone or changed since it was read: looked at again below.
            changed.push_back(stored);
            continue;
        }
        give(stored, select.text(4), select.text(5), select.text(6), select.text(7));
    }
    if (select.failed()) {
        if (d->db.damaged() && d->startAfresh(error))
            *error = QStringLiteral("查找索引损坏了，已清空，要从文件重新建立；请稍后再查一次。");
        return {};
    }
    select.reset();
    // A share gone offline is not every file deleted.
    if (!changed.empty() && !d->workDirThere(error))
        return {};
    if (!changed.empty()) {
        std::vector<ScannedFile> again;
        for (const ScannedFile &old : changed) {
            ScannedFile now;
            if (scanOne(d->workDir, old.path, now))
                again.push_back(now);
        }
        const std::vector<IndexRow> rows = d->read(again);
        const bool stored = d->transaction(
            [&](QString *why) {
                for (const ScannedFile &old : changed) {
                    if (!d->forget(old.path, why))
                        return false;
                }
                for (const IndexRow &row : rows) {
                    if (!d->store(row, why))
                        return false;
                }
                return true;
            },
            error);
        if (!stored)
            d->loadKnown(nullptr);
        for (const IndexRow &row : rows) {
            if (searchMatches(row.fields.text, folded))
                give(row.look, row.fields.number, row.fields.date, row.fields.consignee,
                     row.fields.billOfLading);
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const auto &a, const auto &b) { return a.first > b.first; });
    }
    std::vector<FoundDeclaration> out;
    out.reserve(std::min(limit, found.size()));
    for (auto &entry : found) {
        if (out.size() == limit)
            break;
        out.push_back(std::move(entry.second));
    }
    return out;
}

} // namespace portdesk
