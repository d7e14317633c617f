#include "catalog/ProductListWindow.h"

#include "app/AppContext.h"
#include "catalog/CatalogStore.h"
#include "catalog/ProductEditWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "store/DateText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

namespace moquan {

namespace {

const QString kWindow = QStringLiteral("ProductListWindow");
const QString kRootText = QStringLiteral("产品总目录");

// The node pictures: root and brands a folder, categories a leaf; every node
// shows the book picture while it is selected.
QIcon nodeIcon(TreeIcon normal)
{
    QIcon icon;
    icon.addPixmap(treeIcon(normal).pixmap(16, 16), QIcon::Normal);
    icon.addPixmap(treeIcon(TreeIcon::Root).pixmap(16, 16), QIcon::Selected);
    return icon;
}

} // namespace

ProductListWindow::ProductListWindow(QWidget *parent) : FramedWindow(kWindow, parent)
{
    setObjectName(kWindow);
    setWindowTitle(QStringLiteral("产品管理"));
    resize(869, 541);
    buildForm();
    setUpFrame();

    // The list opens on every product, newest first, with no tree node chosen.
    appContext().productTreeNode.clear();
    appContext().productTreeParent.clear();
    fillList(allProductsQuery());
    skinButtons();
    buildTree();
    // Enter in an edit box presses no button.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);
    appContext().registerWindow(kWindow, this);
}

ProductListWindow::~ProductListWindow() = default;

void ProductListWindow::buildForm()
{
    tree_ = form::treeView(this, QStringLiteral("类型列表"), QRect(8, 27, 176, 199));
    productName_ = form::label(this, QStringLiteral("产品名称"), QStringLiteral("产品名称"),
                               QRect(9, 232, 175, 24));
    productName_->setWordWrap(true);
    picture_ = form::pictureBox(this, QStringLiteral("产品图片"), QRect(9, 259, 175, 168));

    const QList<ReportColumn> columns = {
        {QStringLiteral("产品名称"), 130}, {QStringLiteral("产品编号"), 60},
        {QStringLiteral("产品定价"), 60}, {QStringLiteral("总价钱"), 60},
        {QStringLiteral("净营业额"), 60}, {QStringLiteral("总净额"), 60},
        {QStringLiteral("使用天数"), 60}, {QStringLiteral("库存"), 40},
        {QStringLiteral("类别"), 110},
    };
    list_ = form::listView(this, QStringLiteral("产品目录"), QRect(192, 26, 664, 400), columns, true);

    // The in-place editor of a cell and its commit button, hidden until a
    // double-click on 使用天数 or 库存.
    cellEdit_ = form::edit(this, QStringLiteral("输入数量"), QRect(0, 0, 60, 20));
    cellEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[+-]?[0-9]{0,9}")), cellEdit_));
    cellEdit_->hide();
    commit_ = form::plainButton(this, QStringLiteral("提交"), QStringLiteral("提交"),
                                QRect(0, 0, 60, 20));
    commit_->hide();

    group_ = form::groupBox(this, QStringLiteral("分组框1"), QString(), QRect(6, 426, 852, 64));
    form::label(group_, QStringLiteral("总数量1"), QStringLiteral("搜索"), QRect(9, 12, 30, 16));
    search_ = form::edit(group_, QStringLiteral("搜索框内容"), QRect(41, 12, 137, 16));
    totalCount_ = form::label(group_, QStringLiteral("总数量"), QStringLiteral("总数量"),
                              QRect(184, 12, 104, 20));
    currentCount_ = form::label(group_, QStringLiteral("当前数量"), QStringLiteral("当前数量"),
                                QRect(290, 12, 104, 20));
    stockSum_ = form::label(group_, QStringLiteral("现有产品"), QStringLiteral("现有产品"),
                            QRect(400, 12, 112, 20));
    valueSum_ = form::label(group_, QStringLiteral("现有产品总余额"),
                            QStringLiteral("现有产品总余额"), QRect(512, 12, 168, 20));
    netSum_ = form::label(group_, QStringLiteral("现有产品净额"), QStringLiteral("现有产品净额"),
                          QRect(682, 12, 167, 20));
    inStock_ = form::checkBox(group_, QStringLiteral("现有的存货"), QStringLiteral("现有的存货"),
                              QRect(8, 37, 90, 20));
    belowZero_ = form::checkBox(group_, QStringLiteral("缺陷的存货"), QStringLiteral("缺陷的存货"),
                                QRect(102, 36, 90, 20));
    SkinButton *save = form::button(group_, QStringLiteral("保持数据"), QStringLiteral("保持数据"),
                                    QRect(238, 36, 64, 22), 1);
    SkinButton *add = form::button(group_, QStringLiteral("增加产品"), QStringLiteral("增加产品"),
                                   QRect(329, 36, 64, 22), 2);
    SkinButton *del = form::button(group_, QStringLiteral("删除产品"), QStringLiteral("删除产品"),
                                   QRect(422, 36, 64, 22), 3);
    SkinButton *delTicked = form::button(group_, QStringLiteral("删除选中"),
                                         QStringLiteral("删除选中"), QRect(514, 36, 64, 22), 4);
    // Export and printing of the list come with the list tools.
    form::button(group_, QStringLiteral("导出到Excel"), QStringLiteral("导出Excel"),
                 QRect(603, 36, 64, 22), 5);
    form::button(group_, QStringLiteral("打印列表"), QStringLiteral("打印列表"),
                 QRect(690, 36, 64, 22), 6);
    SkinButton *quit = form::button(group_, QStringLiteral("退出"), QStringLiteral("退   出"),
                                    QRect(776, 36, 64, 22), 7);

    emptyMenu_ = new QMenu(this);
    emptyMenu_->setObjectName(QStringLiteral("右键菜单"));
    emptyMenu_->addAction(QStringLiteral("增加产品"), this, &ProductListWindow::addProduct)
        ->setObjectName(QStringLiteral("增加产品"));
    emptyMenu_->addAction(QStringLiteral("导出列表"))->setObjectName(QStringLiteral("导出列表"));
    emptyMenu_->addAction(QStringLiteral("退出"), this, &QWidget::close)
        ->setObjectName(QStringLiteral("退出"));
    rowMenu_ = new QMenu(this);
    rowMenu_->setObjectName(QStringLiteral("右键管理"));
    rowMenu_->addAction(QStringLiteral("修改"), this, &ProductListWindow::saveCorrections)
        ->setObjectName(QStringLiteral("修改"));
    rowMenu_->addAction(QStringLiteral("删除"), this, &ProductListWindow::deleteSelected)
        ->setObjectName(QStringLiteral("删除"));

    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> sel = tree_->selectedItems();
        onTreeNodeChanged(sel.isEmpty() ? nullptr : sel.first());
    });
    connect(search_, &QLineEdit::textChanged, this, &ProductListWindow::onSearchTextChanged);
    connect(inStock_, &QCheckBox::clicked, this,
            [this] { onFilterClicked(inStock_, StockFilter::InStock); });
    connect(belowZero_, &QCheckBox::clicked, this,
            [this] { onFilterClicked(belowZero_, StockFilter::BelowZero); });
    connect(save, &QPushButton::clicked, this, &ProductListWindow::saveCorrections);
    connect(add, &QPushButton::clicked, this, &ProductListWindow::addProduct);
    connect(del, &QPushButton::clicked, this, &ProductListWindow::deleteSelected);
    connect(delTicked, &QPushButton::clicked, this, &ProductListWindow::deleteTicked);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    connect(list_, &ReportView::currentRowChanged, this, &ProductListWindow::onCurrentRowChanged);
    connect(list_, &ReportView::rowDoubleClicked, this, &ProductListWindow::onDoubleClicked);
    connect(list_, &ReportView::rightClicked, this, &ProductListWindow::onRightClicked);
    connect(cellEdit_, &LineEdit::focusLeft, this, &ProductListWindow::commitCellEdit);
    connect(cellEdit_, &LineEdit::keyReleased, this, [this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            commitCellEdit();
    });
    connect(commit_, &QPushButton::clicked, this, &ProductListWindow::commitCellEdit);
}

ProductListWindow *ProductListWindow::openList()
{
    return appContext().window<ProductListWindow>(kWindow);
}

void ProductListWindow::refreshOpenList()
{
    if (ProductListWindow *w = openList())
        w->reloadForCurrentNode();
}

ReportModel *ProductListWindow::model() const { return list_->reportModel(); }

ReportView *ProductListWindow::view() const { return list_; }

QString ProductListWindow::selectedProductName() const
{
    const int row = list_->currentRow();
    return row < 0 ? QString() : model()->text(row, ColName);
}

qint64 ProductListWindow::selectedProductId() const
{
    const int row = list_->currentRow();
    return row < 0 ? 0 : model()->value(row);
}

// ---- Tree ------------------------------------------------------------------

void ProductListWindow::buildTree()
{
    setEnabled(false);
    const QSignalBlocker block(tree_);
    tree_->clear();
    auto *root = new QTreeWidgetItem(tree_, {kRootText});
    root->setIcon(0, nodeIcon(TreeIcon::Folder));
    for (const QString &brand : productSearchBrands()) {
        auto *b = new QTreeWidgetItem(root, {brand});
        b->setIcon(0, nodeIcon(TreeIcon::Folder));
        for (const QString &category : productSearchCategories(brand, true)) {
            auto *c = new QTreeWidgetItem(b, {category});
            c->setIcon(0, nodeIcon(TreeIcon::Leaf));
        }
    }
    root->setExpanded(true);
    setEnabled(true);
}

void ProductListWindow::onTreeNodeChanged(QTreeWidgetItem *item)
{
    AppContext &ctx = appContext();
    if (!item || !item->parent()) {
        // The root, or no node: every product.
        ctx.productTreeNode.clear();
        ctx.productTreeParent.clear();
        fillList(item ? rootProductsQuery() : allProductsQuery());
    } else if (!item->parent()->parent()) {
        ctx.productTreeNode = item->text(0);
        ctx.productTreeParent.clear();
        fillList(brandProductsQuery(ctx.productTreeNode));
    } else {
        ctx.productTreeNode = item->text(0);
        ctx.productTreeParent = item->parent()->text(0);
        fillList(categoryProductsQuery(ctx.productTreeParent, ctx.productTreeNode));
    }
}

void ProductListWindow::selectCurrentNode()
{
    const QList<QTreeWidgetItem *> sel = tree_->selectedItems();
    onTreeNodeChanged(sel.isEmpty() ? nullptr : sel.first());
}

void ProductListWindow::reloadForCurrentNode()
{
    fillList(productTreeQuery(appContext().productTreeNode, appContext().productTreeParent));
}

// ---- List ------------------------------------------------------------------

void ProductListWindow::fillList(const ProductQuery &query)
{
    if (editRow_ >= 0) {
        // A reload drops an edit still open.
        editRow_ = editColumn_ = -1;
        cellEdit_->hide();
        commit_->hide();
        list_->setEnabled(true);
    }
    const QList<ProductListEntry> entries =
        readProductEntries(filter_ == StockFilter::None ? query : stockFilterQuery(filter_));
    QList<ReportRow> rows;
    rows.reserve(entries.size());
    listed_.clear();
    listed_.reserve(entries.size());
    for (const ProductListEntry &e : entries) {
        ReportRow r;
        r.cells = productListCells(e);
        r.value = e.id;
        rows.append(std::move(r));
        listed_.insert(e.id, {e.days, e.stock});
    }
    model()->setRows(std::move(rows));
    productName_->setText(QStringLiteral("产品名称"));
    picture_->clear();
    updateCounts();
    updateTotals();
    search_->setFocus();
}

void ProductListWindow::updateCounts()
{
    currentCount_->setText(QStringLiteral("当前数量:") + QString::number(model()->rowCount()));
    totalCount_->setText(QStringLiteral("总数量:") + QString::number(productCount()));
}

void ProductListWindow::updateTotals()
{
    QList<QStringList> cells;
    cells.reserve(model()->rowCount());
    for (const ReportRow &r : model()->rows())
        cells.append(r.cells);
    const ProductTotals t = productTotals(cells);
    stockSum_->setText(stockTotalText(t));
    valueSum_->setText(valueTotalText(t));
    netSum_->setText(netTotalText(t));
}

void ProductListWindow::onSearchTextChanged(const QString &text)
{
    fillList(quickSearchQuery(text, kProductListColumns));
}

void ProductListWindow::onFilterClicked(QCheckBox *box, StockFilter filter)
{
    QCheckBox *other = box == inStock_ ? belowZero_ : inStock_;
    if (box->isChecked()) {
        filter_ = filter;
        other->setChecked(false);
    } else {
        filter_ = StockFilter::None;
    }
    tree_->update();
    selectCurrentNode();
}

void ProductListWindow::onCurrentRowChanged(int row)
{
    if (row < 0)
        return;
    const Product d = CatalogStore().productById(model()->value(row)).value_or(Product{});
    if (d.picture.isEmpty())
        picture_->clear();
    else
        picture_->setBytes(d.picture);
    productName_->setText(d.name);
}

void ProductListWindow::onDoubleClicked(int row, int column)
{
    if (row < 0)
        return;
    if (column >= ColName && column <= ColNetValue)
        editProduct(model()->text(row, ColName));
    else if (column == ColDays || column == ColStock)
        beginCellEdit(row, column);
}

void ProductListWindow::beginCellEdit(int row, int column)
{
    editRow_ = row;
    editColumn_ = column;
    list_->scrollTo(model()->index(row, column));
    const QRect cell = list_->cellRect(row, column).translated(list_->pos());
    const int w = list_->columnWidth(column);
    cellEdit_->setGeometry(cell.x(), cell.y(), w, qMax(cell.height(), 20));
    commit_->setGeometry(cell.x(), cellEdit_->geometry().bottom() + 1, w, 20);
    cellEdit_->setText(model()->text(row, column));
    cellEdit_->raise();
    commit_->raise();
    cellEdit_->show();
    commit_->show();
    // The list waits (greyed, still drawn) until the edit is committed.
    list_->setEnabled(false);
    cellEdit_->selectAll();
    cellEdit_->setFocus();
}

void ProductListWindow::commitCellEdit()
{
    if (editRow_ < 0)
        return;
    const int row = editRow_;
    const int column = editColumn_;
    editRow_ = editColumn_ = -1;

    qint64 value = 0;
    if (parseCorrectionNumber(cellEdit_->text(), &value)) {
        model()->setText(row, column, QString::number(value));
        if (column == ColStock) {
            const double w = wholePriceOfCell(model()->text(row, ColPrice));
            model()->setText(row, ColValue, stockValueCell(w, value));
            model()->setText(row, ColNetValue, stockNetValueCell(w, value));
        }
    }
    cellEdit_->hide();
    commit_->hide();
    list_->setEnabled(true);
    list_->viewport()->update();
    updateTotals();
}

// ---- Actions ---------------------------------------------------------------

void ProductListWindow::saveCorrections()
{
    commitCellEdit();
    if (!dialogs().confirm(this, QStringLiteral("真要保存记录吗？"), QStringLiteral("提示")))
        return;
    QList<ProductCorrection> corrections;
    const ReportModel *m = model();
    for (int row = 0; row < m->rowCount(); ++row) {
        ProductCorrection c;
        c.id = m->value(row);
        if (!parseCorrectionNumber(m->text(row, ColDays), &c.days)
            || !parseCorrectionNumber(m->text(row, ColStock), &c.stock))
            continue;
        const auto it = listed_.constFind(c.id);
        if (it != listed_.cend() && it->first == c.days && it->second == c.stock)
            continue;
        corrections.append(c);
    }
    const CorrectionResult result = saveProductCorrections(corrections, todayDateText());
    if (!result.ok) {
        // Nothing was written; the corrections stay in the list.
        dialogs().messageBox(this, QStringLiteral("修改失败"), QStringLiteral("提示"));
        return;
    }
    reloadForCurrentNode();
    dialogs().messageBox(this, QStringLiteral("修改成功!!!"), QStringLiteral("提示"));
}

void ProductListWindow::deleteSelected()
{
    const int row = list_->currentRow();
    if (row < 0)
        return;
    const qint64 id = model()->value(row);
    if (dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示"))
        && !deleteProducts({id}))
        dialogs().messageBox(this, QStringLiteral("删除失败"), QStringLiteral("提示"));
    selectCurrentNode();
}

void ProductListWindow::deleteTicked()
{
    if (!dialogs().confirm(this, QStringLiteral("真要删除这条记录吗？"), QStringLiteral("提示")))
        return;
    QList<qint64> ids;
    for (const int row : model()->checkedRows())
        ids.append(model()->value(row));
    const bool ok = deleteProducts(ids);
    dialogs().messageBox(this, ok ? QStringLiteral("删除成功") : QStringLiteral("删除失败"),
                         QStringLiteral("提示"));
    selectCurrentNode();
}

void ProductListWindow::addProduct()
{
    appContext().productEditMode = 1;
    ProductEditWindow editor(this);
    editor.exec();
}

void ProductListWindow::editProduct(const QString &name)
{
    appContext().handedOverProductName = name;
    appContext().productEditMode = 3;
    ProductEditWindow editor(this);
    editor.exec();
}

void ProductListWindow::onRightClicked(int, const QPoint &globalPos)
{
    QMenu *menu = list_->currentRow() < 0 ? emptyMenu_ : rowMenu_;
    menu->popup(globalPos);
}

} // namespace moquan
