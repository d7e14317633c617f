#pragma once
// Column sorting of the four product lists (product list, purchase list,
// sales list, stock window).  A click on a column header reorders the rows
// already in the list by that column, without a query.
//
// Every column is compared as a number: the cell text, trimmed, read as its
// leading decimal number the way C's atof reads one (sign, digits, point,
// exponent), with full-width characters counted as their ASCII forms and a
// leading currency sign "￥" passed over; a text without a leading number
// counts as 0.  Keys that differ by no more than 0.0000001 are equal.
//
// The ascending order keeps rows with equal keys in their present order
// (a stable sort); the descending order is the ascending order reversed as a
// whole, so rows with equal keys come out in reverse.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

namespace moquan {

// Keys that differ by no more than this count as equal.
inline constexpr double kSortKeyTolerance = 0.0000001;

// The sort key of one cell text.
double sortKey(QStringView text);

// True when two keys count as equal.
bool sortKeysEqual(double a, double b);

// The new order of rows with these keys: element i is the index (in the
// present order) of the row that goes to position i.  Rows whose keys are
// equal, or are joined by a chain of equal neighbours, keep their present
// order ascending and come out reversed descending.
QList<int> sortPermutation(const QList<double> &keys, Qt::SortOrder order);
// The same for the texts of one column, top to bottom.
QList<int> sortPermutation(const QStringList &columnTexts, Qt::SortOrder order);

// One row of a sortable list: all of it moves together.
struct ListRow {
    QStringList cells;
    qint64 hiddenValue = 0;   // the record's id
    bool checked = false;     // check mark, where the list has check boxes
    int image = -1;           // image index, -1 for none
};

// Sorts the rows by the given column (a row without that cell counts as an
// empty text).
void sortRows(QList<ListRow> &rows, int column, Qt::SortOrder order);

// The header marker of a column.
enum class SortMarker { None, Ascending, Descending };

// The sort state of one list: the last sorted column, which lives as long as
// the program (0 at start), and the header marker, which only the last
// sorted column can show and which belongs to the open window.
class ListSorter {
public:
    // A header click on a column: applies the direction rule, remembers the
    // column and its marker, and returns the direction to sort by.  The rule:
    // when the last sorted column shows "descending" the clicked column is
    // sorted ascending, otherwise descending; so the first click on a column
    // of a freshly opened window sorts descending, a second click on the same
    // column reverses, and a click on another column sorts opposite to the
    // direction the previous column showed.
    Qt::SortOrder click(int column);

    int lastColumn() const { return lastColumn_; }
    // The marker the given column shows.
    SortMarker marker(int column) const;
    // The window was opened anew: no column shows a marker; the last sorted
    // column is kept.
    void clearMarker() { marker_ = SortMarker::None; }

private:
    int lastColumn_ = 0;
    SortMarker marker_ = SortMarker::None;
};

} // namespace moquan
