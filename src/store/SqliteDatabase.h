#pragma once
// A thin hold on an SQLite database file and its statements, so that the
// rest of the program never sees the C interface or forgets a finalize.
#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace portdesk {

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Opens the file, creating it (and nothing else) when missing. False,
    // with `error` set, when it cannot be opened.
    bool open(const QString &file, QString *error);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // One or more statements that return no rows.
    bool exec(const char *sql, QString *error);
    // True when the last failure said the file is no database or a damaged
    // one: it is then worth starting afresh.
    bool damaged() const { return damaged_; }
    // Records a failure code; true when it was one.
    bool failed(int code, QString *error);

    // The row id the last insert gave.
    qint64 lastInsertId() const;

    sqlite3 *handle() const { return db_; }

private:
    sqlite3 *db_ = nullptr;
    bool damaged_ = false;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase &db, const char *sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // False when the statement could not be prepared (`error` says why).
    bool ok(QString *error) const;

    void bind(int index, const QString &text);
    void bind(int index, qint64 value);

    // The next row: true while there is one; false at the end or on a
    // failure, which failed() and `error` then tell.
    bool next(QString *error);
    bool failed() const { return failed_; }
    // Runs a statement that returns no rows.
    bool run(QString *error);
    void reset();

    QString text(int column) const;
    qint64 integer(int column) const;

private:
    SqliteDatabase &db_;
    sqlite3_stmt *stmt_ = nullptr;
    int prepared_ = 0;
    bool failed_ = false;
};

} // namespace portdesk
