#include "catalog/CategoryWindow.h"

#include "app/AppContext.h"
#include "catalog/CatalogStore.h"
#include "catalog/CategoryEditWindow.h"
#include "catalog/ProductEditWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"

namespace moquan {

namespace {
const QString kWindow = QStringLiteral("CategoryWindow");
} // namespace

CategoryWindow::CategoryWindow(QWidget *parent) : FramedWindow(kWindow, parent)
{
    setObjectName(kWindow);
    resize(429, 412);
    list_ = form::listView(this, QStringLiteral("类别列表"), QRect(8, 27, 408, 328),
                           {{QStringLiteral("类别名称"), 200},
                            {QStringLiteral("静额比例"), 60},
                            {QStringLiteral("所属品牌"), 120}},
                           true);
    const QList<std::pair<QString, void (CategoryWindow::*)()>> buttons = {
        {QStringLiteral("增加类别"), &CategoryWindow::addCategory},
        {QStringLiteral("修改类别"), &CategoryWindow::editCategory},
        {QStringLiteral("删除类别"), &CategoryWindow::deleteSelectedCategory},
        {QStringLiteral("删除选中"), &CategoryWindow::deleteTickedCategories},
        {QStringLiteral("退出"), &CategoryWindow::frameClose},
    };
    int x = 29;
    int tag = 1;
    for (const auto &[text, slot] : buttons) {
        auto *b = form::button(this, text, text, QRect(x, 360, 64, 22), tag++);
        connect(b, &QPushButton::clicked, this, slot);
        x += 72;
    }
    connect(list_, &ReportView::rowDoubleClicked, this, [this] { editCategory(); });

    setUpFrame();
    loadCategories();
    skinButtons();
    appContext().registerWindow(kWindow, this);
}

void CategoryWindow::loadCategories()
{
    QList<ReportRow> rows;
    const QList<Category> categories = CatalogStore().categories();
    rows.reserve(categories.size());
    for (auto it = categories.crbegin(); it != categories.crend(); ++it)
        rows.append(ReportRow{{it->name, it->ratio, it->brand}});
    list_->reportModel()->setRows(std::move(rows));
}

QString CategoryWindow::selectedCategoryName() const
{
    const int row = list_->currentRow();
    return row < 0 ? QString() : list_->reportModel()->text(row, 0);
}

void CategoryWindow::openEditor(int mode)
{
    appContext().categoryEditMode = mode;
    CategoryEditWindow editor(this);
    editor.exec();
}

void CategoryWindow::addCategory() { openEditor(2); }

void CategoryWindow::editCategory()
{
    if (selectedCategoryName().isNull()) {
        appContext().categoryEditMode = 1;
        return;
    }
    openEditor(1);
}

void CategoryWindow::deleteSelectedCategory()
{
    const QString name = selectedCategoryName();
    if (name.isNull())
        return;
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    const bool ok = CatalogStore().deleteCategory(name);
    dialogs().messageBox(this, ok ? QStringLiteral("删除成功") : QStringLiteral("删除失败"),
                         QStringLiteral("提示"));
    loadCategories();
}

void CategoryWindow::deleteTickedCategories()
{
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    QStringList names;
    const ReportModel *model = list_->reportModel();
    for (const int row : model->checkedRows())
        names << model->text(row, 0);
    const bool ok = CatalogStore().deleteCategories(names);
    dialogs().messageBox(this, ok ? QStringLiteral("删除成功") : QStringLiteral("删除失败"),
                         QStringLiteral("提示"));
    loadCategories();
}

void CategoryWindow::done(int result)
{
    // A product editor that opened this window lists the categories of its
    // brand again.
    if (auto *editor = appContext().window<ProductEditWindow>(QStringLiteral("ProductEditWindow")))
        editor->reloadCategories();
    FramedWindow::done(result);
}

} // namespace moquan
