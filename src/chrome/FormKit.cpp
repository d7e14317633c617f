#include "chrome/FormKit.h"

#include "chrome/ChromePictures.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWidgetAction>

namespace moquan {

// --------------------------------------------------------------------- Label

Label::Label(QWidget *parent) : QLabel(parent) {}

Label::Label(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void Label::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT leftPressed();
    QLabel::mousePressEvent(e);
}

// ------------------------------------------------------------------ LineEdit

LineEdit::LineEdit(QWidget *parent) : QLineEdit(parent) {}

void LineEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    Q_EMIT focusEntered();
}

void LineEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    Q_EMIT focusLeft();
}

void LineEdit::keyReleaseEvent(QKeyEvent *e)
{
    QLineEdit::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        Q_EMIT keyReleased(e->key());
}

// ------------------------------------------------------------------ TextEdit

TextEdit::TextEdit(QWidget *parent) : QPlainTextEdit(parent) {}

void TextEdit::focusInEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusInEvent(e);
    Q_EMIT focusEntered();
}

void TextEdit::focusOutEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusOutEvent(e);
    Q_EMIT focusLeft();
}

void TextEdit::keyReleaseEvent(QKeyEvent *e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        Q_EMIT keyReleased(e->key());
}

// ---------------------------------------------------------- DatePickerButton

DatePickerButton::DatePickerButton(QWidget *parent) : QToolButton(parent)
{
    setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    connect(this, &QToolButton::clicked, this, &DatePickerButton::showCalendar);
}

void DatePickerButton::showCalendar()
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto *calendar = new QCalendarWidget(menu);
    calendar->setGridVisible(true);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setSelectedDate(date_.isValid() ? date_ : QDate::currentDate());
    auto *action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar);
    menu->addAction(action);
    connect(calendar, &QCalendarWidget::clicked, this, [this, menu](const QDate &d) {
        date_ = d;
        menu->close();
        Q_EMIT dateChosen(d);
    });
    connect(calendar, &QCalendarWidget::activated, this, [this, menu](const QDate &d) {
        date_ = d;
        menu->close();
        Q_EMIT dateChosen(d);
    });
    menu->popup(mapToGlobal(QPoint(0, height())));
}

// ---------------------------------------------------------------- form kit

namespace form {

namespace {
template <class W>
W *place(W *w, const QString &name, QRect geom)
{
    w->setObjectName(name);
    w->setGeometry(geom);
    return w;
}
} // namespace

Label *label(QWidget *parent, const QString &name, const QString &text, QRect geom, bool transparent)
{
    auto *l = place(new Label(text, parent), name, geom);
    // Labels draw no background of their own: on the plain face of the forms
    // an opaque label and a transparent one look the same, and inside group
    // boxes an opaque one would show as a patch.
    l->setProperty("transparent", transparent);
    return l;
}

LineEdit *edit(QWidget *parent, const QString &name, QRect geom, const QString &text)
{
    auto *e = place(new LineEdit(parent), name, geom);
    e->setText(text);
    return e;
}

LineEdit *maskedEdit(QWidget *parent, const QString &name, QRect geom, const QString &text)
{
    LineEdit *e = edit(parent, name, geom, text);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

TextEdit *multiEdit(QWidget *parent, const QString &name, QRect geom, const QString &text, bool readOnly)
{
    auto *e = place(new TextEdit(parent), name, geom);
    e->setPlainText(text);
    e->setReadOnly(readOnly);
    return e;
}

SkinButton *button(QWidget *parent, const QString &name, const QString &text, QRect geom, int tag)
{
    auto *b = place(new SkinButton(text, parent), name, geom);
    if (tag > 0)
        b->setProperty("tag", tag);
    return b;
}

QPushButton *plainButton(QWidget *parent, const QString &name, const QString &text, QRect geom)
{
    return place(new QPushButton(text, parent), name, geom);
}

PictureButton *pictureButton(QWidget *parent, const QString &name, QRect geom, const QPixmap &normal,
                             const QPixmap &hover, const QPixmap &pressed, const QPixmap &disabled)
{
    auto *b = place(new PictureButton(parent), name, geom);
    b->setPictures(normal, hover, pressed, disabled);
    return b;
}

PictureBox *pictureBox(QWidget *parent, const QString &name, QRect geom)
{
    auto *p = place(new PictureBox(parent), name, geom);
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Sunken);
    return p;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text, QRect geom, bool checked)
{
    auto *c = place(new QCheckBox(text, parent), name, geom);
    c->setChecked(checked);
    return c;
}

QComboBox *comboBox(QWidget *parent, const QString &name, QRect geom, bool editable, const QStringList &items)
{
    auto *c = place(new QComboBox(parent), name, geom);
    c->setEditable(editable);
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    if (editable)
        c->setCurrentIndex(-1);
    return c;
}

QListWidget *listBox(QWidget *parent, const QString &name, QRect geom)
{
    auto *l = place(new QListWidget(parent), name, geom);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    return l;
}

QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &text, QRect geom)
{
    return place(new QGroupBox(text, parent), name, geom);
}

QDateEdit *datePicker(QWidget *parent, const QString &name, QRect geom, const QDate &date)
{
    auto *d = place(new QDateEdit(parent), name, geom);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setDate(date.isValid() ? date : QDate::currentDate());
    return d;
}

DatePickerButton *datePickerButton(QWidget *parent, const QString &name, QRect geom)
{
    return place(new DatePickerButton(parent), name, geom);
}

QTreeWidget *treeView(QWidget *parent, const QString &name, QRect geom)
{
    auto *t = place(new QTreeWidget(parent), name, geom);
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setRootIsDecorated(true);
    t->setUniformRowHeights(true);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

ReportView *listView(QWidget *parent, const QString &name, QRect geom, const QList<ReportColumn> &columns,
                     bool checkBoxes)
{
    auto *v = place(new ReportView(parent), name, geom);
    v->reportModel()->setCheckable(checkBoxes);
    if (!columns.isEmpty())
        v->reportModel()->setColumns(columns);
    return v;
}

} // namespace form

QIcon treeIcon(TreeIcon which)
{
    switch (which) {
    case TreeIcon::Root: return QIcon(chromePicture(ChromePicture::TreeRoot));
    case TreeIcon::Folder: return QIcon(chromePicture(ChromePicture::TreeFolder));
    case TreeIcon::Leaf: return QIcon(chromePicture(ChromePicture::TreeLeaf));
    }
    return {};
}

} // namespace moquan
