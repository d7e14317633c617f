#pragma once
// The form kit: the control kinds the windows are built from, and one
// function per kind that makes a control of a form table in one line: the
// control's objectName is its Chinese control name, its geometry the form's
// place and size (window coordinates, title strip included).
#include "chrome/PictureBox.h"
#include "chrome/PictureButton.h"
#include "chrome/ReportModel.h"
#include "chrome/SkinButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace moquan {

// A label that reports a press of the left mouse button.  The press still
// goes on to the window below (so a label does not stop the window from
// being dragged).
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);
    explicit Label(const QString &text, QWidget *parent = nullptr);
Q_SIGNALS:
    void leftPressed();

protected:
    void mousePressEvent(QMouseEvent *) override;
};

// A one-line edit box with the events of the forms: got focus, lost focus
// and key released (besides QLineEdit's own textChanged).
class LineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit LineEdit(QWidget *parent = nullptr);
Q_SIGNALS:
    void focusEntered();
    void focusLeft();
    void keyReleased(int key);

protected:
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;
};

// A multi-line edit box with the same events.
class TextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextEdit(QWidget *parent = nullptr);
    QString text() const { return toPlainText(); }
    void setText(const QString &t) { setPlainText(t); }
Q_SIGNALS:
    void focusEntered();
    void focusLeft();
    void keyReleased(int key);

protected:
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;
};

// The small date picker button beside a date box: a click drops down a
// calendar; picking a day emits dateChosen.
class DatePickerButton : public QToolButton {
    Q_OBJECT
public:
    explicit DatePickerButton(QWidget *parent = nullptr);
    QDate date() const { return date_; }
    void setDate(const QDate &d) { date_ = d; }
    // Drops the calendar down below the button.
    void showCalendar();
Q_SIGNALS:
    void dateChosen(const QDate &date);

private:
    QDate date_;
};

namespace form {

Label *label(QWidget *parent, const QString &name, const QString &text, QRect geom,
             bool transparent = false);
LineEdit *edit(QWidget *parent, const QString &name, QRect geom, const QString &text = {});
// masked entry: shows bullets instead of the characters.
LineEdit *maskedEdit(QWidget *parent, const QString &name, QRect geom, const QString &text = {});
TextEdit *multiEdit(QWidget *parent, const QString &name, QRect geom, const QString &text = {},
                    bool readOnly = false);
// A push button of kind "超级按钮"; tag > 0 marks it for Skin the buttons
// (property "tag" holds the number).
SkinButton *button(QWidget *parent, const QString &name, const QString &text, QRect geom,
                   int tag = 0);
QPushButton *plainButton(QWidget *parent, const QString &name, const QString &text, QRect geom);
// A picture button; missing pictures fall back to the normal one.
PictureButton *pictureButton(QWidget *parent, const QString &name, QRect geom,
                             const QPixmap &normal = {}, const QPixmap &hover = {},
                             const QPixmap &pressed = {}, const QPixmap &disabled = {});
PictureBox *pictureBox(QWidget *parent, const QString &name, QRect geom);
QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text, QRect geom,
                    bool checked = false);
QComboBox *comboBox(QWidget *parent, const QString &name, QRect geom, bool editable = true,
                    const QStringList &items = {});
QListWidget *listBox(QWidget *parent, const QString &name, QRect geom);
QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &text, QRect geom);
// A date box with a drop-down calendar, showing yyyy-MM-dd; today when date is invalid.
QDateEdit *datePicker(QWidget *parent, const QString &name, QRect geom, const QDate &date = {});
// The small button that drops a calendar down (form kind "date picker button").
DatePickerButton *datePickerButton(QWidget *parent, const QString &name, QRect geom);
// A tree of nodes with pictures under one root; no header.
QTreeWidget *treeView(QWidget *parent, const QString &name, QRect geom);
// The report-style list: columns with header text and width, rows with a
// hidden value, optional check boxes (checkBoxes), in-place editing per column.
ReportView *listView(QWidget *parent, const QString &name, QRect geom,
                     const QList<ReportColumn> &columns = {}, bool checkBoxes = false);

} // namespace form

// The pictures of tree nodes.
enum class TreeIcon { Root, Folder, Leaf };
QIcon treeIcon(TreeIcon which);

} // namespace moquan
