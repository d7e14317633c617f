#pragma once
// Small helpers the tests share: reading and writing the open database,
// reading and pressing named controls, driving a window once its modal loop
// runs, and picture and file bytes.
#include "app/AppContext.h"
#include "chrome/ReportModel.h"
#include "store/Database.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QVariantList>
#include <QWidget>
#include <functional>

namespace moquan::testing {

// ---- Database ----

// The first column of the first row as text; empty when there is no row.
inline QString one(const QString &sql, const QVariantList &params = {})
{
    Recordset rs = database().Query(sql, params);
    return rs.IsEOF() ? QString() : rs.ReadColByIndex(1).toString();
}

// The first column of every row as text.
inline QStringList column(const QString &sql, const QVariantList &params = {})
{
    QStringList out;
    Recordset rs = database().Query(sql, params);
    for (; !rs.IsEOF(); rs.MoveNext())
        out << rs.ReadColByIndex(1).toString();
    return out;
}

// Runs a statement; a failure fails the test with the database's message.
inline void exec(const QString &sql, const QVariantList &params = {})
{
    QVERIFY2(database().ExecuteSql(sql, params), qPrintable(database().lastError()));
}

// ---- Controls ----

// The control `name` of type T inside `w`; warns when there is none.
template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromUtf8(name));
    if (!c)
        qWarning("no control %s", name);
    return c;
}

// Clicks the button `name`; fails when it is missing or disabled.
inline void click(QWidget *w, const char *name)
{
    auto *b = w->findChild<QPushButton *>(QString::fromUtf8(name));
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    b->click();
}

// The texts of a list's lines, top to bottom.
inline QStringList lines(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The texts of a combo box's items.
inline QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The texts of one column of a report list, top to bottom.
inline QStringList column(ReportModel *m, int col)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->text(r, col);
    return out;
}

inline QStringList column(ReportView *view, int col)
{
    return column(view->reportModel(), col);
}

// ---- Modal windows ----

// Runs `drive` on the window `name` once its modal loop runs (queue it, then
// click the opener), then closes the window if it is still open, also when a
// check in `drive` failed.
inline void whenOpen(const QString &name, std::function<void(QWidget *)> drive)
{
    QTimer::singleShot(0, [name, drive] {
        QWidget *opened = appContext().openWindow(name);
        if (!opened || !opened->isVisible()) {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            QFAIL(qPrintable(name + " did not open"));
        }
        QPointer<QWidget> w = opened;
        drive(opened);
        if (w && w->isVisible())
            w->close();
    });
}

// ---- Pictures and files ----

// A small red picture in `format` ("PNG", "JPEG", "BMP", "GIF", ...).
inline QByteArray imageBytes(const char *format = "PNG")
{
    if (qstrcmp(format, "GIF") == 0) { // Qt reads GIF but does not write it: a 1 x 1 GIF
        static const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                                  "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                                  "\x00\x02\x02" "D\x01\x00;";
        return QByteArray(gif, sizeof gif - 1);
    }
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

// A file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes `bytes` as the whole file; fails when it cannot be opened.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace moquan::testing
