#pragma once
// The one connection to the program's SQLite database and the record access
// every window uses.  Values are always bound as parameters ("?" in the SQL
// text), never pasted into it.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace moquan {

class Database;

// The rows of one query, positioned on at most one current row.  An invalid
// Recordset stands for "no recordset" (failed query or closed connection).
// Move-only; closed when it goes out of scope.
class Recordset {
public:
    Recordset() = default;
    ~Recordset();
    Recordset(Recordset &&other) noexcept;
    Recordset &operator=(Recordset &&other) noexcept;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    bool isValid() const { return stmt_ != nullptr; }
    explicit operator bool() const { return isValid(); }

    void MoveFirst();
    bool IsEOF() const { return !onRow_; }
    void MoveNext();
    // The typed value of a column of the current row: integers as qint64, reals
    // as double, text as QString, blobs as QByteArray.  A NULL, a missing column
    // or no current row gives the empty text.
    QVariant ReadColByName(const QString &column) const;
    // Column numbers count from 1.
    QVariant ReadColByIndex(int column) const;
    void CloseRecordset();

    // Shorthands over ReadColByName.
    QString text(const QString &column) const { return ReadColByName(column).toString(); }
    qint64 integer(const QString &column) const;
    double number(const QString &column) const;
    QByteArray bytes(const QString &column) const;

    int columnCount() const;
    QString columnName(int column) const; // from 1
    // The number (from 1) of a column by name, 0 when the result lacks it;
    // reading column 0 gives the empty text, as a missing name does.
    int columnIndex(const QString &column) const;

private:
    friend class Database;
    Recordset(sqlite3_stmt *stmt);
    sqlite3_stmt *stmt_ = nullptr;
    bool onRow_ = false;
    QHash<QString, int> columns_; // lower-cased name -> index from 0
};

class Database {
public:
    enum class OpenResult { Opened, Created, CannotOpen, NotADatabase, MissingTables };

    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the file; a missing or zero-byte file is created with the eight
    // tables.  A file that is not a database, or lacks the tables, is left
    // untouched and the connection stays closed.
    OpenResult open(const QString &path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    Recordset Query(const QString &sql, const QVariantList &params = {});
    bool ExecuteSql(const QString &sql, const QVariantList &params = {});
    // SQL with one "?" for a block of bytes (pictures), after any other params.
    bool ExecuteSqlWithBytes(const QString &sql, const QByteArray &bytes,
                             const QVariantList &paramsAfter = {});
    qint64 lastInsertId() const;
    int changes() const;
    QString lastError() const { return lastError_; }

    // One user action: begin, then commit or (on destruction) roll back.
    bool begin();
    bool commit();
    void rollback();
    bool inTransaction() const;

    // A handle for the backup API.
    sqlite3 *handle() const { return db_; }

private:
    sqlite3_stmt *prepare(const QString &sql, const QVariantList &params);
    bool bind(sqlite3_stmt *stmt, const QVariantList &params, int first = 1);
    bool run(const QString &sql);
    sqlite3 *db_ = nullptr;
    QString path_;
    QString lastError_;
};

// Commits when commit() is called; rolls back when it goes out of scope without.
class Transaction {
public:
    explicit Transaction(Database &db) : db_(db) { ok_ = db_.begin(); }
    ~Transaction()
    {
        if (ok_ && !done_)
            db_.rollback();
    }
    bool isActive() const { return ok_ && !done_; }
    bool commit()
    {
        if (!ok_ || done_)
            return false;
        done_ = true;
        return db_.commit();
    }

private:
    Database &db_;
    bool ok_ = false;
    bool done_ = false;
};

// The process-wide connection; the main window opens it and closes it at the end.
Database &database();

// Money as stored: rounded to four decimals.
double currencyValue(double v);
// A number as text with at most 13 significant digits.
QString numberText(double v);

} // namespace moquan
