#pragma once
// A fresh data directory for one test: MOQUAN_HOME points at a temporary
// directory that is removed when the object goes out of scope.
#include "store/DataDirectory.h"
#include "store/Database.h"

#include <QTemporaryDir>
#include <QString>
#include <QtGlobal>

class TestHome {
public:
    TestHome() { qputenv("MOQUAN_HOME", dir_.path().toUtf8()); }
    ~TestHome() { qunsetenv("MOQUAN_HOME"); }
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

// A fresh data directory with the program's database opened in it; the
// database is closed again before the directory goes.
class DatabaseHome : public TestHome {
public:
    DatabaseHome() : result_(moquan::database().open(moquan::databasePath())) {}
    ~DatabaseHome() { moquan::database().close(); }
    bool opened() const { return result_ != moquan::Database::OpenResult::CannotOpen; }

private:
    moquan::Database::OpenResult result_;
};
