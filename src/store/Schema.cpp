#include "store/Schema.h"

#include "store/Database.h"

#include <QSet>

namespace moquan {

namespace {

enum Kind { AutoNumber, Long, Currency, Text50, Memo, Ole };

struct Column {
    const char *name;
    Kind kind;
};

struct Table {
    const char *name;
    std::initializer_list<Column> columns;
    std::initializer_list<const char *> indexes; // "index name:column"
};

// Table and column names, types and order of the program's database file.
const std::initializer_list<Table> &tables()
{
    static const std::initializer_list<Table> all = {
        {"备忘",
         {{"id", AutoNumber}, {"主题", Text50}, {"内容", Memo}, {"时间", Text50}, {"发布时间", Text50}},
         {"ID:id"}},
        {"产品",
         {{"ID", AutoNumber}, {"产品名称", Memo}, {"产品编号", Text50}, {"产品定价", Currency},
          {"库存数", Long}, {"警戒库存", Long}, {"类别", Text50}, {"大类别", Text50},
          {"使用天数", Long}, {"产品介绍", Memo}, {"产品图片", Ole}, {"快速取编号", Text50}},
         {"ID:ID", "产品名称:产品名称"}},
        {"顾客",
         {{"id", AutoNumber}, {"姓名", Text50}, {"性别", Text50}, {"顾客卡号", Text50},
          {"所属部门", Text50}, {"身份证", Text50}, {"加入日期", Text50}, {"职业", Text50},
          {"生日", Text50}, {"不保存生日", Text50}, {"工作单位", Text50}, {"联系电话", Text50},
          {"家住地址", Text50}, {"QQ", Text50}, {"电子邮件", Text50}, {"生日提醒", Text50},
          {"备注", Memo}, {"相片", Ole}, {"拜访日期", Text50}},
         {"id:id", "姓名:姓名"}},
        {"进货",
         {{"id", AutoNumber}, {"产品名称", Text50}, {"产品编号", Text50}, {"进货日期", Text50},
          {"产品定价", Currency}, {"净额", Currency}, {"本次进货", Long}, {"进货合计", Currency},
          {"进货净额", Currency}, {"备注", Memo}, {"进货单号", Text50}, {"类别", Text50},
          {"大类别", Text50}, {"流水号", Text50}},
         {"id:id", "进货日期:进货日期", "产品名称:产品名称"}},
        {"课程",
         {{"id", AutoNumber}, {"主题", Text50}, {"时间", Text50}, {"发布时间", Text50},
          {"演讲人", Text50}, {"内容", Memo}, {"文件路径", Memo}},
         {"id:id"}},
        {"类别", {{"类别名称", Text50}, {"净额比例", Text50}, {"所属品牌", Text50}}, {}},
        {"品牌", {{"品牌", Text50}}, {"ID:品牌"}},
        {"销售",
         {{"ID", AutoNumber}, {"购买顾客", Text50}, {"购买产品", Text50}, {"产品编号", Text50},
          {"购买日期", Text50}, {"预期用至", Text50}, {"产品定价", Currency}, {"净额", Currency},
          {"数量", Long}, {"总金额", Currency}, {"总净额", Currency}, {"客户意见", Memo},
          {"销售单号", Text50}, {"类别", Text50}, {"流水号", Long}},
         {"ID:ID", "购买日期:购买日期", "预期用至:预期用至", "购买产品:购买产品",
          "购买顾客:购买顾客"}},
    };
    return all;
}

QString quoted(const QString &name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString columnDefinition(const Column &c)
{
    const QString n = quoted(QString::fromUtf8(c.name));
    switch (c.kind) {
    case AutoNumber: return n + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    case Long: return n + QStringLiteral(" INTEGER");
    case Currency: return n + QStringLiteral(" REAL");
    case Text50:
        return n + QStringLiteral(" TEXT COLLATE NOCASE CHECK (length(%1) <= 50)").arg(n);
    case Memo: return n + QStringLiteral(" TEXT COLLATE NOCASE");
    case Ole: return n + QStringLiteral(" BLOB");
    }
    return n;
}

} // namespace

QStringList tableNames()
{
    QStringList out;
    for (const Table &t : tables())
        out << QString::fromUtf8(t.name);
    return out;
}

QStringList tableColumns(const QString &table)
{
    for (const Table &t : tables())
        if (QString::fromUtf8(t.name) == table) {
            QStringList out;
            for (const Column &c : t.columns)
                out << QString::fromUtf8(c.name);
            return out;
        }
    return {};
}

bool createSchema(Database &db)
{
    Transaction tx(db);
    if (!tx.isActive())
        return false;
    for (const Table &t : tables()) {
        const QString table = QString::fromUtf8(t.name);
        QStringList defs;
        for (const Column &c : t.columns)
            defs << columnDefinition(c);
        if (!db.ExecuteSql(QStringLiteral("CREATE TABLE %1 (%2) STRICT")
                               .arg(quoted(table), defs.join(QStringLiteral(", ")))))
            return false;
        for (const char *ix : t.indexes) {
            const QStringList parts = QString::fromUtf8(ix).split(QLatin1Char(':'));
            const QString indexName = table + QLatin1Char('.') + parts[0];
            if (!db.ExecuteSql(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                   .arg(quoted(indexName), quoted(table), quoted(parts[1]))))
                return false;
        }
    }
    return tx.commit();
}

SchemaCheck checkSchema(Database &db)
{
    Recordset rs = db.Query(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"));
    if (!rs.isValid())
        return SchemaCheck::NotADatabase;
    QSet<QString> present;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        present.insert(rs.text(QStringLiteral("name")));
    rs.CloseRecordset();
    for (const Table &t : tables()) {
        const QString table = QString::fromUtf8(t.name);
        if (!present.contains(table))
            return SchemaCheck::MissingTables;
        Recordset cols = db.Query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
        QSet<QString> names;
        for (; !cols.IsEOF(); cols.MoveNext())
            names.insert(cols.text(QStringLiteral("name")).toLower());
        for (const Column &c : t.columns)
            if (!names.contains(QString::fromUtf8(c.name).toLower()))
                return SchemaCheck::MissingTables;
    }
    return SchemaCheck::Ok;
}

} // namespace moquan
