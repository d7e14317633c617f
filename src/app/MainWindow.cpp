#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/BackupProgressWindow.h"
#include "app/HelpWindow.h"
#include "app/LoginSettings.h"
#include "app/SettingsFile.h"
#include "catalog/BrandWindow.h"
#include "catalog/CategoryWindow.h"
#include "catalog/ProductListWindow.h"
#include "chrome/ChromePictures.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "chrome/WindowSettings.h"
#include "dashboard/CalendarTexts.h"
#include "platform/SystemMarks.h"
#include "store/DataDirectory.h"
#include "store/Database.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidget>

namespace moquan {

namespace {

QTreeWidget *reminderList(QWidget *parent, const QString &name, const QStringList &headers,
                          QRect geom, const QList<int> &widths)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geom);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < widths.size(); ++i)
        list->setColumnWidth(i, widths[i]);
    return list;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : FramedWindow(QStringLiteral("MainWindow"), parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("墨泉进销存"));
    setWindowIcon(programIcon());
    setModal(false);
    resize(641, 576);
    buildForm();
    buildMenus();
    setUpFrame();
    appContext().registerWindow(QStringLiteral("MainWindow"), this);

    openDatabase();

    appContext().statisticsMode = 1;
    refreshDashboard();
    skinButtons();

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("时钟"));
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::updateClock);
    clockTimer_->start(1000);
    refreshTimer_ = new QTimer(this);
    refreshTimer_->setObjectName(QStringLiteral("刷新时钟"));
    connect(refreshTimer_, &QTimer::timeout, this, &MainWindow::refreshDashboard);
    refreshTimer_->start(5000);
    updateClock();
    festival_->setText(festivalText(QDate::currentDate()));

    // The upgrade check runs only when asked for; there is no upgrade
    // service, so the timer has nothing to fetch.
    if (setting(QStringLiteral("自动升级")) == QLatin1String("1")) {
        upgradeTimer_ = new QTimer(this);
        upgradeTimer_->setObjectName(QStringLiteral("升级时钟"));
        upgradeTimer_->start(50000);
    }

    tray_ = new QSystemTrayIcon(programIcon(), this);
    tray_->setObjectName(QStringLiteral("托盘图标"));
    tray_->setToolTip(QStringLiteral("墨泉进销存"));
    tray_->setContextMenu(menus_.value(QStringLiteral("右键")));
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            toggleFromTray();
    });
    if (trayAvailable())
        tray_->show();
}

MainWindow::~MainWindow()
{
    if (tray_)
        tray_->hide();
}

void MainWindow::buildForm()
{
    // Toolbar: nine large buttons wearing the toolbar skin.
    const QList<QPair<QString, QString>> tools = {
        {QStringLiteral("库存查看"), QStringLiteral("库存查看")},
        {QStringLiteral("进货"), QStringLiteral("进  货")},
        {QStringLiteral("销售"), QStringLiteral("销  售")},
        {QStringLiteral("品牌"), QStringLiteral("品  牌")},
        {QStringLiteral("类别"), QStringLiteral("类  别")},
        {QStringLiteral("产品"), QStringLiteral("产  品")},
        {QStringLiteral("顾客"), QStringLiteral("顾  客")},
        {QStringLiteral("个人备忘"), QStringLiteral("个人备忘")},
        {QStringLiteral("课程列表"), QStringLiteral("信息设置")},
    };
    const QStringList opens = {
        QStringLiteral("StockWindow"),      QStringLiteral("PurchaseListWindow"),
        QStringLiteral("SalesListWindow"),  QStringLiteral("BrandWindow"),
        QStringLiteral("CategoryWindow"),   QStringLiteral("ProductListWindow"),
        QStringLiteral("CustomerListWindow"), QStringLiteral("MemoListWindow"),
        QStringLiteral("CourseListWindow"),
    };
    for (int i = 0; i < tools.size(); ++i) {
        QPushButton *b = form::button(this, tools[i].first, tools[i].second,
                                      QRect(14 + i * 68, 54, 60, 50), i + 1);
        const QString target = opens[i];
        connect(b, &QPushButton::clicked, this, [this, target] { openToolWindow(target); });
    }

    auto *banner = form::label(this, QStringLiteral("广告条"),
                               QStringLiteral("欢迎您使用，如果您有什么问题或者意见提出！"),
                               QRect(268, 31, 365, 18), true);
    banner->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    banner->setStyleSheet(QStringLiteral("color:#19449E;"));

    // 月统计
    QGroupBox *stats = form::groupBox(this, QStringLiteral("分组框1"), QStringLiteral("月统计"),
                                      QRect(8, 110, 404, 226));
    purchases_ = form::checkBox(stats, QStringLiteral("总统计"), QStringLiteral("进货"),
                                QRect(10, 20, 56, 20), true);
    sales_ = form::checkBox(stats, QStringLiteral("已出"), QStringLiteral("销售"),
                            QRect(72, 20, 56, 20));
    stock_ = form::checkBox(stats, QStringLiteral("未出"), QStringLiteral("库存"),
                            QRect(134, 20, 56, 20));
    QStringList years;
    for (int y = 2007; y <= QDate::currentDate().year() + 1; ++y)
        years << QString::number(y);
    year_ = form::comboBox(stats, QStringLiteral("年"), QRect(310, 18, 84, 22), true, years);
    QTreeWidget *monthly = reminderList(
        stats, QStringLiteral("月统计"),
        {QStringLiteral("月"), QStringLiteral("总销售"), QStringLiteral("净营业"),
         QStringLiteral("比例"), QStringLiteral("拥金")},
        QRect(8, 46, 388, 172), {36, 96, 96, 60, 78});
    for (int m = 1; m <= 12; ++m)
        new QTreeWidgetItem(monthly, {QString::number(m)});

    auto *calendar = new QCalendarWidget(this);
    calendar->setObjectName(QStringLiteral("农历日期框1"));
    calendar->setGeometry(418, 112, 215, 168);
    calendar->setGridVisible(false);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));

    clock_ = form::label(this, QStringLiteral("显示时间"), QString(), QRect(418, 282, 215, 34), true);
    clock_->setAlignment(Qt::AlignCenter);
    clock_->setStyleSheet(QStringLiteral("color:#19449E;"));
    festival_ = form::label(this, QStringLiteral("节日"), QString(), QRect(418, 317, 215, 18), true);
    festival_->setAlignment(Qt::AlignCenter);
    festival_->setStyleSheet(QStringLiteral("color:#C0392B;"));

    QGroupBox *g2 = form::groupBox(this, QStringLiteral("分组框2"), QStringLiteral("产品用完提示"),
                                   QRect(8, 340, 206, 120));
    reminderList(g2, QStringLiteral("产品用完提示"),
                 {QStringLiteral("过期时间"), QStringLiteral("产品名称"), QStringLiteral("顾客姓名")},
                 QRect(6, 18, 194, 96), {66, 64, 58});
    QGroupBox *g4 = form::groupBox(this, QStringLiteral("分组框4"), QStringLiteral("个人备忘提示"),
                                   QRect(218, 340, 206, 120));
    reminderList(g4, QStringLiteral("备忘"), {QStringLiteral("时间"), QStringLiteral("主题")},
                 QRect(6, 18, 194, 96), {80, 110});
    QGroupBox *g5 = form::groupBox(this, QStringLiteral("分组框5"), QStringLiteral("信息提示"),
                                   QRect(428, 340, 205, 120));
    reminderList(g5, QStringLiteral("课程"),
                 {QStringLiteral("时间"), QStringLiteral("主题"), QStringLiteral("姓名")},
                 QRect(6, 18, 193, 96), {70, 70, 50});

    auto *notice = form::label(this, QStringLiteral("版权"),
                               QStringLiteral("墨泉进销存 V1.4  版权所有 © kemo tari  ") + kWebAddress,
                               QRect(8, 464, 625, 16), true);
    notice->setAlignment(Qt::AlignCenter);
    notice->setStyleSheet(QStringLiteral("color:#6A7380;"));
}

QPushButton *MainWindow::menuButton(const QString &name, const QString &text, int x, QMenu *menu)
{
    QPushButton *b = form::plainButton(this, name, text, QRect(x, 30, 48, 20));
    b->setFlat(true);
    b->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;color:#19449E;background:transparent;}"
        "QPushButton:hover{background:#DCE6F7;border:1px solid #8FA9D9;border-radius:3px;}"));
    connect(b, &QPushButton::clicked, this, [b, menu] {
        menu->popup(b->mapToGlobal(QPoint(0, b->height())));
    });
    return b;
}

void MainWindow::buildMenus()
{
    auto makeMenu = [this](const QString &title) {
        auto *m = new QMenu(title, this);
        m->setObjectName(title);
        menus_.insert(title, m);
        return m;
    };
    auto item = [this](QMenu *m, const QString &text, auto &&slot) {
        QAction *a = m->addAction(text);
        a->setObjectName(text);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu *settings = makeMenu(QStringLiteral("设置(&S)"));
    item(settings, QStringLiteral("基本设置(&J)"), [this] { openToolWindow(QStringLiteral("BasicSettingsWindow")); });
    settings->addSeparator();
    item(settings, QStringLiteral("登陆设置(&L)"), [this] { runLoginSettings(this); });
    settings->addSeparator();
    item(settings, QStringLiteral("数据管理(&D)"), [this] { openToolWindow(QStringLiteral("DataManagementWindow")); });
    settings->addSeparator();
    item(settings, QStringLiteral("在线升级(&Z)"), [this] {
        dialogs().inform(this, QStringLiteral("在线升级暂不可用，请到官方网站下载新版本。"),
                         QStringLiteral("提示"));
    });
    settings->addSeparator();
    item(settings, QStringLiteral("退出(&C)"), [this] { runCloseSequence(); });

    QMenu *products = makeMenu(QStringLiteral("产品(&C)"));
    item(products, QStringLiteral("产品管理(&G)"), [this] { openToolWindow(QStringLiteral("ProductListWindow")); });
    products->addSeparator();
    item(products, QStringLiteral("类别管理(&L)"), [this] { openToolWindow(QStringLiteral("CategoryWindow")); });
    products->addSeparator();
    item(products, QStringLiteral("品牌管理(&P)"), [this] { openToolWindow(QStringLiteral("BrandWindow")); });

    QMenu *trade = makeMenu(QStringLiteral("经销(&V)"));
    item(trade, QStringLiteral("进货(&J)"), [this] { openToolWindow(QStringLiteral("PurchaseListWindow")); });
    trade->addSeparator();
    item(trade, QStringLiteral("销售(&X)"), [this] { openToolWindow(QStringLiteral("SalesListWindow")); });
    trade->addSeparator();
    item(trade, QStringLiteral("库存(&K)"), [this] { openToolWindow(QStringLiteral("StockWindow")); });

    QMenu *functions = makeMenu(QStringLiteral("功能(&T)"));
    item(functions, QStringLiteral("顾客列表(&G)"), [this] { openToolWindow(QStringLiteral("CustomerListWindow")); });
    functions->addSeparator();
    item(functions, QStringLiteral("个人备忘(&B)"), [this] { openToolWindow(QStringLiteral("MemoListWindow")); });
    functions->addSeparator();
    item(functions, QStringLiteral("信息设置(&K)"), [this] { openToolWindow(QStringLiteral("CourseListWindow")); });

    QMenu *help = makeMenu(QStringLiteral("帮助(&H)"));
    item(help, QStringLiteral("使用说明(&H)"), [this] { showHelp(); });
    help->addSeparator();
    item(help, QStringLiteral("关于墨泉进销存(&V)"), [this] { showAbout(); });

    QMenu *context = makeMenu(QStringLiteral("右键"));
    item(context, QStringLiteral("最小化(&N)"), [this] { hideToTray(); });
    item(context, QStringLiteral("关闭墨泉进销存(&C)"), [this] { runCloseSequence(); });
    context->addSeparator();
    item(context, QStringLiteral("关于墨泉进销存(&V)"), [this] { showAbout(); });

    menuButton(QStringLiteral("设置"), QStringLiteral("设置(&S)"), 10, settings);
    menuButton(QStringLiteral("产品产品"), QStringLiteral("产品(&C)"), 60, products);
    menuButton(QStringLiteral("经销"), QStringLiteral("经销(&V)"), 110, trade);
    menuButton(QStringLiteral("功能"), QStringLiteral("功能(&T)"), 160, functions);
    menuButton(QStringLiteral("帮助"), QStringLiteral("帮助(&H)"), 210, help);

    // The right button on the title strip pops up 右键.
    connect(this, &FramedWindow::stripRightClicked, this, [this](const QPoint &at) {
        menus_.value(QStringLiteral("右键"))->popup(at);
    });
}

QMenu *MainWindow::menu(const QString &title) const { return menus_.value(title); }

void MainWindow::openDatabase()
{
    const Database::OpenResult r = database().open(databasePath());
    QString problem;
    switch (r) {
    case Database::OpenResult::Opened:
    case Database::OpenResult::Created:
        return;
    case Database::OpenResult::NotADatabase:
        problem = QStringLiteral("数据文件 tarikemo.dll 不是本软件的数据库，或已经损坏。");
        break;
    case Database::OpenResult::MissingTables:
        problem = QStringLiteral("数据文件 tarikemo.dll 缺少本软件的数据表。");
        break;
    case Database::OpenResult::CannotOpen:
        problem = QStringLiteral("数据文件 tarikemo.dll 无法打开（") + database().lastError()
                  + QStringLiteral("）。");
        break;
    }
    dialogs().messageBox(this,
                         problem
                             + QStringLiteral("\n该文件没有被改动，所有列表将显示为空。\n"
                                              "可以通过“设置 → 数据管理”还原一个备份。\n文件位置：")
                             + databasePath(),
                         QStringLiteral("提示"), DialogIcon::Warning, DialogButtons::Ok);
}

void MainWindow::openToolWindow(const QString &name)
{
    // Each window is opened modally; the windows of stock, customers, notes
    // and settings are wired here as they are built, until then their buttons
    // do nothing.
    if (name == QLatin1String("StockWindow"))
        appContext().stockWindowSelling = true;
    if (name == QLatin1String("BrandWindow")) {
        BrandWindow w(this);
        w.exec();
    } else if (name == QLatin1String("CategoryWindow")) {
        CategoryWindow w(this);
        w.exec();
    } else if (name == QLatin1String("ProductListWindow")) {
        ProductListWindow w(this);
        w.exec();
    }
}

void MainWindow::showAbout()
{
    dialogs().messageBox(this,
                         QStringLiteral("墨泉进销存 V1.4\n直销人员量身定做的简单快捷进销存管理软件。\n"
                                        "版权所有 © kemo tari  ")
                             + kWebAddress,
                         QStringLiteral("关于墨泉进销存"), DialogIcon::Information, DialogButtons::Ok);
}

void MainWindow::showHelp()
{
    appContext().helpWindowMode = 2;
    HelpWindow help(this);
    help.exec();
}

bool MainWindow::trayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void MainWindow::hideToTray()
{
    // Without a tray to bring it back from, the window is minimised instead.
    if (trayAvailable())
        hide();
    else
        showMinimized();
}

void MainWindow::toggleFromTray()
{
    if (isHidden() || isMinimized()) {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        showNormal();
        raise();
        activateWindow();
    } else {
        hide();
    }
}

void MainWindow::frameMinimize() { hideToTray(); }

void MainWindow::frameClose() { runCloseSequence(); }

bool MainWindow::runCloseSequence()
{
    if (!dialogs().confirm(this, QStringLiteral("是否真的退出？"), QStringLiteral("询问")))
        return false;
    if (setting(QStringLiteral("自动备份")) != QLatin1String("1")) {
        appContext().endProgram();
        return true;
    }
    BackupProgressWindow progress(this);
    progress.exec();
    return appContext().programEnded();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (appContext().programEnded()) {
        event->accept();
        return;
    }
    event->ignore();
    runCloseSequence();
}

void MainWindow::changeEvent(QEvent *event)
{
    FramedWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && trayAvailable())
        QTimer::singleShot(0, this, [this] { hide(); });
}

void MainWindow::updateClock()
{
    clock_->setText(clockText(QDate::currentDate()));
}

void MainWindow::refreshDashboard()
{
    year_->setCurrentText(QString::number(QDate::currentDate().year()));
    if (purchases_->isChecked())
        appContext().statisticsMode = 1;
    else if (stock_->isChecked())
        appContext().statisticsMode = 2;
    else if (sales_->isChecked())
        appContext().statisticsMode = 3;
    // Give freed memory back to the system at most once a refresh.
    trimWorkingSet();
}

} // namespace moquan
