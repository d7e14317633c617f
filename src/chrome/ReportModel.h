#pragma once
// The report-style list: a table model holding rows of text cells, each row
// with a hidden integer value, a check state and a picture, and a table view
// that shows it with the events of the forms.  Built for long lists: setRows
// replaces all rows in one step (100 000 rows fill quickly).
#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QTableView>

namespace moquan {

struct ReportColumn {
    ReportColumn() = default;
    ReportColumn(const QString &header, int width = 100, bool editable = false)
        : header(header), width(width), editable(editable) {}

    QString header;
    int width = 100;
    bool editable = false;   // edited in place in the list
    QIcon image;             // picture in the header
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

struct ReportRow {
    ReportRow() = default;
    ReportRow(const QStringList &cells, qint64 value = 0, bool checked = false)
        : cells(cells), value(value), checked(checked) {}

    QStringList cells;
    qint64 value = 0;        // the hidden value (a record id)
    bool checked = false;
    QIcon image;             // picture before the first cell
};

class ReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportModel(QObject *parent = nullptr);

    // Columns.
    void setColumns(const QList<ReportColumn> &columns);
    const QList<ReportColumn> &columns() const { return columns_; }
    void setHeaderText(int column, const QString &text);
    QString headerText(int column) const;
    void setColumnEditable(int column, bool editable);
    bool isColumnEditable(int column) const;
    // A check box before the first cell of every row.
    void setCheckable(bool checkable);
    bool isCheckable() const { return checkable_; }

    // Rows.
    void clear();
    void setRows(QList<ReportRow> rows);
    int addRow(const ReportRow &row);
    int addRow(const QStringList &cells, qint64 value = 0);
    void removeRowAt(int row);
    const QList<ReportRow> &rows() const { return rows_; }
    const ReportRow &rowAt(int row) const { return rows_.at(row); }

    QString text(int row, int column) const;
    void setText(int row, int column, const QString &text);
    QStringList rowCells(int row) const;
    qint64 value(int row) const;
    void setValue(int row, qint64 value);
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    QList<int> checkedRows() const;
    void setRowImage(int row, const QIcon &image);
    // The first row whose hidden value is `value`; -1 when none.
    int findValue(qint64 value) const;

    // Puts the rows in a new order: the row at position i becomes the row that
    // was at order[i].  order must be a permutation of 0..rowCount()-1.
    void applyOrder(const QList<int> &order);

    // QAbstractTableModel.
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static constexpr int ValueRole = Qt::UserRole + 1;

Q_SIGNALS:
    // The user ticked or unticked a row's check box.
    void checkToggled(int row, bool checked);
    // The user edited a cell in place.
    void cellEdited(int row, int column, const QString &oldText, const QString &newText);
    // Columns were set or changed (widths, headers).
    void columnsChanged();

private:
    QList<ReportColumn> columns_;
    QList<ReportRow> rows_;
    bool checkable_ = false;
};

// The view of a ReportModel in report style: whole rows selected, one at a
// time, column widths from the model, no row numbers.
class ReportView : public QTableView {
    Q_OBJECT
public:
    explicit ReportView(QWidget *parent = nullptr);

    ReportModel *reportModel() const { return model_; }

    // The current (selected) row, -1 when none.
    int currentRow() const;
    void setCurrentRow(int row);
    // The row and column at a point of the viewport (-1 when none).
    int rowAtPoint(const QPoint &viewportPos) const;
    int columnAtPoint(const QPoint &viewportPos) const;
    // The row and column under the pointer now.
    int rowUnderPointer() const;
    int columnUnderPointer() const;
    // The rectangle of a cell in the view's own coordinates (not the viewport's).
    QRect cellRect(int row, int column) const;
    // Stops and restarts drawing while many rows change.
    void freezeDrawing(bool frozen);
    // Shows the sort marker on a column header (-1 hides it).
    void setSortMarker(int column, Qt::SortOrder order);
    // Applies the model's column widths.
    void applyColumnWidths();

Q_SIGNALS:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row, int column);
    // Right button on the list; row -1 when it was not on a row.
    void rightClicked(int row, const QPoint &globalPos);
    void headerClicked(int column);
    void leftPressed(int row, int column);

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;

private:
    ReportModel *model_;
    int announcedRow_ = -1;
};

} // namespace moquan
