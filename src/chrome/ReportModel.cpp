#include "chrome/ReportModel.h"

#include <QCursor>
#include <QHeaderView>
#include <QMouseEvent>

namespace moquan {

ReportModel::ReportModel(QObject *parent) : QAbstractTableModel(parent) {}

void ReportModel::setColumns(const QList<ReportColumn> &columns)
{
    beginResetModel();
    columns_ = columns;
    endResetModel();
    Q_EMIT columnsChanged();
}

void ReportModel::setHeaderText(int column, const QString &text)
{
    if (column < 0 || column >= columns_.size())
        return;
    columns_[column].header = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

QString ReportModel::headerText(int column) const
{
    return column >= 0 && column < columns_.size() ? columns_[column].header : QString();
}

void ReportModel::setColumnEditable(int column, bool editable)
{
    if (column >= 0 && column < columns_.size())
        columns_[column].editable = editable;
}

bool ReportModel::isColumnEditable(int column) const
{
    return column >= 0 && column < columns_.size() && columns_[column].editable;
}

void ReportModel::setCheckable(bool checkable)
{
    if (checkable_ == checkable)
        return;
    beginResetModel();
    checkable_ = checkable;
    endResetModel();
}

void ReportModel::clear()
{
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ReportModel::setRows(QList<ReportRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ReportModel::addRow(const ReportRow &row)
{
    const int at = int(rows_.size());
    beginInsertRows({}, at, at);
    rows_.append(row);
    endInsertRows();
    return at;
}

int ReportModel::addRow(const QStringList &cells, qint64 value)
{
    ReportRow r;
    r.cells = cells;
    r.value = value;
    return addRow(r);
}

void ReportModel::removeRowAt(int row)
{
    if (row < 0 || row >= rows_.size())
        return;
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

QString ReportModel::text(int row, int column) const
{
    if (row < 0 || row >= rows_.size())
        return {};
    return rows_[row].cells.value(column);
}

void ReportModel::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rows_.size() || column < 0)
        return;
    QStringList &cells = rows_[row].cells;
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    const QModelIndex i = index(row, column);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

QStringList ReportModel::rowCells(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].cells : QStringList();
}

qint64 ReportModel::value(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].value : 0;
}

void ReportModel::setValue(int row, qint64 value)
{
    if (row >= 0 && row < rows_.size())
        rows_[row].value = value;
}

bool ReportModel::isChecked(int row) const
{
    return row >= 0 && row < rows_.size() && rows_[row].checked;
}

void ReportModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= rows_.size() || rows_[row].checked == checked)
        return;
    rows_[row].checked = checked;
    const QModelIndex i = index(row, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

QList<int> ReportModel::checkedRows() const
{
    QList<int> out;
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_[i].checked)
            out.append(i);
    return out;
}

void ReportModel::setRowImage(int row, const QIcon &image)
{
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].image = image;
    const QModelIndex i = index(row, 0);
    Q_EMIT dataChanged(i, i, {Qt::DecorationRole});
}

int ReportModel::findValue(qint64 value) const
{
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_[i].value == value)
            return i;
    return -1;
}

void ReportModel::applyOrder(const QList<int> &order)
{
    if (order.size() != rows_.size())
        return;
    QList<bool> seen(rows_.size(), false);
    for (int from : order) {
        if (from < 0 || from >= rows_.size() || seen[from])
            return;   // not a permutation: leave the rows as they are
        seen[from] = true;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> newPlace(rows_.size());
    for (int to = 0; to < order.size(); ++to)
        newPlace[order[to]] = to;
    QList<ReportRow> sorted;
    sorted.reserve(rows_.size());
    for (int from : order)
        sorted.append(std::move(rows_[from]));
    rows_ = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before)
        after.append(index(newPlace[i.row()], i.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const ReportRow &r = rows_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return r.cells.value(index.column());
    case Qt::CheckStateRole:
        if (checkable_ && index.column() == 0)
            return r.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole:
        if (index.column() == 0 && !r.image.isNull())
            return r.image;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() < columns_.size())
            return int(columns_[index.column()].alignment);
        return {};
    case ValueRole:
        return r.value;
    default:
        return {};
    }
}

bool ReportModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= rows_.size())
        return false;
    const int row = index.row();
    if (role == Qt::CheckStateRole && checkable_ && index.column() == 0) {
        const bool checked = value.toInt() == Qt::Checked;
        if (rows_[row].checked != checked) {
            rows_[row].checked = checked;
            Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
            Q_EMIT checkToggled(row, checked);
        }
        return true;
    }
    if (role == Qt::EditRole && isColumnEditable(index.column())) {
        const QString old = rows_[row].cells.value(index.column());
        const QString now = value.toString();
        if (old != now) {
            setText(row, index.column(), now);
            Q_EMIT cellEdited(row, index.column(), old, now);
        }
        return true;
    }
    return false;
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return columns_[section].header;
    case Qt::DecorationRole:
        return columns_[section].image.isNull() ? QVariant() : QVariant(columns_[section].image);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags ReportModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkable_ && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    if (isColumnEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

// ---------------------------------------------------------------- ReportView

ReportView::ReportView(QWidget *parent) : QTableView(parent), model_(new ReportModel(this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSortIndicatorShown(false);
    setMouseTracking(true);

    connect(model_, &ReportModel::columnsChanged, this, &ReportView::applyColumnWidths);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ReportView::headerClicked);
    // The current row is the selected row: a list that merely has the focus
    // has no current row until one is chosen.
    auto announce = [this] {
        const int row = currentRow();
        if (row != announcedRow_) {
            announcedRow_ = row;
            Q_EMIT currentRowChanged(row);
        }
    };
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, announce);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, announce);
    connect(model_, &QAbstractItemModel::modelReset, this, announce);
    connect(model_, &QAbstractItemModel::layoutChanged, this, announce);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, announce);
}

int ReportView::currentRow() const
{
    const QModelIndex i = currentIndex();
    if (!i.isValid() || !selectionModel()->isRowSelected(i.row(), {}))
        return -1;
    return i.row();
}

void ReportView::setCurrentRow(int row)
{
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
        return;
    }
    const QModelIndex i = model_->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

int ReportView::rowAtPoint(const QPoint &viewportPos) const
{
    return rowAt(viewportPos.y());
}

int ReportView::columnAtPoint(const QPoint &viewportPos) const
{
    return columnAt(viewportPos.x());
}

int ReportView::rowUnderPointer() const
{
    return rowAtPoint(viewport()->mapFromGlobal(QCursor::pos()));
}

int ReportView::columnUnderPointer() const
{
    return columnAtPoint(viewport()->mapFromGlobal(QCursor::pos()));
}

QRect ReportView::cellRect(int row, int column) const
{
    const QRect r = visualRect(model_->index(row, column));
    return r.translated(viewport()->pos());
}

void ReportView::freezeDrawing(bool frozen)
{
    setUpdatesEnabled(!frozen);
}

void ReportView::setSortMarker(int column, Qt::SortOrder order)
{
    if (column < 0) {
        horizontalHeader()->setSortIndicatorShown(false);
        return;
    }
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(column, order);
}

void ReportView::applyColumnWidths()
{
    const auto &cols = model_->columns();
    for (int i = 0; i < cols.size(); ++i)
        setColumnWidth(i, cols[i].width);
}

void ReportView::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        Q_EMIT leftPressed(rowAtPoint(p), columnAtPoint(p));
    QTableView::mousePressEvent(e);
}

void ReportView::mouseReleaseEvent(QMouseEvent *e)
{
    QTableView::mouseReleaseEvent(e);
    if (e->button() == Qt::RightButton) {
        const int row = rowAtPoint(e->position().toPoint());
        if (row >= 0)
            setCurrentRow(row);
        Q_EMIT rightClicked(row, e->globalPosition().toPoint());
    }
}

void ReportView::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    const int row = rowAtPoint(p);
    const int column = columnAtPoint(p);
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton && row >= 0)
        Q_EMIT rowDoubleClicked(row, column);
}

} // namespace moquan
