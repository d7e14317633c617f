#include "store/Backup.h"

#include "store/DataDirectory.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace moquan {

QString backupFileName(const QDate &day)
{
    return QStringLiteral("自动备份%1年%2月%3日.kemotari")
        .arg(day.year(), 4, 10, QLatin1Char('0'))
        .arg(day.month(), 2, 10, QLatin1Char('0'))
        .arg(day.day(), 2, 10, QLatin1Char('0'));
}

bool isGoodDatabaseFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    Database probe;
    if (probe.open(path) != Database::OpenResult::Opened)
        return false;
    Recordset rs = probe.Query(QStringLiteral("PRAGMA integrity_check"));
    const bool ok = rs.isValid() && !rs.IsEOF() && rs.ReadColByIndex(1).toString() == QLatin1String("ok");
    rs.CloseRecordset();
    probe.close();
    return ok;
}

static bool copyThroughBackupApi(sqlite3 *source, const QString &target, QString *error)
{
    sqlite3 *dest = nullptr;
    if (sqlite3_open_v2(target.toUtf8().constData(), &dest,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(dest ? sqlite3_errmsg(dest) : "open failed");
        sqlite3_close(dest);
        return false;
    }
    sqlite3_backup *b = sqlite3_backup_init(dest, "main", source, "main");
    int rc = SQLITE_ERROR;
    if (b) {
        rc = sqlite3_backup_step(b, -1);
        sqlite3_backup_finish(b);
    }
    if (rc != SQLITE_DONE && error)
        *error = QString::fromUtf8(sqlite3_errmsg(dest));
    sqlite3_close(dest);
    return rc == SQLITE_DONE;
}

bool makeBackup(Database &db, const QDate &today, QString *error)
{
    const QString dir = backupDirectory();
    if (!QDir().mkpath(dir)) {
        if (error)
            *error = QStringLiteral("无法创建备份目录");
        return false;
    }
    const QString finalPath = dir + QLatin1Char('/') + backupFileName(today);
    const QString tempPath = finalPath + QStringLiteral(".tmp");
    QFile::remove(tempPath);

    bool copied = false;
    if (db.isOpen()) {
        copied = copyThroughBackupApi(db.handle(), tempPath, error);
    } else {
        const QString source = db.path().isEmpty() ? databasePath() : db.path();
        sqlite3 *src = nullptr;
        if (QFileInfo::exists(source)
            && sqlite3_open_v2(source.toUtf8().constData(), &src, SQLITE_OPEN_READONLY, nullptr)
                   == SQLITE_OK)
            copied = copyThroughBackupApi(src, tempPath, error);
        else if (error)
            *error = QStringLiteral("数据库文件不存在");
        sqlite3_close(src);
    }
    if (!copied || !isGoodDatabaseFile(tempPath)) {
        QFile::remove(tempPath);
        if (error && error->isEmpty())
            *error = QStringLiteral("备份文件校验失败");
        pruneBackups();
        return false;
    }
    QFile::remove(finalPath);
    if (!QFile::rename(tempPath, finalPath)) {
        QFile::remove(tempPath);
        if (error)
            *error = QStringLiteral("无法写入备份文件");
        return false;
    }
    pruneBackups();
    return true;
}

QStringList backupSet()
{
    QDir dir(backupDirectory());
    QStringList names = dir.entryList({QStringLiteral("自动备份*.kemotari")}, QDir::Files, QDir::Name);
    names.sort();
    return names;
}

void pruneBackups(int keep)
{
    const QStringList names = backupSet();
    for (int i = 0; i + keep < names.size(); ++i)
        QFile::remove(backupDirectory() + QLatin1Char('/') + names[i]);
}

} // namespace moquan
