#include "app/MainWindow.h"
#include "app/Startup.h"
#include "chrome/AppLook.h"
#include "platform/SystemMarks.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("墨泉进销存"));
    QApplication::setQuitOnLastWindowClosed(false);
    moquan::applyApplicationLook(app);

    std::unique_ptr<moquan::SingleInstance> instance;
    if (!moquan::runStartupSequence(instance))
        return 0;
    moquan::MainWindow window;
    window.show();
    return app.exec();
}
