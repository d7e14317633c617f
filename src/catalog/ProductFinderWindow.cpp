#include "catalog/ProductFinderWindow.h"

#include "app/AppContext.h"
#include "catalog/ProductInfoPopup.h"
#include "catalog/CatalogStore.h"
#include "catalog/ProductSearch.h"
#include "catalog/QuickCode.h"
#include "chrome/FormKit.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace moquan {

namespace {

const QString kWindow = QStringLiteral("ProductFinderWindow");

struct Receiver {
    QPointer<QObject> owner;
    ProductFinderWindow::ChoiceReceiver take;
};

QList<Receiver> &choiceReceivers()
{
    static QList<Receiver> list;
    return list;
}

ProductFinderWindow::ChoiceReceiver &fallback()
{
    static ProductFinderWindow::ChoiceReceiver f;
    return f;
}

} // namespace

ProductFinderWindow::ProductFinderWindow(QWidget *parent) : FramedWindow(kWindow, parent)
{
    setObjectName(kWindow);
    setWindowTitle(QStringLiteral("查询分类"));
    resize(236, 303);

    form::label(this, QStringLiteral("标签1"), QStringLiteral("选择品牌:"), QRect(17, 33, 56, 16));
    brand_ = form::comboBox(this, QStringLiteral("品牌"), QRect(74, 31, 144, 20));
    form::label(this, QStringLiteral("标签2"), QStringLiteral("选择分类:"), QRect(17, 61, 56, 16));
    category_ = form::comboBox(this, QStringLiteral("分类"), QRect(74, 57, 144, 20));
    form::label(this, QStringLiteral("标签3"), QStringLiteral("快速取词/编号"), QRect(17, 86, 82, 16));
    quick_ = form::edit(this, QStringLiteral("快速取词"), QRect(100, 84, 115, 20));
    form::label(this, QStringLiteral("标签4"), QStringLiteral("选择产品:"), QRect(17, 111, 56, 16));
    products_ = form::listBox(this, QStringLiteral("产品"), QRect(17, 129, 200, 130));
    QLabel *line = form::label(this, QStringLiteral("标签11"), QString(), QRect(0, 265, 250, 2));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    SkinButton *ok = form::button(this, QStringLiteral("确定"), QStringLiteral("确  定"),
                                  QRect(42, 271, 64, 22), 1);
    SkinButton *cancel = form::button(this, QStringLiteral("取消"), QStringLiteral("关  闭"),
                                      QRect(130, 271, 64, 22), 2);

    setUpFrame();
    skinButtons();
    brand_->clear();
    brand_->addItems(productSearchBrands());
    brand_->setCurrentIndex(-1);

    connect(brand_, &QComboBox::activated, this, &ProductFinderWindow::pickBrand);
    connect(category_, &QComboBox::activated, this, &ProductFinderWindow::pickCategory);
    connect(quick_, &QLineEdit::textChanged, this, &ProductFinderWindow::quickSearch);
    connect(products_, &QListWidget::itemSelectionChanged, this,
            &ProductFinderWindow::productSelected);
    connect(products_, &QListWidget::itemDoubleClicked, this, &ProductFinderWindow::chooseProduct);
    connect(ok, &QPushButton::clicked, this, &ProductFinderWindow::chooseProduct);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    // Enter in an edit box presses no button.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);
    appContext().registerWindow(kWindow, this);
    if (ProductInfoPopup::current())
        placePopup();
}

ProductFinderWindow::~ProductFinderWindow()
{
    // Gone without being closed: the popup goes all the same.
    if (isVisible()) {
        appContext().popupProductName.clear();
        ProductInfoPopup::closePopup();
    }
}

// ---- Choice receivers ------------------------------------------------------

void ProductFinderWindow::addChoiceReceiver(QObject *owner, ChoiceReceiver receiver)
{
    choiceReceivers().append({owner, std::move(receiver)});
}

void ProductFinderWindow::removeChoiceReceivers(QObject *owner)
{
    choiceReceivers().removeIf([owner](const Receiver &r) { return !r.owner || r.owner == owner; });
}

void ProductFinderWindow::setFallbackReceiver(ChoiceReceiver receiver)
{
    fallback() = std::move(receiver);
}

void ProductFinderWindow::deliverChoice(const QString &productName)
{
    // Receivers whose owner is gone are dropped first.
    choiceReceivers().removeIf([](const Receiver &r) { return !r.owner; });
    const QList<Receiver> now = choiceReceivers();
    for (auto it = now.crbegin(); it != now.crend(); ++it)
        if (it->owner && it->take && it->take(productName))
            return;
    if (fallback())
        fallback()(productName);
}

// ---- Events ----------------------------------------------------------------

QString ProductFinderWindow::selectedProductName() const
{
    const QList<QListWidgetItem *> sel = products_->selectedItems();
    return sel.isEmpty() ? QString() : sel.first()->text();
}

void ProductFinderWindow::pickBrand(int index)
{
    const QString brand = brand_->itemText(index);
    category_->clear();
    category_->addItems(productSearchCategories(brand));
    if (category_->count() > 0) {
        category_->setCurrentIndex(0);
        if (isVisible())
            category_->showPopup();
    }
}

void ProductFinderWindow::pickCategory(int index)
{
    const QString category = category_->itemText(index);
    products_->clear();
    products_->addItems(productNamesOfCategory(category));
}

void ProductFinderWindow::quickSearch(const QString &text)
{
    if (suppressSearch_)
        return;
    QStringList names;
    Recordset rs = quickProductSearch(text, QStringLiteral("产品名称"));
    for (; !rs.IsEOF(); rs.MoveNext())
        names << rs.text(QStringLiteral("产品名称"));
    rs.CloseRecordset();
    products_->clear();
    products_->addItems(names);
}

void ProductFinderWindow::productSelected()
{
    const QString name = selectedProductName();
    suppressSearch_ = true;
    quick_->setText(quickCode(name));
    suppressSearch_ = false;

    appContext().popupProductName = name;
    if (!name.isEmpty()) {
        ProductInfoPopup::showFor(this);
        placePopup();
    }
    if (ProductInfoPopup *popup = ProductInfoPopup::current())
        popup->fill(); // closes it when the name is empty

    const Product d = CatalogStore().product(name).value_or(Product{});
    brand_->setEditText(d.brand);
    category_->setEditText(d.category);
}

void ProductFinderWindow::moveBesidePurchaseList()
{
    if (QWidget *list = appContext().openWindow(QStringLiteral("PurchaseListWindow")))
        move(list->frameGeometry().x() + 50, y());
}

void ProductFinderWindow::placePopup()
{
    moveBesidePurchaseList();
    if (ProductInfoPopup *popup = ProductInfoPopup::current())
        popup->follow(this);
}

void ProductFinderWindow::showEvent(QShowEvent *e)
{
    FramedWindow::showEvent(e);
    if (ProductInfoPopup::current())
        placePopup();
}

void ProductFinderWindow::chooseProduct()
{
    const QString name = selectedProductName();
    appContext().handedOverProductName = name;
    accept();
    deliverChoice(name);
}

void ProductFinderWindow::done(int r)
{
    // *Close the finder*: the popup goes with it.
    appContext().popupProductName.clear();
    ProductInfoPopup::closePopup();
    FramedWindow::done(r);
}

} // namespace moquan
