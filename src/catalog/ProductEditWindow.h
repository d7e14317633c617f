#pragma once
// ProductEditWindow (产品): adds a product (product edit mode 1) or edits one
// (mode 2: the product named in SaleEntryWindow; mode 3: the handed-over
// product), deletes it, opens and saves its picture, and shows the quick code
// of the name as it is typed.  The mode and the handed-over name are
// AppContext::productEditMode and AppContext::handedOverProductName.
#include "chrome/FramedWindow.h"

class QComboBox;
class QPushButton;

namespace moquan {

class LineEdit;
class PictureBox;
class TextEdit;
struct ProductFields;

class ProductEditWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit ProductEditWindow(QWidget *parent = nullptr);
    ~ProductEditWindow() override;

    int mode() const { return mode_; }
    // The name the product was loaded under (modes 2 and 3); a save and a
    // delete address the product by it.
    QString keyName() const { return keyName_; }

    // Empties "所属类别" and lists the categories of the brand in "所属品牌"
    // (after CategoryWindow closes).
    void reloadCategories();
    // *Open the editor* again: brands, the product by its key name (new
    // stock), the categories.  Runs when PurchaseEntryWindow closes.
    void reopen();

    // The fields as typed.
    ProductFields fields() const;

public Q_SLOTS:
    void save();               // "保  存"
    void deleteProduct();      // "删  除"
    void openPicture();        // "打开图片"
    void savePicture();        // "保存图片"
    void openBrands();         // "+" beside 所属品牌
    void openCategories();     // "+" beside 所属类别
    void enterPurchase();      // "+" beside 库存数

protected:
    void done(int result) override;

private:
    void buildForm();
    void fillBrands();
    void loadProduct(const QString &name);
    // The product name to load on opening, by mode.
    QString productToLoad() const;
    void onBrandPicked(int index);

    int mode_ = 0;
    QString keyName_;

    LineEdit *name_ = nullptr;
    QComboBox *brand_ = nullptr;
    QComboBox *category_ = nullptr;
    LineEdit *price_ = nullptr;
    LineEdit *stock_ = nullptr;
    QPushButton *addStock_ = nullptr;
    LineEdit *alertLevel_ = nullptr;
    LineEdit *number_ = nullptr;
    LineEdit *days_ = nullptr;
    TextEdit *introduction_ = nullptr;
    PictureBox *picture_ = nullptr;
    LineEdit *quickCode_ = nullptr;
    QPushButton *delete_ = nullptr;
};

} // namespace moquan
