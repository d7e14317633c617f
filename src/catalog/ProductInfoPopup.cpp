#include "catalog/ProductInfoPopup.h"

#include "app/AppContext.h"
#include "catalog/CatalogStore.h"
#include "catalog/ProductSearch.h"
#include "chrome/FormKit.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>

namespace moquan {

namespace {

const QString kWindow = QStringLiteral("ProductInfoPopup");
QPointer<ProductInfoPopup> s_current;

} // namespace

ProductInfoPopup::ProductInfoPopup(QWidget *parent) : FramedWindow(kWindow, parent)
{
    setObjectName(kWindow);
    setWindowTitle(QStringLiteral("产品信息"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(422, 375);

    // The popup has no title of its own: its title label, "产品名称", shows
    // the product's name.
    name_ = titleLabel();
    name_->setObjectName(QStringLiteral("产品名称"));
    picture_ = form::pictureBox(this, QStringLiteral("产品图片"), QRect(12, 30, 174, 242));
    number_ = form::label(this, QStringLiteral("产品编号"), QStringLiteral("产品编号"),
                          QRect(221, 31, 175, 24));
    price_ = form::label(this, QStringLiteral("产品定价"), QStringLiteral("产品定价"),
                         QRect(221, 60, 175, 24));
    // The introduction fills the column below the number and the price.
    introduction_ = form::multiEdit(this, QStringLiteral("产品介绍"), QRect(193, 88, 221, 280),
                                    QStringLiteral("*"), true);

    setUpFrame();
    s_current = this;
    appContext().registerWindow(kWindow, this);
    fill();
}

ProductInfoPopup::~ProductInfoPopup()
{
    if (s_current == this)
        s_current = nullptr;
}

ProductInfoPopup *ProductInfoPopup::current() { return s_current.data(); }

ProductInfoPopup *ProductInfoPopup::showFor(QWidget *parent)
{
    if (ProductInfoPopup *p = current())
        return p;
    auto *p = new ProductInfoPopup(parent);
    if (current() != p)
        return nullptr; // the name was empty: it closed at once
    p->show();
    return p;
}

void ProductInfoPopup::closePopup()
{
    if (ProductInfoPopup *p = current())
        p->close();
}

void ProductInfoPopup::fill()
{
    const QString name = appContext().popupProductName;
    if (name.isEmpty()) {
        close();
        return;
    }
    const Product d = CatalogStore().product(name).value_or(Product{});
    setTitleText(QStringLiteral("    ") + d.name);
    number_->setText(QStringLiteral("产品编号:") + d.number);
    price_->setText(QStringLiteral("产品定价:￥") + numberText(wholePrice(d.price)));
    introduction_->setText(d.introduction);
    if (d.picture.isEmpty())
        picture_->clear();
    else
        picture_->setBytes(d.picture);
}

void ProductInfoPopup::placeBeside(QWidget *anchor)
{
    if (!anchor)
        return;
    const QRect a = anchor->frameGeometry();
    move(a.x() + a.width(), a.y());
    raise();
}

void ProductInfoPopup::follow(QWidget *anchor)
{
    if (anchor_ != anchor) {
        if (anchor_)
            anchor_->removeEventFilter(this);
        anchor_ = anchor;
        if (anchor_)
            anchor_->installEventFilter(this);
    }
    placeBeside(anchor);
}

bool ProductInfoPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == anchor_ && !closed_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
            placeBeside(anchor_);
            break;
        default:
            break;
        }
    }
    return FramedWindow::eventFilter(watched, event);
}

void ProductInfoPopup::popupClosed()
{
    if (closed_)
        return;
    closed_ = true;
    appContext().popupProductName.clear();
    if (s_current == this)
        s_current = nullptr;
    if (anchor_)
        anchor_->removeEventFilter(this);
}

void ProductInfoPopup::closeEvent(QCloseEvent *e)
{
    popupClosed();
    FramedWindow::closeEvent(e);
}

void ProductInfoPopup::done(int r)
{
    popupClosed();
    FramedWindow::done(r);
    // Closed by its dialog result rather than close(): it goes all the same.
    deleteLater();
}

} // namespace moquan
