#include "catalog/ProductSearch.h"

#include "listtools/ListSort.h"

#include <cmath>

namespace moquan {

namespace {

const QString kNumberSearch =
    QStringLiteral("select %1 from 产品 where 产品编号 like ? escape '\\' order by id desc");
const QString kQuickCodeSearch =
    QStringLiteral("select %1 from 产品 where 快速取编号 like ? escape '\\' order by id desc");

QStringList firstColumn(const QString &sql, const QVariantList &params)
{
    QStringList out;
    Recordset rs = database().Query(sql, params);
    for (; !rs.IsEOF(); rs.MoveNext())
        out << rs.ReadColByIndex(1).toString();
    return out;
}


// A cell of the list read as a number, "￥" and all, as the list sorts it
// (amounts of 13 digits and more are written with an exponent).
double cellNumber(const QString &cell) { return sortKey(cell); }

} // namespace

// ---- Quick product search --------------------------------------------------

double leadingNumber(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    QString digits;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        digits += text[i++];
    bool point = false;
    bool any = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += c;
            any = true;
        } else if (c == QLatin1Char('.') && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return 0;
    if (digits.endsWith(QLatin1Char('.')))
        digits.chop(1);
    return digits.toDouble();
}

QuickSearchColumn quickSearchColumn(const QString &text)
{
    return std::trunc(leadingNumber(text)) != 0 ? QuickSearchColumn::ProductNumber
                                                : QuickSearchColumn::QuickCode;
}

QString likeContainsPattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

ProductQuery quickSearchQuery(const QString &text, const QString &columns)
{
    const QString &sql = quickSearchColumn(text) == QuickSearchColumn::ProductNumber
        ? kNumberSearch
        : kQuickCodeSearch;
    return {sql.arg(columns), {likeContainsPattern(text)}};
}

Recordset quickProductSearch(const QString &text, const QString &columns)
{
    const ProductQuery q = quickSearchQuery(text, columns);
    return database().Query(q.sql, q.params);
}

// ---- Product list queries --------------------------------------------------

ProductQuery allProductsQuery(const QString &columns)
{
    return {QStringLiteral("select %1 from 产品 order by id desc").arg(columns), {}};
}

ProductQuery rootProductsQuery(const QString &columns)
{
    return {QStringLiteral("select %1 from 产品 order by id").arg(columns), {}};
}

ProductQuery brandProductsQuery(const QString &brand, const QString &columns)
{
    return {QStringLiteral("select %1 from 产品 where 大类别=? order by id").arg(columns), {brand}};
}

ProductQuery categoryProductsQuery(const QString &brand, const QString &category,
                                   const QString &columns)
{
    return {QStringLiteral("select %1 from 产品 where 大类别=? and 类别=? order by id").arg(columns),
            {brand, category}};
}

ProductQuery stockFilterQuery(StockFilter filter, const QString &columns)
{
    switch (filter) {
    case StockFilter::InStock:
        return {QStringLiteral("select %1 from 产品 where 库存数>0 order by id").arg(columns), {}};
    case StockFilter::BelowZero:
        return {QStringLiteral("select %1 from 产品 where 库存数<0 order by id").arg(columns), {}};
    case StockFilter::None:
        break;
    }
    return allProductsQuery(columns);
}

ProductQuery productTreeQuery(const QString &node, const QString &parent, const QString &columns)
{
    if (!parent.isEmpty())
        return categoryProductsQuery(parent, node, columns);
    if (!node.isEmpty())
        return brandProductsQuery(node, columns);
    return allProductsQuery(columns);
}

qint64 productCount()
{
    Recordset rs = database().Query(QStringLiteral("select count(*) from 产品"));
    return rs.IsEOF() ? 0 : rs.ReadColByIndex(1).toLongLong();
}

// ---- Classification lookups ------------------------------------------------

QStringList productSearchBrands()
{
    return firstColumn(QStringLiteral("select 品牌 from 品牌 order by rowid"), {});
}

QStringList productSearchCategories(const QString &brand, bool distinct)
{
    if (distinct)
        return firstColumn(QStringLiteral("select 类别名称 from 类别 where 所属品牌=? "
                                          "group by 类别名称 order by min(rowid)"),
                           {brand});
    return firstColumn(QStringLiteral("select 类别名称 from 类别 where 所属品牌=? order by rowid"),
                       {brand});
}

QStringList productNamesOfCategory(const QString &category)
{
    return firstColumn(QStringLiteral("select 产品名称 from 产品 where 类别=? order by id"),
                       {category});
}


// ---- Product list rows -----------------------------------------------------

QList<ProductListEntry> readProductEntries(const ProductQuery &query)
{
    QList<ProductListEntry> out;
    Recordset rs = database().Query(query.sql, query.params);
    if (!rs)
        return out;
    // Column positions once, not a name lookup per cell.
    const int id = rs.columnIndex(QStringLiteral("ID"));
    const int name = rs.columnIndex(QStringLiteral("产品名称"));
    const int number = rs.columnIndex(QStringLiteral("产品编号"));
    const int price = rs.columnIndex(QStringLiteral("产品定价"));
    const int stock = rs.columnIndex(QStringLiteral("库存数"));
    const int days = rs.columnIndex(QStringLiteral("使用天数"));
    const int category = rs.columnIndex(QStringLiteral("类别"));
    for (; !rs.IsEOF(); rs.MoveNext()) {
        ProductListEntry e;
        e.id = rs.ReadColByIndex(id).toLongLong();
        e.name = rs.ReadColByIndex(name).toString();
        e.number = rs.ReadColByIndex(number).toString();
        e.price = rs.ReadColByIndex(price).toDouble();
        e.stock = rs.ReadColByIndex(stock).toLongLong();
        e.days = rs.ReadColByIndex(days).toLongLong();
        e.category = rs.ReadColByIndex(category).toString();
        out.append(std::move(e));
    }
    return out;
}

double wholePrice(double price) { return std::trunc(price); }

QString moneyText(double value) { return QChar(0xFFE5) + numberText(value); }

QString stockValueCell(double w, qint64 stock) { return moneyText(w * double(stock)); }

QString stockNetValueCell(double w, qint64 stock) { return moneyText(w * double(stock) * 0.85); }

double wholePriceOfCell(const QString &priceCell) { return cellNumber(priceCell); }

QStringList productListCells(const ProductListEntry &e)
{
    const double w = wholePrice(e.price);
    return {e.name,
            e.number,
            moneyText(w),
            stockValueCell(w, e.stock),
            moneyText(w * 0.85),
            stockNetValueCell(w, e.stock),
            QString::number(e.days),
            QString::number(e.stock),
            e.category};
}

ProductTotals productTotals(const QList<QStringList> &rows)
{
    ProductTotals t;
    for (const QStringList &cells : rows) {
        if (cells.size() <= ColStock)
            continue;
        t.stock += cellNumber(cells.at(ColStock));
        t.value += cellNumber(cells.at(ColValue));
        t.net += cellNumber(cells.at(ColNetValue));
    }
    return t;
}

QString stockTotalText(const ProductTotals &t)
{
    return QStringLiteral("总进货数量:") + QString::number(t.stock, 'f', 0);
}

QString valueTotalText(const ProductTotals &t)
{
    return QStringLiteral("总进货金额:￥") + QString::number(t.value, 'f', 2) + QStringLiteral("元");
}

QString netTotalText(const ProductTotals &t)
{
    return QStringLiteral("总净额:￥") + QString::number(t.net, 'f', 2) + QStringLiteral("元");
}

// ---- Stock corrections -----------------------------------------------------

bool parseCorrectionNumber(const QString &text, qint64 *value)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = 0;
        return true;
    }
    int i = 0;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'))
        i = 1;
    if (i >= t.size())
        return false;
    for (int k = i; k < t.size(); ++k)
        if (t[k] < QLatin1Char('0') || t[k] > QLatin1Char('9'))
            return false;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    // Stock and days are 32-bit in the book.
    if (!ok || v > 2147483647LL || v < -2147483648LL)
        return false;
    *value = v;
    return true;
}

CorrectionResult saveProductCorrections(const QList<ProductCorrection> &corrections,
                                        const QString &today)
{
    CorrectionResult result;
    Database &db = database();
    Transaction tx(db);
    if (!tx.isActive()) {
        result.error = db.lastError();
        return result;
    }
    for (const ProductCorrection &c : corrections) {
        Recordset rs = db.Query(QStringLiteral("select * from 产品 where id=?"), {c.id});
        if (rs.IsEOF())
            continue; // deleted since it was listed: nothing to correct
        const qint64 oldDays = rs.integer(QStringLiteral("使用天数"));
        const qint64 oldStock = rs.integer(QStringLiteral("库存数"));
        const QString name = rs.text(QStringLiteral("产品名称"));
        const QString number = rs.text(QStringLiteral("产品编号"));
        const double price = rs.number(QStringLiteral("产品定价"));
        const QString category = rs.text(QStringLiteral("类别"));
        const QString brand = rs.text(QStringLiteral("大类别"));
        rs.CloseRecordset();

        if (c.days != oldDays) {
            if (!db.ExecuteSql(QStringLiteral("update 产品 set 使用天数=? where id=?"),
                               {c.days, c.id})) {
                result.error = db.lastError();
                return result;
            }
            ++result.daysChanged;
        }
        if (c.stock != oldStock) {
            const qint64 delta = c.stock - oldStock;
            const double w = wholePrice(price);
            const QString sql = QStringLiteral(
                "INSERT INTO 进货 (产品名称,产品编号,进货日期,产品定价,净额,本次进货,进货合计,"
                "进货净额,类别,大类别) VALUES (?,?,?,?,?,?,?,?,?,?)");
            const QVariantList params = {name,
                                         number,
                                         today,
                                         currencyValue(price),
                                         currencyValue(w * 0.85),
                                         delta,
                                         currencyValue(w * double(delta)),
                                         currencyValue(w * double(delta) * 0.85),
                                         category,
                                         brand};
            if (!db.ExecuteSql(sql, params)) {
                result.error = db.lastError();
                return result;
            }
            if (!db.ExecuteSql(QStringLiteral("update 产品 set 库存数=库存数+? where id=?"),
                               {delta, c.id})) {
                result.error = db.lastError();
                return result;
            }
            ++result.purchasesBooked;
        }
    }
    if (!tx.commit()) {
        result.error = db.lastError();
        result.daysChanged = result.purchasesBooked = 0;
        return result;
    }
    result.ok = true;
    return result;
}

bool deleteProducts(const QList<qint64> &ids)
{
    Database &db = database();
    Transaction tx(db);
    if (!tx.isActive())
        return false;
    for (const qint64 id : ids)
        if (!db.ExecuteSql(QStringLiteral("delete from 产品 where id=?"), {id}))
            return false;
    return tx.commit();
}

} // namespace moquan
