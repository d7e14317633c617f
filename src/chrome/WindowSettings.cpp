#include "chrome/WindowSettings.h"

#include <QHash>
#include <QList>

namespace moquan {

const QString kWebAddress = QStringLiteral("www.moquan.net");
const QString kProgramTitle = QStringLiteral("墨泉进销存 V1.4 ");

namespace {

QString titled(const QString &word)
{
    // Four blanks leave room for the window icon that lies over the title start.
    return QStringLiteral("    ") + word + kProgramTitle + kWebAddress;
}

QString arrow(const QString &word)
{
    return titled(word + QStringLiteral(" -> "));
}

struct Row {
    const char *window;
    QString title;
    int height;
    bool moveFreely;
    bool maximizable;
    int skinned;
    QString caption;
};

QList<WindowSettings> buildTable()
{
    const QList<Row> rows = {
        {"MainWindow", titled({}), 490, false, false, 9, QStringLiteral("墨泉进销存")},
        {"ProductListWindow", arrow(QStringLiteral("产品管理")), 500, true, false, 7, QStringLiteral("产品管理")},
        {"ProductEditWindow", arrow(QStringLiteral("产品管理")), 440, false, false, 5, QStringLiteral("产品管理")},
        {"BrandWindow", titled(QStringLiteral("品牌管理")), 0, true, false, 0, QStringLiteral("品牌管理")},
        {"CategoryWindow", arrow(QStringLiteral("类别管理")), 395, true, false, 5, QStringLiteral("类别管理")},
        {"CategoryEditWindow", arrow(QStringLiteral("类别管理")), 150, true, false, 3, QStringLiteral("类别管理")},
        {"PurchaseListWindow", arrow(QStringLiteral("进货")), 0, true, true, 9, QStringLiteral("进货窗口")},
        {"PurchaseEntryWindow", arrow(QStringLiteral("进货添加")), 0, true, false, 4, QStringLiteral("进货添加")},
        {"ProductFinderWindow", titled(QStringLiteral("查询分类")), 0, true, false, 2, QStringLiteral("查询分类")},
        {"SalesListWindow", arrow(QStringLiteral("销售")), 0, true, true, 9, QStringLiteral("销售窗口")},
        {"SaleEntryWindow", arrow(QStringLiteral("销售管理")), 0, true, false, 7, QStringLiteral("销售管理")},
        {"CustomerListWindow", arrow(QStringLiteral("顾客管理")), 465, true, false, 6, QStringLiteral("顾客管理")},
        {"ListFilterWindow", arrow(QStringLiteral("设置显示方式")), 0, true, false, 3, QStringLiteral("设置显示方式")},
        {"CustomerEditWindow", arrow(QStringLiteral("顾客管理")), 430, true, false, 5, QStringLiteral("顾客管理")},
        {"StockWindow", arrow(QStringLiteral("查看库存")), 0, true, true, 2, QStringLiteral("查看库存")},
        {"BackupProgressWindow", titled({}), 65, true, false, 0, QStringLiteral("数据备份中.......")},
        {"MemoListWindow", arrow(QStringLiteral("备忘")), 390, true, false, 4, QStringLiteral("备忘")},
        {"CourseListWindow", arrow(QStringLiteral("信息")), 420, true, false, 4, QStringLiteral("信息")},
        {"NoteEditWindow", arrow(QStringLiteral("管理")), 300, true, false, 4, QStringLiteral("管理")},
        {"HelpWindow", titled({}), 310, false, false, 0, QStringLiteral("墨泉进销存")},
        {"DataManagementWindow", arrow(QStringLiteral("数据管理")), 0, true, false, 5, QStringLiteral("数据管理")},
        {"BasicSettingsWindow", arrow(QStringLiteral("软件设置")), 170, true, false, 3, QStringLiteral("软件设置")},
        {"ProductInfoPopup", QString(), 0, false, false, 0, QStringLiteral("产品信息")},
    };
    QList<WindowSettings> table;
    for (const Row &r : rows) {
        WindowSettings s;
        s.window = QString::fromLatin1(r.window);
        s.title = r.title;
        s.height = r.height;
        s.moveFreely = r.moveFreely;
        s.maximizable = r.maximizable;
        s.minimizable = s.window != QLatin1String("HelpWindow");
        s.skinnedButtons = r.skinned;
        s.skin = s.window == QLatin1String("MainWindow") ? SkinKind::Toolbar : SkinKind::Standard;
        s.caption = r.caption;
        s.frameButtonsHidden = s.window == QLatin1String("ProductInfoPopup");
        table.append(s);
    }
    return table;
}

} // namespace

const QList<WindowSettings> &allWindowSettings()
{
    static const QList<WindowSettings> table = buildTable();
    return table;
}

const WindowSettings &windowSettings(const QString &window)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const auto &t = allWindowSettings();
        for (int i = 0; i < t.size(); ++i)
            h.insert(t[i].window, i);
        return h;
    }();
    static const WindowSettings neutral = [] {
        WindowSettings s;
        s.title = titled({});
        s.caption = QStringLiteral("墨泉进销存");
        return s;
    }();
    const auto it = index.constFind(window);
    return it == index.constEnd() ? neutral : allWindowSettings().at(*it);
}

} // namespace moquan
