#include "app/HelpWindow.h"

#include "app/AppContext.h"
#include "app/LoginPassword.h"
#include "chrome/FormKit.h"
#include "chrome/WindowSettings.h"
#include "platform/SystemMarks.h"

#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace moquan {

QString HelpWindow::introduction()
{
    return QStringLiteral("    直销人员量身定做的一款简单快捷进销存管理软件。包含\n"
                          "（品牌管理、类别管理、产品管理、进货管理、销售管理、库\n"
                          "存查看、客户管理、课程管理、备忘录）一体化系统，关键突\n"
                          "出简单操作简单界面。附带了个奖金分配统计，详细内容请使\n"
                          "用软件。\n"
                          "\n"
                          "\n"
                          "                    墨泉交流论坛\n"
                          "                    kemo tari\n"
                          "                    bbs.moquan.net");
}

HelpWindow::HelpWindow(QWidget *parent) : FramedWindow(QStringLiteral("HelpWindow"), parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("使用说明"));
    resize(520, 359);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("选择夹1"));
    tabs->setGeometry(10, 30, 500, 272);
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("软件帮助"));
    tabs->addTab(page, QStringLiteral("软件帮助"));

    form::label(page, QStringLiteral("标签作者"), QStringLiteral("作者："), QRect(12, 10, 40, 18));
    form::label(page, QStringLiteral("作者"), QStringLiteral("kemo"), QRect(54, 10, 120, 18));
    form::label(page, QStringLiteral("网址"), kWebAddress, QRect(190, 10, 200, 18));
    form::label(page, QStringLiteral("标签版本"), QStringLiteral("版本："), QRect(12, 32, 40, 18));
    QLabel *version = form::label(page, QStringLiteral("软件版本"), QString(), QRect(54, 32, 120, 18));
    form::label(page, QStringLiteral("标签完成日期"), QStringLiteral("完成日期:"), QRect(190, 32, 64, 18));
    QLabel *date = form::label(page, QStringLiteral("完成日期"), QString(), QRect(256, 32, 220, 18));
    QGroupBox *intro = form::groupBox(page, QStringLiteral("简介"), QStringLiteral("简 介"),
                                      QRect(8, 56, 480, 180));
    form::multiEdit(intro, QStringLiteral("编辑框1"), QRect(8, 20, 464, 152), introduction(), true);

    if (appContext().helpWindowMode == 2) {
        version->setText(QStringLiteral("V 1.4"));
        date->setText(UnscramblePassword(readRegistryValue(QStringLiteral("data"))));
    }
    setUpFrame();
    appContext().registerWindow(QStringLiteral("HelpWindow"), this);
}

} // namespace moquan
