#include "app/LoginSettings.h"

#include "app/LoginPassword.h"
#include "app/SettingsFile.h"
#include "chrome/DialogService.h"

namespace moquan {

void runLoginSettings(QWidget *parent)
{
    const QString stored = UnscramblePassword(setting(QStringLiteral("请设置密码")));
    const QString expected = stored.isEmpty() ? kDefaultPassword : stored;
    const QString prompt = stored.isEmpty()
                               ? QStringLiteral("请输入密码，默认密码为 ") + kDefaultPassword
                               : QStringLiteral("密码已设置，请输入正确的密码");
    const auto warn = [parent](const QString &text) {
        dialogs().messageBox(parent, text, QStringLiteral("提示"), DialogIcon::Warning,
                             DialogButtons::Ok);
    };
    const std::optional<QString> current = dialogs().inputText(parent, prompt, QString(), QString(), true);
    if (!current)
        return;
    if (*current != expected) {
        warn(QStringLiteral("你输入的密码认证错误，请重新输入！"));
        return;
    }
    const std::optional<QString> first =
        dialogs().inputText(parent, QStringLiteral("请输入你要设置的密码"), QString(), QString(), true);
    if (!first)
        return;
    const std::optional<QString> second =
        dialogs().inputText(parent, QStringLiteral("请再次输入你要设置的密码"), QString(), QString(), true);
    if (!second)
        return;
    if (*first != *second) {
        warn(QStringLiteral("对不起，你两次输入的密码不一致，请重新设置！"));
        return;
    }
    setSetting(QStringLiteral("设置软件密码"), first->isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    // An empty new password scrambles to the empty text, which the settings
    // file refuses: the old password stays stored but is no longer asked for.
    setSetting(QStringLiteral("请设置密码"), ScramblePassword(*first));
    warn(QStringLiteral("你的密码已设置，请重新启动软件方可生效！"));
}

} // namespace moquan
