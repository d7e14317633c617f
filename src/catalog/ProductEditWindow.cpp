#include "catalog/ProductEditWindow.h"

#include "app/AppContext.h"
#include "catalog/BrandWindow.h"
#include "catalog/CatalogStore.h"
#include "catalog/CategoryWindow.h"
#include "catalog/ProductListWindow.h"
#include "catalog/QuickCode.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <cmath>

namespace moquan {

namespace {

const QString kWindow = QStringLiteral("ProductEditWindow");
const QString kPictureFilter = QStringLiteral("图像文件 (*.jpg *.jpeg *.bmp *.gif)");

// Replaces a combo box's list, keeping the text it shows.
void refill(QComboBox *box, const QStringList &items)
{
    const QString shown = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(shown);
}

// The text of a control of another window, whether an edit box or a combo box.
QString controlText(QWidget *window, const QString &name)
{
    if (!window)
        return {};
    if (auto *edit = window->findChild<QLineEdit *>(name))
        return edit->text();
    if (auto *combo = window->findChild<QComboBox *>(name))
        return combo->currentText();
    return {};
}

} // namespace

ProductEditWindow::ProductEditWindow(QWidget *parent)
    : FramedWindow(kWindow, parent), mode_(appContext().productEditMode)
{
    setObjectName(kWindow);
    resize(522, 437);
    buildForm();
    setUpFrame();
    if (mode_ == 2 || mode_ == 3)
        delete_->setEnabled(true);
    reopen();
    skinButtons();
    appContext().registerWindow(kWindow, this);
}

ProductEditWindow::~ProductEditWindow() { appContext().productEditMode = 0; }

void ProductEditWindow::buildForm()
{
    auto caption = [this](const QString &text, QRect geom) {
        form::label(this, QStringLiteral("标签") + text, text, geom);
    };
    caption(QStringLiteral("产品名称"), QRect(14, 34, 56, 20));
    name_ = form::edit(this, QStringLiteral("产品名称"), QRect(71, 34, 200, 20));
    caption(QStringLiteral("所属品牌"), QRect(14, 61, 56, 20));
    brand_ = form::comboBox(this, QStringLiteral("所属品牌"), QRect(71, 61, 184, 20));
    auto *addBrand = form::plainButton(this, QStringLiteral("增加品牌"), QStringLiteral("+"),
                                       QRect(257, 62, 18, 18));
    caption(QStringLiteral("所属类别"), QRect(14, 88, 56, 20));
    category_ = form::comboBox(this, QStringLiteral("所属类别"), QRect(71, 88, 184, 20));
    auto *addCategory = form::plainButton(this, QStringLiteral("增加类别"), QStringLiteral("+"),
                                          QRect(257, 88, 18, 18));
    caption(QStringLiteral("产品定价"), QRect(14, 115, 56, 20));
    price_ = form::edit(this, QStringLiteral("产品定价"), QRect(71, 115, 76, 20), QStringLiteral("0"));
    form::label(this, QStringLiteral("标签库存数"), QStringLiteral("库存数"), QRect(157, 115, 44, 20));
    stock_ = form::edit(this, QStringLiteral("库存数"), QRect(202, 115, 49, 20), QStringLiteral("0"));
    addStock_ = form::plainButton(this, QStringLiteral("增加库存"), QStringLiteral("+"),
                                  QRect(256, 116, 18, 18));
    caption(QStringLiteral("警戒库存"), QRect(14, 142, 56, 20));
    alertLevel_ = form::edit(this, QStringLiteral("警戒库存"), QRect(71, 142, 76, 20), QStringLiteral("0"));
    caption(QStringLiteral("产品编号"), QRect(14, 167, 56, 20));
    number_ = form::edit(this, QStringLiteral("产品编号"), QRect(71, 167, 184, 20), QStringLiteral("0"));
    caption(QStringLiteral("预计可用天数"), QRect(14, 194, 74, 20));
    days_ = form::edit(this, QStringLiteral("预计可用天数"), QRect(89, 194, 82, 20), QStringLiteral("0"));
    caption(QStringLiteral("产品介绍"), QRect(16, 222, 60, 20));
    introduction_ = form::multiEdit(this, QStringLiteral("产品介绍"), QRect(16, 244, 264, 142));
    picture_ = form::pictureBox(this, QStringLiteral("产品图片"), QRect(293, 33, 216, 304));
    auto *openPicture = form::button(this, QStringLiteral("打开图片钮"), QStringLiteral("打开图片"),
                                     QRect(329, 342, 64, 22), 1);
    auto *savePicture = form::button(this, QStringLiteral("保存图片钮"), QStringLiteral("保存图片"),
                                     QRect(409, 342, 64, 22), 2);
    caption(QStringLiteral("快速助记词"), QRect(305, 375, 64, 20));
    quickCode_ = form::edit(this, QStringLiteral("快速助记词"), QRect(369, 375, 128, 20));
    quickCode_->setMaxLength(50); // 快速取编号 holds 50 characters
    QLabel *line = form::label(this, QStringLiteral("标签11"), QString(), QRect(0, 400, 620, 2));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    auto *save = form::button(this, QStringLiteral("保存"), QStringLiteral("保  存"),
                              QRect(125, 406, 64, 22), 3);
    delete_ = form::button(this, QStringLiteral("删除"), QStringLiteral("删  除"),
                           QRect(213, 406, 64, 22), 4);
    delete_->setEnabled(false);
    auto *quit = form::button(this, QStringLiteral("退出"), QStringLiteral("退  出"),
                              QRect(301, 406, 64, 22), 5);

    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString &name) { quickCode_->setText(quickCode(name)); });
    connect(brand_, &QComboBox::activated, this, &ProductEditWindow::onBrandPicked);
    connect(addBrand, &QPushButton::clicked, this, &ProductEditWindow::openBrands);
    connect(addCategory, &QPushButton::clicked, this, &ProductEditWindow::openCategories);
    connect(addStock_, &QPushButton::clicked, this, &ProductEditWindow::enterPurchase);
    connect(openPicture, &QPushButton::clicked, this, &ProductEditWindow::openPicture);
    connect(savePicture, &QPushButton::clicked, this, &ProductEditWindow::savePicture);
    connect(save, &QPushButton::clicked, this, &ProductEditWindow::save);
    connect(delete_, &QPushButton::clicked, this, &ProductEditWindow::deleteProduct);
    connect(quit, &QPushButton::clicked, this, &ProductEditWindow::frameClose);
}

void ProductEditWindow::reopen()
{
    fillBrands();
    if (mode_ == 2 || mode_ == 3)
        loadProduct(keyName_.isNull() ? productToLoad() : keyName_);
    addStock_->setEnabled(!appContext().isOpen(QStringLiteral("PurchaseEntryWindow")));
    reloadCategories();
}

void ProductEditWindow::fillBrands() { refill(brand_, CatalogStore().brands()); }

void ProductEditWindow::reloadCategories()
{
    refill(category_, CatalogStore().categoryNames(brand_->currentText()));
}

QString ProductEditWindow::productToLoad() const
{
    if (mode_ == 2)
        return controlText(appContext().openWindow(QStringLiteral("SaleEntryWindow")),
                           QStringLiteral("购买产品"));
    return appContext().handedOverProductName;
}

void ProductEditWindow::loadProduct(const QString &name)
{
    const std::optional<Product> p = CatalogStore().product(name);
    const Product shown = p.value_or(Product{});
    keyName_ = p ? p->name : QString(QStringLiteral(""));
    name_->setText(shown.name);
    brand_->setEditText(shown.brand);
    category_->setEditText(shown.category);
    price_->setText(numberText(std::trunc(shown.price)));
    stock_->setText(QString::number(shown.stock));
    alertLevel_->setText(QString::number(shown.alertLevel));
    number_->setText(shown.number);
    days_->setText(QString::number(shown.daysOfUse));
    introduction_->setText(shown.introduction);
    quickCode_->setText(shown.quickCode); // the stored code wins over the name's
    if (shown.picture.isEmpty())
        picture_->clear();
    else
        picture_->setBytes(shown.picture);
}

ProductFields ProductEditWindow::fields() const
{
    ProductFields f;
    f.name = name_->text();
    f.number = number_->text();
    f.price = price_->text();
    f.stock = stock_->text();
    f.alertLevel = alertLevel_->text();
    f.category = category_->currentText();
    f.brand = brand_->currentText();
    f.daysOfUse = days_->text();
    f.introduction = introduction_->text();
    f.quickCode = quickCode_->text();
    f.picture = picture_->bytes();
    return f;
}

void ProductEditWindow::onBrandPicked(int index)
{
    category_->clear();
    category_->addItems(CatalogStore().categoryNames(brand_->itemText(index)));
    category_->setCurrentIndex(category_->count() > 0 ? 0 : -1);
    if (isVisible())
        category_->showPopup();
}

void ProductEditWindow::openBrands()
{
    BrandWindow brands(this);
    brands.exec();
}

void ProductEditWindow::openCategories()
{
    // CategoryWindow lists this editor's categories again when it closes.
    CategoryWindow categories(this);
    categories.exec();
}

void ProductEditWindow::enterPurchase()
{
    // PurchaseEntryWindow adds a purchase of this product; when it closes the
    // editor runs reopen() to show the new stock.
    appContext().handedOverProductName = name_->text();
}

void ProductEditWindow::openPicture()
{
    const QString path =
        dialogs().openFileName(this, QStringLiteral("请选择打开文件："), kPictureFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().messageBox(this, QStringLiteral("无法读取文件：") + path, QStringLiteral("失败"));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (QImage::fromData(bytes).isNull()) {
        dialogs().messageBox(this, QStringLiteral("不是可以显示的图像文件：") + path,
                             QStringLiteral("失败"));
        return;
    }
    picture_->setBytes(bytes);
}

void ProductEditWindow::savePicture()
{
    const QByteArray bytes = picture_->bytes();
    if (bytes.isEmpty()) {
        dialogs().messageBox(this, QStringLiteral("没有可以保存的图片"), QStringLiteral("提示"));
        return;
    }
    QString path =
        dialogs().saveFileName(this, QStringLiteral("请请输入文件名："), kPictureFilter, QString());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        dialogs().messageBox(this, QStringLiteral("保存失败：") + path, QStringLiteral("失败"));
}

void ProductEditWindow::save()
{
    const ProductFields f = fields();
    CatalogStore store;
    const bool adding = mode_ == 1;
    const CatalogResult result = adding ? store.addProduct(f) : store.saveProduct(keyName_, f);
    if (result == CatalogResult::Exists) {
        dialogs().messageBox(this, f.name + QStringLiteral("已经存在拉!"), QStringLiteral("失败"));
        return;
    }
    if (result != CatalogResult::Ok) {
        if (adding)
            dialogs().messageBox(this, QStringLiteral("添加失败"), QStringLiteral("失败"));
        else
            dialogs().messageBox(this, QStringLiteral("修改失败"), QStringLiteral("提示"));
        return;
    }
    accept();
    ProductListWindow::refreshOpenList();
    if (adding)
        dialogs().messageBox(this, QStringLiteral("添加成功"), QStringLiteral("成功"));
    else
        dialogs().messageBox(this, QStringLiteral("修改成功"), QStringLiteral("提示"));
}

void ProductEditWindow::deleteProduct()
{
    // Opened from the product list, the editor deletes the list's selected
    // row (the product it shows); opened elsewhere, the product it shows.
    QString name;
    if (auto *list = qobject_cast<ProductListWindow *>(parentWidget()))
        name = list->selectedProductName();
    else
        name = keyName_;
    if (name.isEmpty() || mode_ == 1)
        return;
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    if (!CatalogStore().deleteProduct(name)) {
        dialogs().messageBox(this, QStringLiteral("删除失败"), QStringLiteral("提示"));
        return;
    }
    ProductListWindow::refreshOpenList();
    accept();
}

void ProductEditWindow::done(int result)
{
    appContext().productEditMode = 0;
    FramedWindow::done(result);
}

} // namespace moquan
