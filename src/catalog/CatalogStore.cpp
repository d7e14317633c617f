#include "catalog/CatalogStore.h"

#include <QSet>
#include <cmath>
#include <limits>

namespace moquan {

namespace {

// A money amount as written: at most 13 significant digits, four decimals.
double money(double v) { return currencyValue(numberText(v).toDouble()); }

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// A whole number that fits a long column (32 bits).
std::optional<qint64> parseLong(const QString &text)
{
    const std::optional<double> v = parseNumber(text);
    if (!v || *v != std::floor(*v) || *v < std::numeric_limits<qint32>::min()
        || *v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint64(*v);
}

struct ProductValues {
    double price = 0;
    qint64 stock = 0;
    qint64 alertLevel = 0;
    qint64 daysOfUse = 0;
};

std::optional<ProductValues> productValues(const ProductFields &f)
{
    const std::optional<double> price = parseNumber(f.price);
    const std::optional<qint64> stock = parseLong(f.stock);
    const std::optional<qint64> alert = parseLong(f.alertLevel);
    const std::optional<qint64> days = parseLong(f.daysOfUse);
    if (!price || !stock || !alert || !days)
        return std::nullopt;
    return ProductValues{currencyValue(*price), *stock, *alert, *days};
}

} // namespace

QString storedQuickCode(const QString &code) { return code.left(50); }

bool CatalogStore::nameTaken(const QString &table, const QString &column, const QString &name,
                             const QString &except) const
{
    // A row of the same name (as the database compares names) that is not
    // the row being renamed.
    QString sql = QStringLiteral("select 1 from %1 where %2 = ?").arg(table, column);
    QVariantList params{name};
    if (!except.isNull()) {
        sql += QStringLiteral(" and %1 <> ?").arg(column);
        params << except;
    }
    Recordset rs = db_.Query(sql + QStringLiteral(" limit 1"), params);
    return rs.isValid() && !rs.IsEOF();
}

// Brands ----------------------------------------------------------------

QStringList CatalogStore::brands() const
{
    QStringList out;
    Recordset rs = db_.Query(QStringLiteral("select 品牌 from 品牌 order by rowid"));
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        out << rs.text(QStringLiteral("品牌"));
    return out;
}

bool CatalogStore::isBrand(const QString &name) const
{
    Recordset rs = db_.Query(
        QStringLiteral("select 1 from 品牌 where 品牌 = ? collate binary limit 1"), {name});
    return rs.isValid() && !rs.IsEOF();
}

CatalogResult CatalogStore::addBrand(const QString &name)
{
    if (name.isEmpty() || nameTaken(QStringLiteral("品牌"), QStringLiteral("品牌"), name, {}))
        return CatalogResult::Exists;
    return db_.ExecuteSql(QStringLiteral("insert into 品牌 (品牌) values (?)"), {name})
        ? CatalogResult::Ok
        : CatalogResult::Failed;
}

CatalogResult CatalogStore::renameBrand(const QString &oldName, const QString &newName)
{
    if (newName.isEmpty() || newName == oldName
        || nameTaken(QStringLiteral("品牌"), QStringLiteral("品牌"), newName, oldName))
        return CatalogResult::Exists;
    Transaction tx(db_);
    if (!tx.isActive())
        return CatalogResult::Failed;
    const QVariantList p{newName, oldName};
    const bool ok = db_.ExecuteSql(QStringLiteral("update 品牌 set 品牌 = ? where 品牌 = ?"), p)
        && db_.ExecuteSql(QStringLiteral("update 产品 set 大类别 = ? where 大类别 = ?"), p)
        && db_.ExecuteSql(QStringLiteral("update 类别 set 所属品牌 = ? where 所属品牌 = ?"), p)
        && db_.ExecuteSql(QStringLiteral("update 进货 set 大类别 = ? where 大类别 = ?"), p);
    return ok && tx.commit() ? CatalogResult::Ok : CatalogResult::Failed;
}

bool CatalogStore::deleteBrand(const QString &name)
{
    return db_.ExecuteSql(QStringLiteral("delete from 品牌 where 品牌 = ?"), {name});
}

// Categories ------------------------------------------------------------

QList<Category> CatalogStore::categories() const
{
    QList<Category> out;
    Recordset rs = db_.Query(
        QStringLiteral("select 类别名称, 净额比例, 所属品牌 from 类别 order by rowid"));
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        out << Category{rs.text(QStringLiteral("类别名称")), rs.text(QStringLiteral("净额比例")),
                        rs.text(QStringLiteral("所属品牌"))};
    return out;
}

QStringList CatalogStore::categoryNames(const QString &brand) const
{
    QStringList out;
    QSet<QString> seen;
    Recordset rs = db_.Query(
        QStringLiteral("select 类别名称 from 类别 where 所属品牌 = ? order by rowid"), {brand});
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        const QString name = rs.text(QStringLiteral("类别名称"));
        if (!seen.contains(name)) {
            seen.insert(name);
            out << name;
        }
    }
    return out;
}

std::optional<Category> CatalogStore::category(const QString &name) const
{
    Recordset rs = db_.Query(
        QStringLiteral("select 类别名称, 净额比例, 所属品牌 from 类别 where 类别名称 = ? "
                       "order by rowid limit 1"),
        {name});
    if (!rs.isValid() || rs.IsEOF())
        return std::nullopt;
    return Category{rs.text(QStringLiteral("类别名称")), rs.text(QStringLiteral("净额比例")),
                    rs.text(QStringLiteral("所属品牌"))};
}

CatalogResult CatalogStore::addCategory(const QString &brand, const QString &name,
                                        const QString &ratio)
{
    if (!isBrand(brand))
        return CatalogResult::NoSuchBrand;
    if (name.isEmpty() || nameTaken(QStringLiteral("类别"), QStringLiteral("类别名称"), name, {}))
        return CatalogResult::Exists;
    const QString storedRatio = ratio.isEmpty() ? QStringLiteral("0") : ratio;
    return db_.ExecuteSql(
               QStringLiteral("insert into 类别 (所属品牌, 类别名称, 净额比例) values (?, ?, ?)"),
               {brand, name, storedRatio})
        ? CatalogResult::Ok
        : CatalogResult::Failed;
}

CatalogResult CatalogStore::editCategory(const QString &oldName, const QString &brand,
                                         const QString &newName, const QString &ratio)
{
    if (!isBrand(brand))
        return CatalogResult::NoSuchBrand;
    if (nameTaken(QStringLiteral("类别"), QStringLiteral("类别名称"), newName, oldName))
        return CatalogResult::Exists;
    const QString storedRatio = ratio.isEmpty() ? QStringLiteral("0") : ratio;
    Transaction tx(db_);
    if (!tx.isActive())
        return CatalogResult::Failed;
    const QVariantList p{newName, oldName};
    const bool ok =
        db_.ExecuteSql(QStringLiteral("update 类别 set 所属品牌 = ?, 类别名称 = ?, 净额比例 = ? "
                                      "where 类别名称 = ?"),
                       {brand, newName, storedRatio, oldName})
        && db_.ExecuteSql(QStringLiteral("update 产品 set 类别 = ? where 类别 = ?"), p)
        && db_.ExecuteSql(QStringLiteral("update 进货 set 类别 = ? where 类别 = ?"), p)
        && db_.ExecuteSql(QStringLiteral("update 销售 set 类别 = ? where 类别 = ?"), p);
    return ok && tx.commit() ? CatalogResult::Ok : CatalogResult::Failed;
}

bool CatalogStore::deleteCategory(const QString &name)
{
    return db_.ExecuteSql(QStringLiteral("delete from 类别 where 类别名称 = ?"), {name});
}

bool CatalogStore::deleteCategories(const QStringList &names)
{
    Transaction tx(db_);
    if (!tx.isActive())
        return false;
    for (const QString &name : names)
        if (!deleteCategory(name))
            return false;
    return tx.commit();
}

// Products --------------------------------------------------------------

namespace {

Product readProduct(const Recordset &rs)
{
    Product p;
    p.id = rs.integer(QStringLiteral("ID"));
    p.name = rs.text(QStringLiteral("产品名称"));
    p.number = rs.text(QStringLiteral("产品编号"));
    p.price = rs.number(QStringLiteral("产品定价"));
    p.stock = rs.integer(QStringLiteral("库存数"));
    p.alertLevel = rs.integer(QStringLiteral("警戒库存"));
    p.category = rs.text(QStringLiteral("类别"));
    p.brand = rs.text(QStringLiteral("大类别"));
    p.daysOfUse = rs.integer(QStringLiteral("使用天数"));
    p.introduction = rs.text(QStringLiteral("产品介绍"));
    p.picture = rs.bytes(QStringLiteral("产品图片"));
    p.quickCode = rs.text(QStringLiteral("快速取编号"));
    return p;
}

} // namespace

std::optional<Product> CatalogStore::product(const QString &name) const
{
    Recordset rs = db_.Query(
        QStringLiteral("select * from 产品 where 产品名称 = ? order by ID limit 1"), {name});
    if (!rs.isValid() || rs.IsEOF())
        return std::nullopt;
    return readProduct(rs);
}

std::optional<Product> CatalogStore::productById(qint64 id) const
{
    Recordset rs = db_.Query(QStringLiteral("select * from 产品 where ID = ?"), {id});
    if (!rs.isValid() || rs.IsEOF())
        return std::nullopt;
    return readProduct(rs);
}

bool CatalogStore::productExists(const QString &name) const
{
    return nameTaken(QStringLiteral("产品"), QStringLiteral("产品名称"), name, {});
}

CatalogResult CatalogStore::addProduct(const ProductFields &f)
{
    const std::optional<ProductValues> v = productValues(f);
    if (!v)
        return CatalogResult::Invalid;
    if (productExists(f.name))
        return CatalogResult::Exists;
    const bool ok = db_.ExecuteSqlWithBytes(
        QStringLiteral("insert into 产品 (产品图片, 产品名称, 产品编号, 产品介绍, 快速取编号, "
                       "使用天数, 产品定价, 库存数, 警戒库存, 类别, 大类别) "
                       "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        f.picture,
        {f.name, f.number, f.introduction, storedQuickCode(f.quickCode), v->daysOfUse, v->price,
         v->stock, v->alertLevel, f.category, f.brand});
    return ok ? CatalogResult::Ok : CatalogResult::Failed;
}

CatalogResult CatalogStore::saveProduct(const QString &keyName, const ProductFields &f)
{
    const std::optional<ProductValues> v = productValues(f);
    if (!v)
        return CatalogResult::Invalid;
    if (nameTaken(QStringLiteral("产品"), QStringLiteral("产品名称"), f.name, keyName))
        return CatalogResult::Exists;
    // Purchases and sales are priced at the whole part of the price.
    const double whole = std::trunc(v->price);
    const double net = money(whole * 0.85);

    Transaction tx(db_);
    if (!tx.isActive())
        return CatalogResult::Failed;
    if (!db_.ExecuteSqlWithBytes(
            QStringLiteral("update 产品 set 产品图片 = ?, 产品名称 = ?, 类别 = ?, 大类别 = ?, "
                           "产品定价 = ?, 库存数 = ?, 警戒库存 = ?, 产品编号 = ?, 使用天数 = ?, "
                           "产品介绍 = ?, 快速取编号 = ? where 产品名称 = ?"),
            f.picture,
            {f.name, f.category, f.brand, v->price, v->stock, v->alertLevel, f.number,
             v->daysOfUse, f.introduction, storedQuickCode(f.quickCode), keyName})
        || db_.changes() == 0) // no product of that name (deleted meanwhile)
        return CatalogResult::Failed;

    // Each purchase and sale row keeps its own quantity; its amounts follow the price.
    struct Row {
        qint64 id;
        QVariant quantity; // null when the row has none
    };
    auto rowsOf = [this](const QString &sql, const QString &quantityColumn,
                         const QString &key) -> std::optional<QList<Row>> {
        Recordset rs = db_.Query(sql, {key});
        if (!rs.isValid())
            return std::nullopt;
        QList<Row> rows;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            const QVariant q = rs.ReadColByName(quantityColumn);
            rows << Row{rs.integer(QStringLiteral("id")),
                        q.typeId() == QMetaType::QString ? QVariant() : q};
        }
        return rows;
    };
    auto amount = [whole](const QVariant &quantity, double factor) -> QVariant {
        if (!quantity.isValid())
            return QVariant();
        return money(whole * double(quantity.toLongLong()) * factor);
    };

    const std::optional<QList<Row>> purchases = rowsOf(
        QStringLiteral("select id, 本次进货 from 进货 where 产品名称 = ?"),
        QStringLiteral("本次进货"), keyName);
    if (!purchases)
        return CatalogResult::Failed;
    for (const Row &r : *purchases) {
        if (!db_.ExecuteSql(QStringLiteral("update 进货 set 产品名称 = ?, 产品编号 = ?, 产品定价 = ?, "
                                           "净额 = ?, 进货合计 = ?, 进货净额 = ?, 类别 = ? "
                                           "where id = ?"),
                            {f.name, f.number, v->price, net, amount(r.quantity, 1.0),
                             amount(r.quantity, 0.85), f.category, r.id}))
            return CatalogResult::Failed;
    }

    const std::optional<QList<Row>> sales = rowsOf(
        QStringLiteral("select ID as id, 数量 from 销售 where 购买产品 = ?"), QStringLiteral("数量"),
        keyName);
    if (!sales)
        return CatalogResult::Failed;
    for (const Row &r : *sales) {
        if (!db_.ExecuteSql(QStringLiteral("update 销售 set 购买产品 = ?, 产品编号 = ?, 产品定价 = ?, "
                                           "净额 = ?, 总金额 = ?, 总净额 = ?, 类别 = ? "
                                           "where ID = ?"),
                            {f.name, f.number, v->price, net, amount(r.quantity, 1.0),
                             amount(r.quantity, 0.85), f.category, r.id}))
            return CatalogResult::Failed;
    }
    return tx.commit() ? CatalogResult::Ok : CatalogResult::Failed;
}

bool CatalogStore::deleteProduct(const QString &name)
{
    return db_.ExecuteSql(QStringLiteral("delete from 产品 where 产品名称 = ?"), {name});
}

} // namespace moquan
