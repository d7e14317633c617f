#pragma once
// Brands, categories and products as the catalogue windows read and change
// them.  Names identify brands, categories and products everywhere: they are
// copied as text into the rows that refer to them, so a rename is carried into
// every table that holds the old name, all in one transaction.  Names compare
// as the database compares them (letter case aside).
#include "store/Database.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace moquan {

enum class CatalogResult {
    Ok,
    Exists,       // the name is taken (or empty where a name is required)
    NoSuchBrand,  // a category's brand is not a brand
    Invalid,      // a number field holds text that is not such a number
    Failed,       // the database refused a statement; nothing was changed
};

struct Category {
    QString name;   // 类别名称
    QString ratio;  // 净额比例, free text
    QString brand;  // 所属品牌
};

// A product row as stored.
struct Product {
    qint64 id = 0;
    QString name;
    QString number;
    double price = 0;
    qint64 stock = 0;
    qint64 alertLevel = 0;
    QString category;
    QString brand;
    qint64 daysOfUse = 0;
    QString introduction;
    QByteArray picture;
    QString quickCode;
};

// A product as typed into the editor: the number fields are texts, converted
// when saved (a text that is not such a number refuses the save).
struct ProductFields {
    QString name;
    QString number;
    QString price;
    QString stock;
    QString alertLevel;
    QString category;
    QString brand;
    QString daysOfUse;
    QString introduction;
    QString quickCode;
    QByteArray picture;
};

class CatalogStore {
public:
    explicit CatalogStore(Database &db = database()) : db_(db) {}

    // Brands ------------------------------------------------------------
    // Every brand in the order the rows were written.
    QStringList brands() const;
    // Whether a brand of exactly this name (byte for byte) exists.
    bool isBrand(const QString &name) const;
    // Exists when the name is empty or a brand of that name exists.
    CatalogResult addBrand(const QString &name);
    // Exists when newName equals oldName or names another brand; otherwise
    // 品牌, 产品.大类别, 类别.所属品牌 and 进货.大类别 take the new name together.
    CatalogResult renameBrand(const QString &oldName, const QString &newName);
    // Deletes the brand only; its categories, products and purchases keep the name.
    bool deleteBrand(const QString &name);

    // Categories --------------------------------------------------------
    QList<Category> categories() const;
    // The names of the categories of a brand, each once, in the order written.
    QStringList categoryNames(const QString &brand) const;
    std::optional<Category> category(const QString &name) const;
    // An empty ratio is stored as "0".  NoSuchBrand unless the brand is a
    // brand exactly; Exists when the name is empty or taken.
    CatalogResult addCategory(const QString &brand, const QString &name, const QString &ratio);
    // Changes the category oldName: brand, name and ratio of its row, and its
    // name in 产品, 进货 and 销售, in one transaction.  Exists when newName
    // belongs to another category.
    CatalogResult editCategory(const QString &oldName, const QString &brand,
                               const QString &newName, const QString &ratio);
    bool deleteCategory(const QString &name);
    // Deletes all the named categories, or none.
    bool deleteCategories(const QStringList &names);

    // Products ----------------------------------------------------------
    std::optional<Product> product(const QString &name) const;
    std::optional<Product> productById(qint64 id) const;
    bool productExists(const QString &name) const;
    // Adds a product; Exists when a product of that name exists.  The stock
    // typed becomes the product's stock directly.
    CatalogResult addProduct(const ProductFields &fields);
    // Saves the product loaded under keyName, picture included, and carries
    // its name, number, price and category into its purchase and sales rows,
    // whose amounts are computed again from the whole part of the new price.
    // Exists when fields.name belongs to another product; Failed when no
    // product is stored under keyName.
    CatalogResult saveProduct(const QString &keyName, const ProductFields &fields);
    bool deleteProduct(const QString &name);

    // The text the database gave for the last failure.
    QString lastError() const { return db_.lastError(); }

private:
    bool nameTaken(const QString &table, const QString &column, const QString &name,
                   const QString &except) const;
    Database &db_;
};

// The quick code as stored: at most 50 characters.
QString storedQuickCode(const QString &code);

} // namespace moquan
