#pragma once
// A fresh data directory for one test: MOQUAN_HOME points at a temporary
// directory that is removed when the object goes out of scope.
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
