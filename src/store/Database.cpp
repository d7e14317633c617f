#include "store/Database.h"

#include "store/Schema.h"

#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

namespace moquan {

// ---- Recordset -------------------------------------------------------------

Recordset::Recordset(sqlite3_stmt *stmt) : stmt_(stmt)
{
    const int n = sqlite3_column_count(stmt_);
    for (int i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt_, i)).toLower();
        if (!columns_.contains(name))
            columns_.insert(name, i);
    }
    MoveFirst();
}

Recordset::~Recordset() { CloseRecordset(); }

Recordset::Recordset(Recordset &&other) noexcept
    : stmt_(other.stmt_), onRow_(other.onRow_), columns_(std::move(other.columns_))
{
    other.stmt_ = nullptr;
    other.onRow_ = false;
}

Recordset &Recordset::operator=(Recordset &&other) noexcept
{
    if (this != &other) {
        CloseRecordset();
        stmt_ = other.stmt_;
        onRow_ = other.onRow_;
        columns_ = std::move(other.columns_);
        other.stmt_ = nullptr;
        other.onRow_ = false;
    }
    return *this;
}

void Recordset::MoveFirst()
{
    if (!stmt_)
        return;
    sqlite3_reset(stmt_);
    onRow_ = sqlite3_step(stmt_) == SQLITE_ROW;
}

void Recordset::MoveNext()
{
    if (!stmt_ || !onRow_)
        return;
    onRow_ = sqlite3_step(stmt_) == SQLITE_ROW;
}

QVariant Recordset::ReadColByIndex(int column) const
{
    const int i = column - 1;
    if (!stmt_ || !onRow_ || i < 0 || i >= sqlite3_column_count(stmt_))
        return QString();
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt_, i);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, i)),
                                 sqlite3_column_bytes(stmt_, i));
    case SQLITE_BLOB: {
        const void *p = sqlite3_column_blob(stmt_, i);
        return QByteArray(static_cast<const char *>(p), sqlite3_column_bytes(stmt_, i));
    }
    default:
        return QString();
    }
}

int Recordset::columnIndex(const QString &column) const
{
    const auto it = columns_.constFind(column.toLower());
    return it == columns_.cend() ? 0 : it.value() + 1;
}

QVariant Recordset::ReadColByName(const QString &column) const
{
    return ReadColByIndex(columnIndex(column));
}

qint64 Recordset::integer(const QString &column) const
{
    const QVariant v = ReadColByName(column);
    if (v.typeId() == QMetaType::Double)
        return qint64(v.toDouble());
    return v.toLongLong();
}

double Recordset::number(const QString &column) const { return ReadColByName(column).toDouble(); }

QByteArray Recordset::bytes(const QString &column) const
{
    const QVariant v = ReadColByName(column);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

int Recordset::columnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

QString Recordset::columnName(int column) const
{
    if (!stmt_ || column < 1 || column > columnCount())
        return QString();
    return QString::fromUtf8(sqlite3_column_name(stmt_, column - 1));
}

void Recordset::CloseRecordset()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    onRow_ = false;
}

// ---- Database --------------------------------------------------------------

Database::~Database() { close(); }

Database::OpenResult Database::open(const QString &path)
{
    close();
    path_ = path;
    const QFileInfo info(path);
    const bool create = !info.exists() || info.size() == 0;
    sqlite3 *db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        lastError_ = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        return OpenResult::CannotOpen;
    }
    sqlite3_busy_timeout(db, 2000);
    db_ = db;
    // Reading the schema tells a database from any other file.
    if (!create) {
        const SchemaCheck check = checkSchema(*this);
        if (check != SchemaCheck::Ok) {
            sqlite3_close(db_);
            db_ = nullptr;
            return check == SchemaCheck::NotADatabase ? OpenResult::NotADatabase
                                                      : OpenResult::MissingTables;
        }
    }
    run(QStringLiteral("PRAGMA synchronous=FULL"));
    run(QStringLiteral("PRAGMA foreign_keys=OFF"));
    if (create) {
        if (!createSchema(*this)) {
            sqlite3_close(db_);
            db_ = nullptr;
            return OpenResult::CannotOpen;
        }
        return OpenResult::Created;
    }
    return OpenResult::Opened;
}

void Database::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Database::run(const QString &sql)
{
    if (!db_)
        return false;
    char *err = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        lastError_ = QString::fromUtf8(err ? err : "error");
        sqlite3_free(err);
        return false;
    }
    return true;
}

bool Database::bind(sqlite3_stmt *stmt, const QVariantList &params, int first)
{
    int index = first;
    for (const QVariant &v : params) {
        int rc = SQLITE_OK;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(stmt, index);
        } else {
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Long:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(stmt, index, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt, index, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(stmt, index, b.constData(), sqlite3_uint64(b.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(stmt, index, t.constData(), sqlite3_uint64(t.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
            }
            }
        }
        if (rc != SQLITE_OK) {
            lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
            return false;
        }
        ++index;
    }
    return true;
}

sqlite3_stmt *Database::prepare(const QString &sql, const QVariantList &params)
{
    if (!db_ || sql.trimmed().isEmpty())
        return nullptr;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK
        || !stmt) {
        lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (!bind(stmt, params)) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

Recordset Database::Query(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *stmt = prepare(sql, params);
    if (!stmt)
        return Recordset();
    return Recordset(stmt);
}

bool Database::ExecuteSql(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *stmt = prepare(sql, params);
    if (!stmt)
        return false;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

bool Database::ExecuteSqlWithBytes(const QString &sql, const QByteArray &bytes,
                                   const QVariantList &paramsAfter)
{
    QVariantList params;
    params << QVariant(bytes.isNull() ? QByteArray("") : bytes);
    params += paramsAfter;
    return ExecuteSql(sql, params);
}

qint64 Database::lastInsertId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

int Database::changes() const { return db_ ? sqlite3_changes(db_) : 0; }

bool Database::begin() { return run(QStringLiteral("BEGIN IMMEDIATE")); }

bool Database::commit()
{
    if (run(QStringLiteral("COMMIT")))
        return true;
    rollback();
    return false;
}

void Database::rollback()
{
    if (db_ && !sqlite3_get_autocommit(db_))
        run(QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

Database &database()
{
    static Database db;
    return db;
}

double currencyValue(double v) { return std::round(v * 10000.0) / 10000.0; }

QString numberText(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    return QString::asprintf("%.13g", v);
}

} // namespace moquan
