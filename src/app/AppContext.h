#pragma once
// Program-wide state shared between windows: which windows are open, the
// values one window hands to the next, and the way the program ends.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace moquan {

class AppContext : public QObject {
    Q_OBJECT
public:
    static AppContext &instance();

    // Windows register themselves while they are open (by class name).
    void registerWindow(const QString &name, QWidget *window);
    QWidget *openWindow(const QString &name) const;
    template <class T> T *window(const QString &name) const
    {
        return qobject_cast<T *>(openWindow(name));
    }
    bool isOpen(const QString &name) const { return openWindow(name) != nullptr; }

    // Closes the database and leaves every event loop with exit code 0.
    void endProgram();
    bool programEnded() const { return ended_; }
    // Forgets a previous end and makes later ends leave the event loops
    // alone: tests run several sequences in one process, and an application
    // that was told to exit refuses every event loop after it.
    void resetForTest();

    // Hand-over values between windows.
    int statisticsMode = 1;        // 1 purchases, 2 purchases less sales, 3 sales
    int helpWindowMode = 0;        // 2 before the help window opens
    bool stockWindowSelling = false;
    QString presetDate;            // a DateText picked on the dashboard calendar

    // catalog: brands, categories, product editor (hand-over values)
    // Product edit mode: 0 none, 1 add, 2 edit the product named in
    // SaleEntryWindow's "购买产品", 3 edit handedOverProductName.  Set by the
    // opener, reset to 0 when ProductEditWindow closes.
    int productEditMode = 0;
    // The product ProductListWindow, StockWindow and PurchaseEntryWindow hand to
    // the editor in mode 3; the editor hands its product on to PurchaseEntryWindow.
    QString handedOverProductName;
    // Category edit mode: 0 none, 1 edit the category selected in
    // CategoryWindow, 2 add.  Reset to 0 when CategoryEditWindow closes.
    int categoryEditMode = 0;

    // catalog: product finder, info popup, product list (hand-over values)
    // The product ProductInfoPopup shows; set by its opener before it opens or
    // is filled again, emptied when the popup or the product finder closes.
    QString popupProductName;
    // Product tree selection of ProductListWindow: the chosen node's text and,
    // for a category node, its brand; both empty for the root or no node.
    // Reloads of the product list (after a save in the editor or after
    // corrections) list this selection again.
    QString productTreeNode;
    QString productTreeParent;


private:
    QHash<QString, QPointer<QWidget>> windows_;
    bool ended_ = false;
    bool exitLoops_ = true;
};

inline AppContext &appContext() { return AppContext::instance(); }

} // namespace moquan
