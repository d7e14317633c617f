#pragma once
// BrandWindow (品牌管理): the list of brands, the top level of the product
// classification; adds a brand, renames one (the new name is carried into
// products, categories and purchases) and deletes one.
#include "chrome/FramedWindow.h"

class QListWidget;

namespace moquan {

class BrandWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit BrandWindow(QWidget *parent = nullptr);

    // *Load the brand list*.
    void loadBrands();

public Q_SLOTS:
    void addBrand();     // "增加品牌"
    void renameBrand();  // "修改品牌", double-click on a line
    void deleteBrand();  // "删除品牌"

private:
    // The selected brand; null when no line is selected.
    QString selectedBrand() const;

    QListWidget *list_ = nullptr;
};

} // namespace moquan
