#pragma once
// Finding and listing products, without widgets: the quick product search
// (by product number or by quick code), the queries of the product list and
// of the product finder, the cells and totals of the product list, and the
// booking of stock corrections made in the product list.
#include "store/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace moquan {

// One query: SQL text with "?" markers and the values bound to them.
struct ProductQuery {
    QString sql;
    QVariantList params;
};

// The columns of 产品 that a product list reads: everything but the picture
// and the introduction, so a long list never loads picture bytes.
inline const QString kProductListColumns =
    QStringLiteral("ID,产品名称,产品编号,产品定价,库存数,使用天数,类别,大类别");

// ---- Quick product search --------------------------------------------------

// The number a text starts with: optional blanks, an optional sign, digits
// and one decimal point; 0 when the text does not start with a number.
double leadingNumber(const QString &text);

enum class QuickSearchColumn { ProductNumber, QuickCode };

// A text whose leading number has a whole part other than 0 searches the
// product numbers (12, 3abc, -4); any other text (letters, 0, 0.5, empty)
// searches the quick codes.
QuickSearchColumn quickSearchColumn(const QString &text);

// The LIKE pattern "%text%" for `LIKE ? ESCAPE '\'`: "%", "_" and "\" typed
// by the user are matched as themselves.
QString likeContainsPattern(const QString &text);

// The quick product search: the products whose number (or quick code, by the
// rule above) contains the text, ignoring letter case, newest first.  An
// empty text matches every product.
ProductQuery quickSearchQuery(const QString &text, const QString &columns = QStringLiteral("*"));
Recordset quickProductSearch(const QString &text, const QString &columns = QStringLiteral("*"));

// ---- Product list queries --------------------------------------------------

// Every product, newest first (the list as it opens, and a reload with no
// tree node chosen).
ProductQuery allProductsQuery(const QString &columns = kProductListColumns);
// The tree's root node: every product, in the order they were added.
ProductQuery rootProductsQuery(const QString &columns = kProductListColumns);
// A brand node: the products of the brand.
ProductQuery brandProductsQuery(const QString &brand,
                                const QString &columns = kProductListColumns);
// A category node: the products of the category under its brand.
ProductQuery categoryProductsQuery(const QString &brand, const QString &category,
                                   const QString &columns = kProductListColumns);

enum class StockFilter { None, InStock, BelowZero };
// Every product with stock above zero (InStock) or below zero (BelowZero).
ProductQuery stockFilterQuery(StockFilter filter, const QString &columns = kProductListColumns);

// The query that lists a product tree selection again: a category with its
// brand (parent), a brand (no parent), or nothing (every product, newest first).
ProductQuery productTreeQuery(const QString &node, const QString &parent,
                              const QString &columns = kProductListColumns);

// Number of products in the catalogue.
qint64 productCount();

// ---- Classification lookups for the finder and the tree --------------------

// Every brand name, in the order they were added.
QStringList productSearchBrands();
// The category names of a brand (exact brand), in the order they were added;
// distinct names only when `distinct` is set (the tree shows each name once).
QStringList productSearchCategories(const QString &brand, bool distinct = false);
// The names of the products of a category, whatever their brand.
QStringList productNamesOfCategory(const QString &category);

// What the finder and the popup show of one product.

// ---- Product list rows -----------------------------------------------------

// The list's columns, by index.
enum ProductListColumn {
    ColName = 0,
    ColNumber = 1,
    ColPrice = 2,
    ColValue = 3,
    ColNet = 4,
    ColNetValue = 5,
    ColDays = 6,
    ColStock = 7,
    ColCategory = 8,
    ProductListColumnCount = 9
};

struct ProductListEntry {
    qint64 id = 0;
    QString name;
    QString number;
    double price = 0;
    qint64 stock = 0;
    qint64 days = 0;
    QString category;
};

// Reads every row of a product query (one that selects at least the columns
// of kProductListColumns).
QList<ProductListEntry> readProductEntries(const ProductQuery &query);

// The whole part of a price (the fraction dropped, not rounded).
double wholePrice(double price);
// "￥" + a number with at most 13 significant digits.
QString moneyText(double value);
// The nine cells of a product's row: name, number, "￥"+whole price,
// "￥"+whole price×stock, "￥"+whole price×0.85, "￥"+whole price×stock×0.85,
// days of use, stock, category.
QStringList productListCells(const ProductListEntry &entry);
// The cells 3 (value) and 5 (net value) of a row whose stock became `stock`.
QString stockValueCell(double wholePriceValue, qint64 stock);
QString stockNetValueCell(double wholePriceValue, qint64 stock);
// The whole price of a row, read back from its cell 2.
double wholePriceOfCell(const QString &priceCell);

// The totals under the list: sums of the stock (cell 7), the value (cell 3)
// and the net value (cell 5) of the rows as shown, each cell read as a number
// after its "￥" is removed.
struct ProductTotals {
    double stock = 0;
    double value = 0;
    double net = 0;
};
ProductTotals productTotals(const QList<QStringList> &rows);
// The texts of the labels 现有产品, 现有产品总余额 and 现有产品净额.
QString stockTotalText(const ProductTotals &t);   // "总进货数量:12"
QString valueTotalText(const ProductTotals &t);   // "总进货金额:￥123.00元"
QString netTotalText(const ProductTotals &t);     // "总净额:￥104.55元"

// ---- Stock corrections -----------------------------------------------------

// An integer typed into the list (optional blanks and sign, then digits
// only); false for anything else.  An empty text counts as 0.
bool parseCorrectionNumber(const QString &text, qint64 *value);

// A product row of the list as corrected in place.
struct ProductCorrection {
    qint64 id = 0;
    qint64 days = 0;   // 使用天数
    qint64 stock = 0;  // 库存
};

struct CorrectionResult {
    bool ok = false;
    int daysChanged = 0;      // products whose days of use were written
    int purchasesBooked = 0;  // purchase rows inserted for stock changes
    QString error;
};

// Writes the corrections in one transaction.  For each product that still
// exists: a different days of use is written; a different stock count N
// (old count O, whole price W) books a purchase dated `today` of N − O
// pieces (净额 W×0.85, 进货合计 W×(N−O), 进货净额 W×(N−O)×0.85, with the
// product's name, number, price, category and brand) and moves the stock by
// N − O.  Either every change is written or none is.
CorrectionResult saveProductCorrections(const QList<ProductCorrection> &corrections,
                                        const QString &today);

// Deletes products by ID in one transaction; true when every delete ran.
bool deleteProducts(const QList<qint64> &ids);

} // namespace moquan
