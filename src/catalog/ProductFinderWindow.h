#pragma once
// ProductFinderWindow (查询分类): picks a product by brand, then category,
// then name, or by quick search, shows it in ProductInfoPopup beside the
// finder, and hands the chosen product to the window waiting for it.
//
// Waiting windows plug in as choice receivers: a window that opens the
// finder (or may be open above it) adds a receiver for as long as it lives.
// On *Choose the product* the finder closes, then asks the receivers, the
// most recently added first, until one takes the product (returns true);
// when none does, the fallback receiver gets it.
#include "chrome/FramedWindow.h"

#include <QPointer>
#include <functional>

class QComboBox;
class QListWidget;

namespace moquan {

class LineEdit;

class ProductFinderWindow : public FramedWindow {
    Q_OBJECT
public:
    // Takes the chosen product name (empty when the user chose with no
    // product selected); true when it took it.
    using ChoiceReceiver = std::function<bool(const QString &productName)>;

    explicit ProductFinderWindow(QWidget *parent = nullptr);
    ~ProductFinderWindow() override;

    // Adds a receiver that lives as long as `owner`.
    static void addChoiceReceiver(QObject *owner, ChoiceReceiver receiver);
    static void removeChoiceReceivers(QObject *owner);
    // The receiver used when no other took the product (an empty function
    // clears it).
    static void setFallbackReceiver(ChoiceReceiver receiver);
    // Hands a chosen name to the receivers as *Choose the product* does.
    static void deliverChoice(const QString &productName);

    // The name selected in "产品", empty when none.
    QString selectedProductName() const;

public Q_SLOTS:
    // *Choose the product* ("确  定", double-click in "产品").
    void chooseProduct();

protected:
    void done(int r) override;
    void showEvent(QShowEvent *e) override;

private:
    void pickBrand(int index);
    void pickCategory(int index);
    void quickSearch(const QString &text);
    void productSelected();
    // *Place the popup*.
    void placePopup();
    void moveBesidePurchaseList();

    QComboBox *brand_ = nullptr;
    QComboBox *category_ = nullptr;
    LineEdit *quick_ = nullptr;
    QListWidget *products_ = nullptr;
    // Set while the finder itself writes into "快速取词".
    bool suppressSearch_ = false;
};

} // namespace moquan
