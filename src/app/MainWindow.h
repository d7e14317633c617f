#pragma once
#include "chrome/FramedWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTimer;
class QTreeWidget;
class QCalendarWidget;

namespace moquan {

// The program's home: toolbar, menus, dashboard, clock, tray icon.  Every
// close request goes through the close sequence.
class MainWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QMenu *menu(const QString &title) const; // "设置(&S)", ..., "右键"
    QSystemTrayIcon *trayIcon() const { return tray_; }
    bool trayAvailable() const;

public Q_SLOTS:
    // Asks "是否真的退出？", then ends the program at once or after the
    // automatic backup; true when the program is ending.
    bool runCloseSequence();
    void hideToTray();
    void toggleFromTray();
    void frameMinimize() override;
    void frameClose() override;
    void updateClock();
    void refreshDashboard();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    void buildMenus();
    void openDatabase();
    void openToolWindow(const QString &name);
    void showAbout();
    void showHelp();
    QPushButton *menuButton(const QString &name, const QString &text, int x, QMenu *menu);

    QHash<QString, QMenu *> menus_;
    QSystemTrayIcon *tray_ = nullptr;
    QTimer *clockTimer_ = nullptr;
    QTimer *refreshTimer_ = nullptr;
    QTimer *upgradeTimer_ = nullptr;
    QComboBox *year_ = nullptr;
    QLabel *clock_ = nullptr;
    QLabel *festival_ = nullptr;
    QCheckBox *purchases_ = nullptr;
    QCheckBox *sales_ = nullptr;
    QCheckBox *stock_ = nullptr;
};

} // namespace moquan
