#pragma once
// ProductInfoPopup: a small window, not modal, that shows one product's
// name, number, price, introduction and picture beside the product finder
// and the entry windows.  It shows the product named by
// appContext().popupProductName and empties that name when it closes.
#include "chrome/FramedWindow.h"

#include <QPointer>

class QLabel;

namespace moquan {

class PictureBox;
class TextEdit;

class ProductInfoPopup : public FramedWindow {
    Q_OBJECT
public:
    explicit ProductInfoPopup(QWidget *parent = nullptr);
    ~ProductInfoPopup() override;

    // The open popup, or nullptr.
    static ProductInfoPopup *current();
    // The open popup; when none is open, a new one (filled from the popup
    // product name, not modal, shown without taking the focus).  `parent`
    // is the window the popup belongs to: it stays usable above that
    // window's modal dialog and goes when that window goes.
    static ProductInfoPopup *showFor(QWidget *parent);
    // Closes the open popup, if any (the popup product name becomes empty).
    static void closePopup();

    // *Fill the popup* from the product named by the popup product name;
    // closes the popup when that name is empty.
    void fill();
    // *Place the popup*: left edge on the anchor's right edge, same top;
    // raised above the other windows without taking the focus.
    void placeBeside(QWidget *anchor);
    // Places the popup beside the anchor now and again whenever the anchor
    // moves or changes size, until it follows another window.
    void follow(QWidget *anchor);
    QWidget *anchor() const { return anchor_; }

protected:
    void closeEvent(QCloseEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popupClosed();

    QLabel *name_ = nullptr;
    PictureBox *picture_ = nullptr;
    QLabel *number_ = nullptr;
    QLabel *price_ = nullptr;
    TextEdit *introduction_ = nullptr;
    QPointer<QWidget> anchor_;
    bool closed_ = false;
};

} // namespace moquan
