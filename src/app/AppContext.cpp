#include "app/AppContext.h"

#include "store/Database.h"

#include <QCoreApplication>

namespace moquan {

AppContext &AppContext::instance()
{
    static AppContext ctx;
    return ctx;
}

void AppContext::registerWindow(const QString &name, QWidget *window)
{
    windows_.insert(name, window);
}

QWidget *AppContext::openWindow(const QString &name) const
{
    const QPointer<QWidget> w = windows_.value(name);
    return w.data();
}

void AppContext::endProgram()
{
    ended_ = true;
    database().close();
    if (exitLoops_)
        QCoreApplication::exit(0);
}

void AppContext::resetForTest()
{
    ended_ = false;
    exitLoops_ = false;
}

} // namespace moquan
