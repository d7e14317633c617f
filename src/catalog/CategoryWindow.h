#pragma once
// CategoryWindow (类别管理): every category with its ratio and brand; opens
// CategoryEditWindow to add or edit one, deletes the selected or the ticked
// categories.
#include "chrome/FramedWindow.h"

namespace moquan {

class ReportView;

class CategoryWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit CategoryWindow(QWidget *parent = nullptr);

    // *Load the category list*: newest row at the top.
    void loadCategories();
    // The 类别名称 of the selected row; null when no row is selected.
    QString selectedCategoryName() const;
    ReportView *view() const { return list_; }

public Q_SLOTS:
    void addCategory();             // "增加类别"
    void editCategory();            // "修改类别", double-click
    void deleteSelectedCategory();  // "删除类别"
    void deleteTickedCategories();  // "删除选中"

protected:
    void done(int result) override;

private:
    void openEditor(int mode);

    ReportView *list_ = nullptr;
};

} // namespace moquan
