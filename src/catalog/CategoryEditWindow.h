#pragma once
// CategoryEditWindow (增加修改删除类别): adds a category, or edits or deletes
// the one selected in CategoryWindow, by the category edit mode
// (AppContext::categoryEditMode: 1 edit, 2 add).
#include "chrome/FramedWindow.h"

class QComboBox;
class QPushButton;

namespace moquan {

class LineEdit;

class CategoryEditWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit CategoryEditWindow(QWidget *parent = nullptr);
    ~CategoryEditWindow() override;

    int mode() const { return mode_; }

public Q_SLOTS:
    void save();            // "保存"
    void deleteCategory();  // "删除"
    void openBrands();      // "+" beside 所属品牌

protected:
    void done(int result) override;

private:
    void reloadCategoryWindow();

    int mode_ = 0;
    // The category being edited, as loaded (mode 1).
    QString oldName_;
    QComboBox *brand_ = nullptr;
    LineEdit *name_ = nullptr;
    LineEdit *ratio_ = nullptr;
    QPushButton *delete_ = nullptr;
};

} // namespace moquan
