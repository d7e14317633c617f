#pragma once
#include <QString>
#include <QStringList>

namespace moquan {

class Database;

enum class SchemaCheck { Ok, NotADatabase, MissingTables };

// The eight tables, in the order they are created.
QStringList tableNames();
// The column names of a table, in stored order.
QStringList tableColumns(const QString &table);
// Creates the eight tables and their indexes in one transaction.
bool createSchema(Database &db);
// Whether the open file is a database that holds our eight tables.
SchemaCheck checkSchema(Database &db);

} // namespace moquan
