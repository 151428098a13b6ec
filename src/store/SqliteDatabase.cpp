#include "store/SqliteDatabase.h"

#include <QFile>

#include <sqlite3.h>

namespace portdesk {

namespace {

QString reasonOf(sqlite3 *db, int code)
{
    const char *text = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return QString::fromUtf8(text ? text : sqlite3_errstr(code));
}

} // namespace

SqliteDatabase::~SqliteDatabase()
{
    close();
}

bool SqliteDatabase::open(const QString &file, QString *error)
{
    close();
    damaged_ = false;
    const int code =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        failed(code, error);
        close();
        return false;
    }
    // Two programs on one desk share the file; one waits for the other.
    sqlite3_busy_timeout(db_, 5000);
    return true;
}

void SqliteDatabase::close()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteDatabase::failed(int code, QString *error)
{
    const int primary = code & 0xff;
    if (primary == SQLITE_OK || primary == SQLITE_ROW || primary == SQLITE_DONE)
        return false;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        damaged_ = true;
    if (error)
        *error = reasonOf(db_, code);
    return true;
}

bool SqliteDatabase::exec(const char *sql, QString *error)
{
    return !failed(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), error);
}

qint64 SqliteDatabase::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

SqliteStatement::SqliteStatement(SqliteDatabase &db, const char *sql) : db_(db)
{
    prepared_ = sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

bool SqliteStatement::ok(QString *error) const
{
    return !db_.failed(prepared_, error);
}

void SqliteStatement::bind(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

bool SqliteStatement::next(QString *error)
{
    if (!stmt_) {
        failed_ = db_.failed(prepared_, error);
        return false;
    }
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW)
        return true;
    failed_ = db_.failed(code, error);
    return false;
}

bool SqliteStatement::run(QString *error)
{
    if (!stmt_) {
        db_.failed(prepared_, error);
        return false;
    }
    const int code = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    return !db_.failed(code, error);
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    failed_ = false;
}

QString SqliteStatement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, column));
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

} // namespace portdesk
