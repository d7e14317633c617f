#include "store/DataDirectory.h"

#include <QDir>
#include <QStandardPaths>

namespace moquan {

QString dataDirectory()
{
    QString dir = qEnvironmentVariable("MOQUAN_HOME");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
              + QStringLiteral("/moquan");
    QDir().mkpath(dir);
    return QDir::cleanPath(dir);
}

QString dataFile(const QString &name) { return dataDirectory() + QLatin1Char('/') + name; }

QString databasePath() { return dataFile(QStringLiteral("tarikemo.dll")); }

QString backupDirectory() { return dataFile(QStringLiteral("databak")); }

} // namespace moquan
