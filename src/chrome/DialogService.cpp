#include "chrome/DialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace moquan {

namespace {
std::unique_ptr<DialogService> &slot()
{
    static std::unique_ptr<DialogService> s;
    return s;
}
} // namespace

DialogService &DialogService::instance()
{
    if (!slot())
        slot() = std::make_unique<QtDialogs>();
    return *slot();
}

DialogService *DialogService::install(std::unique_ptr<DialogService> service)
{
    slot() = std::move(service);
    return slot().get();
}

DialogAnswer QtDialogs::messageBox(QWidget *parent, const QString &text, const QString &title,
                                   DialogIcon icon, DialogButtons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case DialogIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case DialogIcon::Information: box.setIcon(QMessageBox::Information); break;
    case DialogIcon::Question: box.setIcon(QMessageBox::Question); break;
    case DialogIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case DialogIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton *first = nullptr;
    QPushButton *second = nullptr;
    switch (buttons) {
    case DialogButtons::Ok:
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        break;
    case DialogButtons::OkCancel:
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        second = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        break;
    case DialogButtons::YesNo:
        first = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        second = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
        break;
    }
    box.setDefaultButton(first);
    if (second)
        box.setEscapeButton(second);
    box.exec();
    const bool firstChosen = box.clickedButton() == first;
    if (buttons == DialogButtons::YesNo)
        return firstChosen ? DialogAnswer::Yes : DialogAnswer::No;
    return firstChosen ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

std::optional<QString> QtDialogs::inputText(QWidget *parent, const QString &title,
                                            const QString &prompt, const QString &initial,
                                            bool masked)
{
    QInputDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(initial);
    dlg.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    dlg.setOkButtonText(QStringLiteral("确定"));
    dlg.setCancelButtonText(QStringLiteral("取消"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString QtDialogs::openFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

bool QtDialogs::printDialog(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dlg(printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

void QtDialogs::beep() { QApplication::beep(); }

ScriptedDialogs *ScriptedDialogs::installNew()
{
    return static_cast<ScriptedDialogs *>(install(std::make_unique<ScriptedDialogs>()));
}

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const Shown &s : shown)
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

QString ScriptedDialogs::lastMessage() const
{
    const QStringList all = messages();
    return all.isEmpty() ? QString() : all.last();
}

QString ScriptedDialogs::lastTitle() const
{
    for (auto it = shown.crbegin(); it != shown.crend(); ++it)
        if (it->kind == QLatin1String("message"))
            return it->title;
    return QString();
}

DialogAnswer ScriptedDialogs::messageBox(QWidget *, const QString &text, const QString &title,
                                         DialogIcon icon, DialogButtons buttons)
{
    shown.append({QStringLiteral("message"), title, text, icon, buttons});
    if (!queue_.isEmpty() && queue_.head().typeId() == QMetaType::Int)
        return DialogAnswer(queue_.dequeue().toInt());
    return buttons == DialogButtons::YesNo ? DialogAnswer::Yes : DialogAnswer::Ok;
}

std::optional<QString> ScriptedDialogs::inputText(QWidget *, const QString &title,
                                                  const QString &prompt, const QString &,
                                                  bool)
{
    shown.append({QStringLiteral("input"), title, prompt});
    if (queue_.isEmpty())
        return std::nullopt;
    const QVariant v = queue_.dequeue();
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption, const QString &)
{
    shown.append({QStringLiteral("open"), caption, caption});
    return queue_.isEmpty() ? QString() : queue_.dequeue().toString();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &caption, const QString &,
                                      const QString &)
{
    shown.append({QStringLiteral("save"), caption, caption});
    return queue_.isEmpty() ? QString() : queue_.dequeue().toString();
}

bool ScriptedDialogs::printDialog(QWidget *, QPrinter *)
{
    shown.append({QStringLiteral("print"), QString(), QString()});
    return !queue_.isEmpty() && queue_.dequeue().toBool();
}

} // namespace moquan
