#pragma once
// Every message box, question, text input box, file dialog and print dialog of
// the program goes through the one installed DialogService.  The Qt service
// shows real dialogs; ScriptedDialogs answers from a queue and records what
// was shown, so tests assert exact texts and never wait on a modal box.
#include <QList>
#include <QQueue>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QWidget;
class QPrinter;

namespace moquan {

enum class DialogIcon { None, Information, Question, Warning, Critical };
enum class DialogButtons { Ok, OkCancel, YesNo };
enum class DialogAnswer { Ok, Cancel, Yes, No };

inline const QString kDefaultTitle = QStringLiteral("信息：");

class DialogService {
public:
    virtual ~DialogService() = default;

    // The service in use; a QtDialogs is made on first use when none was installed.
    static DialogService &instance();
    // Installs a service (ownership passes); returns it for convenience.
    static DialogService *install(std::unique_ptr<DialogService> service);

    virtual DialogAnswer messageBox(QWidget *parent, const QString &text,
                                    const QString &title = kDefaultTitle,
                                    DialogIcon icon = DialogIcon::Information,
                                    DialogButtons buttons = DialogButtons::Ok) = 0;
    // A text input box; std::nullopt when the user cancels.
    virtual std::optional<QString> inputText(QWidget *parent, const QString &title,
                                             const QString &prompt, const QString &initial,
                                             bool masked) = 0;
    // File dialogs; the empty text when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &caption,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption,
                                 const QString &filter, const QString &suggested) = 0;
    // The print dialog; false when the user cancels.
    virtual bool printDialog(QWidget *parent, QPrinter *printer) = 0;
    // The system beep.
    virtual void beep() = 0;

    // Shorthands.
    void inform(QWidget *parent, const QString &text, const QString &title = kDefaultTitle)
    {
        messageBox(parent, text, title, DialogIcon::Information, DialogButtons::Ok);
    }
    // OK and Cancel with the question icon; true on OK.
    bool confirm(QWidget *parent, const QString &text, const QString &title)
    {
        return messageBox(parent, text, title, DialogIcon::Question, DialogButtons::OkCancel)
            == DialogAnswer::Ok;
    }
    // Yes and No with the question icon; true on Yes.
    bool askYesNo(QWidget *parent, const QString &text, const QString &title)
    {
        return messageBox(parent, text, title, DialogIcon::Question, DialogButtons::YesNo)
            == DialogAnswer::Yes;
    }
};

inline DialogService &dialogs() { return DialogService::instance(); }

class QtDialogs : public DialogService {
public:
    DialogAnswer messageBox(QWidget *parent, const QString &text, const QString &title,
                            DialogIcon icon, DialogButtons buttons) override;
    std::optional<QString> inputText(QWidget *parent, const QString &title,
                                     const QString &prompt, const QString &initial,
                                     bool masked) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &suggested) override;
    bool printDialog(QWidget *parent, QPrinter *printer) override;
    void beep() override;
};

// Answers from a queue, in order of asking.  An empty queue answers a message
// box with its first button (OK or Yes), an input box and a file dialog with
// cancel, and the print dialog with cancel.
class ScriptedDialogs : public DialogService {
public:
    struct Shown {
        QString kind;  // "message", "input", "open", "save", "print"
        QString title;
        QString text;  // message text, input prompt, file caption
        DialogIcon icon = DialogIcon::None;
        DialogButtons buttons = DialogButtons::Ok;
    };

    // Installs a fresh ScriptedDialogs and returns it.
    static ScriptedDialogs *installNew();

    void answer(DialogAnswer a) { queue_.enqueue(QVariant::fromValue(int(a))); }
    void answerText(const QString &text) { queue_.enqueue(QVariant(text)); }
    void answerCancel() { queue_.enqueue(QVariant()); }
    void answerFile(const QString &path) { queue_.enqueue(QVariant(path)); }
    void answerPrint(bool ok) { queue_.enqueue(QVariant(ok)); }

    QList<Shown> shown;
    int beeps = 0;
    // The texts of all message boxes shown so far.
    QStringList messages() const;
    QString lastMessage() const;
    QString lastTitle() const;
    int pending() const { return queue_.size(); }
    void clear() { shown.clear(); queue_.clear(); beeps = 0; }

    DialogAnswer messageBox(QWidget *parent, const QString &text, const QString &title,
                            DialogIcon icon, DialogButtons buttons) override;
    std::optional<QString> inputText(QWidget *parent, const QString &title,
                                     const QString &prompt, const QString &initial,
                                     bool masked) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &suggested) override;
    bool printDialog(QWidget *parent, QPrinter *printer) override;
    void beep() override { ++beeps; }

private:
    QQueue<QVariant> queue_;
};

} // namespace moquan
