#include "platform/SystemMarks.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <malloc.h>

namespace moquan {

QString registryFilePath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/墨泉进销存/registry.ini");
}

bool writeRegistryMarks(const QString &installDir)
{
    QDir().mkpath(QFileInfo(registryFilePath()).absolutePath());
    QSettings reg(registryFilePath(), QSettings::IniFormat);
    reg.beginGroup(QStringLiteral("Software"));
    reg.setValue(QStringLiteral("Name"), QStringLiteral("墨泉进销存"));
    QString dir = QDir::toNativeSeparators(installDir);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    reg.setValue(QStringLiteral("Install"), dir);
    reg.setValue(QStringLiteral("version"), QStringLiteral("1.4"));
    reg.endGroup();
    reg.sync();
    return reg.status() == QSettings::NoError;
}

QString readRegistryValue(const QString &name)
{
    QSettings reg(registryFilePath(), QSettings::IniFormat);
    return reg.value(QStringLiteral("Software/") + name).toString();
}

QString desktopDirectory()
{
    QProcess p;
    p.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("DESKTOP")});
    if (p.waitForFinished(2000) && p.exitCode() == 0) {
        const QString dir = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        if (!dir.isEmpty())
            return dir;
    }
    return QDir::homePath() + QStringLiteral("/Desktop");
}

QString autostartDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart");
}

QString shortcutFileName() { return QStringLiteral("墨泉进销存.desktop"); }

bool writeShortcut(const QString &folder, const QString &executable, const QString &workingDir)
{
    if (!QDir().mkpath(folder))
        return false;
    QSaveFile f(folder + QLatin1Char('/') + shortcutFileName());
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=墨泉进销存\n"
                                        "Exec=\"%1\"\n"
                                        "Path=%2\n"
                                        "Icon=%1\n"
                                        "Terminal=false\n")
                             .arg(executable, workingDir);
    f.write(text.toUtf8());
    if (!f.commit())
        return false;
    QFile::setPermissions(folder + QLatin1Char('/') + shortcutFileName(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

SingleInstance::SingleInstance(const QString &dataDir)
    : lock_(std::make_unique<QLockFile>(dataDir + QStringLiteral("/moquan.lock")))
{
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance()
{
    if (first_)
        lock_->unlock();
}

void trimWorkingSet() { malloc_trim(0); }

} // namespace moquan
