#include "catalog/CategoryEditWindow.h"

#include "app/AppContext.h"
#include "catalog/BrandWindow.h"
#include "catalog/CatalogStore.h"
#include "catalog/CategoryWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"

namespace moquan {

namespace {
const QString kWindow = QStringLiteral("CategoryEditWindow");

CategoryWindow *categoryWindow()
{
    return appContext().window<CategoryWindow>(QStringLiteral("CategoryWindow"));
}
} // namespace

CategoryEditWindow::CategoryEditWindow(QWidget *parent)
    : FramedWindow(kWindow, parent), mode_(appContext().categoryEditMode)
{
    setObjectName(kWindow);
    resize(283, 170);
    form::label(this, QStringLiteral("标签所属品牌"), QStringLiteral("所属品牌"), QRect(32, 31, 60, 20));
    brand_ = form::comboBox(this, QStringLiteral("所属品牌"), QRect(96, 31, 136, 20));
    auto *addBrand = form::plainButton(this, QStringLiteral("增加"), QStringLiteral("+"),
                                       QRect(234, 33, 16, 16));
    form::label(this, QStringLiteral("标签类别名称"), QStringLiteral("类别名称"), QRect(32, 58, 60, 20));
    name_ = form::edit(this, QStringLiteral("类别名称"), QRect(96, 58, 152, 20));
    form::label(this, QStringLiteral("标签静额比例"), QStringLiteral("静额比例"), QRect(32, 87, 60, 20));
    ratio_ = form::edit(this, QStringLiteral("静额比例"), QRect(96, 87, 152, 20));
    auto *save = form::button(this, QStringLiteral("保存"), QStringLiteral("保存"),
                              QRect(21, 116, 64, 22), 1);
    delete_ = form::button(this, QStringLiteral("删除"), QStringLiteral("删除"),
                           QRect(101, 116, 64, 22), 2);
    auto *quit = form::button(this, QStringLiteral("退出"), QStringLiteral("退出"),
                              QRect(181, 116, 64, 22), 3);
    connect(addBrand, &QPushButton::clicked, this, &CategoryEditWindow::openBrands);
    connect(save, &QPushButton::clicked, this, &CategoryEditWindow::save);
    connect(delete_, &QPushButton::clicked, this, &CategoryEditWindow::deleteCategory);
    connect(quit, &QPushButton::clicked, this, &CategoryEditWindow::frameClose);

    setUpFrame();
    CatalogStore store;
    if (mode_ == 1) {
        if (CategoryWindow *list = categoryWindow())
            oldName_ = list->selectedCategoryName();
        if (const std::optional<Category> c = store.category(oldName_)) {
            brand_->setEditText(c->brand);
            name_->setText(c->name);
            ratio_->setText(c->ratio);
        }
    } else {
        delete_->setEnabled(false);
    }
    const QString shown = brand_->currentText();
    brand_->addItems(store.brands());
    brand_->setCurrentIndex(-1);
    brand_->setEditText(shown);
    skinButtons();
    appContext().registerWindow(kWindow, this);
}

CategoryEditWindow::~CategoryEditWindow() { appContext().categoryEditMode = 0; }

void CategoryEditWindow::done(int result)
{
    appContext().categoryEditMode = 0;
    FramedWindow::done(result);
}

void CategoryEditWindow::openBrands()
{
    BrandWindow brands(this);
    brands.exec();
}

void CategoryEditWindow::reloadCategoryWindow()
{
    if (CategoryWindow *list = categoryWindow())
        list->loadCategories();
}

void CategoryEditWindow::save()
{
    if (ratio_->text().isEmpty())
        ratio_->setText(QStringLiteral("0"));
    const QString brand = brand_->currentText();
    const QString name = name_->text();
    const QString ratio = ratio_->text();
    CatalogStore store;
    if (!store.isBrand(brand)) {
        dialogs().messageBox(this, QStringLiteral("不存在此品牌!!!"), QStringLiteral("失败"));
        return;
    }
    const CatalogResult result = mode_ == 1 ? store.editCategory(oldName_, brand, name, ratio)
                                            : store.addCategory(brand, name, ratio);
    if (result == CatalogResult::Exists) {
        dialogs().messageBox(this, name + QStringLiteral(" 已经存在拉!"), QStringLiteral("失败"));
        return;
    }
    if (mode_ == 1) {
        if (result != CatalogResult::Ok) {
            dialogs().messageBox(this, QStringLiteral("修改失败"), QStringLiteral("提示"));
            return;
        }
        dialogs().messageBox(this, QStringLiteral("修改成功"), QStringLiteral("提示"));
        accept();
        reloadCategoryWindow();
    } else {
        if (result != CatalogResult::Ok) {
            dialogs().messageBox(this, QStringLiteral("添加失败"), QStringLiteral("失败"));
            return;
        }
        dialogs().messageBox(this, QStringLiteral("添加成功"), QStringLiteral("成功"));
        reloadCategoryWindow();
        accept();
    }
}

void CategoryEditWindow::deleteCategory()
{
    if (mode_ != 1 || oldName_.isNull())
        return;
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    const bool ok = CatalogStore().deleteCategory(oldName_);
    dialogs().messageBox(this, ok ? QStringLiteral("删除成功") : QStringLiteral("删除失败"),
                         QStringLiteral("提示"));
    reloadCategoryWindow();
    accept();
}

} // namespace moquan
