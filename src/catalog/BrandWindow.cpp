#include "catalog/BrandWindow.h"

#include "app/AppContext.h"
#include "catalog/CatalogStore.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"

#include <QListWidget>

namespace moquan {

namespace {
const QString kWindow = QStringLiteral("BrandWindow");
const QString kExists = QStringLiteral("已经存在拉!");
} // namespace

BrandWindow::BrandWindow(QWidget *parent) : FramedWindow(kWindow, parent)
{
    setObjectName(kWindow);
    resize(225, 213);
    list_ = form::listBox(this, QStringLiteral("品牌列表"), QRect(9, 27, 208, 152));
    auto *add = form::button(this, QStringLiteral("增加品牌"), QStringLiteral("增加品牌"),
                             QRect(9, 184, 58, 22));
    auto *rename = form::button(this, QStringLiteral("修改品牌"), QStringLiteral("修改品牌"),
                                QRect(67, 184, 58, 22));
    auto *remove = form::button(this, QStringLiteral("删除品牌"), QStringLiteral("删除品牌"),
                                QRect(125, 184, 58, 22));
    auto *quit = form::button(this, QStringLiteral("退出"), QStringLiteral("退出"),
                              QRect(184, 184, 32, 22));
    connect(add, &QPushButton::clicked, this, &BrandWindow::addBrand);
    connect(rename, &QPushButton::clicked, this, &BrandWindow::renameBrand);
    connect(remove, &QPushButton::clicked, this, &BrandWindow::deleteBrand);
    connect(quit, &QPushButton::clicked, this, &BrandWindow::frameClose);
    connect(list_, &QListWidget::itemDoubleClicked, this, &BrandWindow::renameBrand);

    setUpFrame();
    loadBrands();
    appContext().registerWindow(kWindow, this);
}

void BrandWindow::loadBrands()
{
    list_->clear();
    list_->addItems(CatalogStore().brands());
}

QString BrandWindow::selectedBrand() const
{
    const QListWidgetItem *item = list_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void BrandWindow::addBrand()
{
    const std::optional<QString> name = dialogs().inputText(this, QString(), QString(), QString(), false);
    if (!name)
        return;
    switch (CatalogStore().addBrand(*name)) {
    case CatalogResult::Exists:
        dialogs().messageBox(this, *name + kExists, QStringLiteral("失败"));
        return;
    case CatalogResult::Ok:
        dialogs().messageBox(this, QStringLiteral("添加成功"), QStringLiteral("成功"));
        break;
    default:
        dialogs().messageBox(this, QStringLiteral("添加失败"), QStringLiteral("失败"));
        break;
    }
    loadBrands();
}

void BrandWindow::renameBrand()
{
    const QString oldName = selectedBrand();
    if (oldName.isNull())
        return;
    const std::optional<QString> newName =
        dialogs().inputText(this, QString(), QString(), oldName, false);
    if (!newName)
        return;
    switch (CatalogStore().renameBrand(oldName, *newName)) {
    case CatalogResult::Exists:
        dialogs().messageBox(this, *newName + kExists, QStringLiteral("失败"));
        return;
    case CatalogResult::Ok:
        dialogs().messageBox(this, QStringLiteral("修改成功"), QStringLiteral("提示"));
        break;
    default:
        dialogs().messageBox(this, QStringLiteral("修改失败"), QStringLiteral("提示"));
        break;
    }
    loadBrands();
}

void BrandWindow::deleteBrand()
{
    const QString name = selectedBrand();
    if (name.isNull())
        return;
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    const bool ok = CatalogStore().deleteBrand(name);
    dialogs().messageBox(this, ok ? QStringLiteral("删除成功") : QStringLiteral("删除失败"),
                         QStringLiteral("提示"));
    loadBrands();
}

} // namespace moquan
