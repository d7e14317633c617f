#pragma once
// ProductListWindow (产品管理): the tree of brands and categories at the
// left, the products of the chosen node in the list "产品目录" with their
// stock value and net value, totals below; search, stock filters, in-place
// correction of days of use and stock, deletes, and the product editor for
// adding and editing.
#include "catalog/ProductSearch.h"
#include "chrome/FramedWindow.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace moquan {

class LineEdit;
class PictureBox;
class ReportModel;
class ReportView;
class SkinButton;

class ProductListWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit ProductListWindow(QWidget *parent = nullptr);
    ~ProductListWindow() override;

    // The open product list, or nullptr.
    static ProductListWindow *openList();
    // Lists the stored tree selection again when the product list is open
    // (after a save or a delete in the product editor).
    static void refreshOpenList();

    // The name and ID of the product in the selected row of "产品目录";
    // empty / 0 when no row is selected.
    QString selectedProductName() const;
    qint64 selectedProductId() const;

    // *Reload by selection*: lists the stored tree selection again (a
    // category of a brand, a brand, or every product newest first).
    // Corrections not yet saved are dropped.
    void reloadForCurrentNode();

    // The rows as listed (tests and the later export read them).
    ReportModel *model() const;
    ReportView *view() const;

    // The stock filter in force.
    StockFilter stockFilter() const { return filter_; }

public Q_SLOTS:
    // *Save corrections* ("保持数据", menu "修改").
    void saveCorrections();
    // *Delete the selected product* ("删除产品", menu "删除").
    void deleteSelected();
    // *Delete the ticked products* ("删除选中").
    void deleteTicked();
    // "增加产品": ProductEditWindow in add mode.
    void addProduct();

private:
    void buildForm();
    void buildTree();
    // *Select a tree node* for the tree's current node (the root when none).
    void selectCurrentNode();
    void onTreeNodeChanged(QTreeWidgetItem *current);
    // Runs the query (or the stock filter in force instead) and fills the list.
    void fillList(const ProductQuery &query);
    void updateCounts();
    void updateTotals();
    void onSearchTextChanged(const QString &text);
    void onFilterClicked(QCheckBox *box, StockFilter filter);
    void onCurrentRowChanged(int row);
    void onDoubleClicked(int row, int column);
    void beginCellEdit(int row, int column);
    void commitCellEdit();
    void onRightClicked(int row, const QPoint &globalPos);
    void editProduct(const QString &name);

    QTreeWidget *tree_ = nullptr;
    QLabel *productName_ = nullptr;
    PictureBox *picture_ = nullptr;
    ReportView *list_ = nullptr;
    LineEdit *cellEdit_ = nullptr;
    QPushButton *commit_ = nullptr;
    QGroupBox *group_ = nullptr;
    LineEdit *search_ = nullptr;
    QLabel *totalCount_ = nullptr;
    QLabel *currentCount_ = nullptr;
    QLabel *stockSum_ = nullptr;
    QLabel *valueSum_ = nullptr;
    QLabel *netSum_ = nullptr;
    QCheckBox *inStock_ = nullptr;
    QCheckBox *belowZero_ = nullptr;
    QMenu *emptyMenu_ = nullptr;  // 右键菜单
    QMenu *rowMenu_ = nullptr;    // 右键管理

    StockFilter filter_ = StockFilter::None;
    // The cell of an open in-place edit (row -1 when none).
    int editRow_ = -1;
    int editColumn_ = -1;
    // Days of use and stock of each row as listed, by ID, so that a save
    // writes only the rows the user corrected.
    QHash<qint64, QPair<qint64, qint64>> listed_;
};

} // namespace moquan
