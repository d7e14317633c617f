#pragma once
#include <QString>

namespace moquan {

// The program's data directory: $MOQUAN_HOME when set, otherwise the per-user
// data location (~/.local/share/moquan).  Created when missing.
QString dataDirectory();
// A file of the data directory by name ("tarikemo.dll", "rivi.kemotari", ...).
QString dataFile(const QString &name);
QString databasePath();
QString backupDirectory();

} // namespace moquan
