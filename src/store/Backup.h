#pragma once
// Dated copies of the database in databak/: one per day, the five newest kept.
#include <QDate>
#include <QString>
#include <QStringList>

namespace moquan {

class Database;

// 自动备份2011年03月05日.kemotari
QString backupFileName(const QDate &day);
// Copies the database (through the open connection when it is open, otherwise
// from the file) into databak/ under today's name.  The copy is written under
// a temporary name, checked, and only then put in place; pruning follows.
// False (with the reason in *error) when no good copy was made.
bool makeBackup(Database &db, const QDate &today = QDate::currentDate(), QString *error = nullptr);
// The names of the backup set (自动备份*.kemotari), ascending.
QStringList backupSet();
// Deletes all but the `keep` names of the backup set that sort last.
void pruneBackups(int keep = 5);
// Whether a file is a database with integrity "ok" holding our tables.
bool isGoodDatabaseFile(const QString &path);

} // namespace moquan
