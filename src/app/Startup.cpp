#include "app/Startup.h"

#include "app/LoginPassword.h"
#include "app/SettingsFile.h"
#include "chrome/DialogService.h"
#include "platform/SystemMarks.h"
#include "store/DataDirectory.h"

#include <QCoreApplication>
#include <QFile>

namespace moquan {

bool runStartupSequence(std::unique_ptr<SingleInstance> &instance)
{
    const QString dir = dataDirectory();
    const QString settings = SettingsFile::path();

    // First run: the defaults, written in this order; an existing file is
    // never reset, even when it lacks some of them.
    if (!QFile::exists(settings)) {
        setSetting(QStringLiteral("自动备份"), QStringLiteral("1"));
        setSetting(QStringLiteral("自动升级"), QStringLiteral("1"));
        setSetting(QStringLiteral("自动创建快捷方式"), QStringLiteral("0"));
    }
    writeRegistryMarks(dir);
    if (QFile::exists(settings))
        QFile::setPermissions(settings, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (setting(QStringLiteral("自动创建快捷方式")) == QLatin1String("1"))
        writeShortcut(desktopDirectory(), QCoreApplication::applicationFilePath(), dir);

    auto lock = std::make_unique<SingleInstance>(dir);
    if (!lock->isFirst()) {
        dialogs().messageBox(nullptr, QStringLiteral("软件已经在运行"), kDefaultTitle,
                             DialogIcon::Warning, DialogButtons::Ok);
        return false;
    }

    const QString stored = UnscramblePassword(setting(QStringLiteral("请设置密码")));
    if (!stored.isEmpty() && setting(QStringLiteral("设置软件密码")) == QLatin1String("1")) {
        const std::optional<QString> typed =
            dialogs().inputText(nullptr, QStringLiteral("请输入密码进入操作！"), QString(), QString(), false);
        if (!typed)
            return false;
        if (*typed != UnscramblePassword(setting(QStringLiteral("请设置密码")))) {
            dialogs().messageBox(nullptr, QStringLiteral("你输入的密码认证错误，请重新输入！"),
                                 QStringLiteral("提示"), DialogIcon::Warning, DialogButtons::Ok);
            return false;
        }
    }
    instance = std::move(lock);
    return true;
}

} // namespace moquan
