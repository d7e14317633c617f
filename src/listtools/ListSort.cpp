#include "listtools/ListSort.h"

#include "platform/Gbk.h"

#include <algorithm>
#include <cmath>
#include <locale.h>
#include <numeric>
#include <stdlib.h>
#include <string>

namespace moquan {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// strtod in the C locale, whatever locale the application runs in (a comma
// decimal point must not change how "12.5" reads).
double toDoubleC(const std::string &number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

} // namespace

double sortKey(QStringView text)
{
    const QStringView t = text.trimmed();
    const qsizetype n = t.size();
    auto at = [&](qsizetype i) -> char16_t { return i < n ? halfWidth(t[i].unicode()) : u'\0'; };

    qsizetype i = 0;
    // Money columns show "￥" before the amount; the amount is the key.
    if (t.startsWith(u'￥') || t.startsWith(u'¥')) {
        ++i;
        while (i < n && QChar(at(i)).isSpace())
            ++i;
    }

    std::string number;
    if (at(i) == u'+' || at(i) == u'-')
        number += char(at(i++));
    int mantissaDigits = 0;
    while (isDigit(at(i))) {
        number += char(at(i++));
        ++mantissaDigits;
    }
    if (at(i) == u'.') {
        number += '.';
        ++i;
        while (isDigit(at(i))) {
            number += char(at(i++));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows "e", "e+" or "e-".
    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (at(j) == u'+' || at(j) == u'-')
            exponent += char(at(j++));
        if (isDigit(at(j))) {
            while (isDigit(at(j)))
                exponent += char(at(j++));
            number += exponent;
        }
    }
    return toDoubleC(number);
}

bool sortKeysEqual(double a, double b)
{
    return a == b || std::fabs(a - b) <= kSortKeyTolerance;
}

QList<int> sortPermutation(const QList<double> &rawKeys, Qt::SortOrder order)
{
    const qsizetype n = rawKeys.size();
    QList<double> keys = rawKeys;
    for (double &k : keys) {
        if (std::isnan(k))
            k = 0.0;
    }

    QList<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    std::sort(perm.begin(), perm.end(), [&](int a, int b) {
        return keys[a] < keys[b] || (keys[a] == keys[b] && a < b);
    });

    // Keys within the tolerance of their neighbour form one group; each group
    // keeps the present order of its rows.  (Grouping neighbours makes the
    // order well defined even when a chain of close keys spans more than the
    // tolerance.)
    qsizetype groupStart = 0;
    for (qsizetype k = 1; k <= n; ++k) {
        if (k == n || !sortKeysEqual(keys[perm[k - 1]], keys[perm[k]])) {
            if (k - groupStart > 1)
                std::sort(perm.begin() + groupStart, perm.begin() + k);
            groupStart = k;
        }
    }

    if (order == Qt::DescendingOrder)
        std::reverse(perm.begin(), perm.end());
    return perm;
}

QList<int> sortPermutation(const QStringList &columnTexts, Qt::SortOrder order)
{
    QList<double> keys;
    keys.reserve(columnTexts.size());
    for (const QString &text : columnTexts)
        keys.append(sortKey(text));
    return sortPermutation(keys, order);
}

void sortRows(QList<ListRow> &rows, int column, Qt::SortOrder order)
{
    QList<double> keys;
    keys.reserve(rows.size());
    for (const ListRow &row : rows)
        keys.append(column >= 0 && column < row.cells.size() ? sortKey(row.cells[column]) : 0.0);

    const QList<int> perm = sortPermutation(keys, order);
    QList<ListRow> sorted;
    sorted.reserve(rows.size());
    for (int from : perm)
        sorted.append(std::move(rows[from]));
    rows = std::move(sorted);
}

Qt::SortOrder ListSorter::click(int column)
{
    const Qt::SortOrder order =
        marker_ == SortMarker::Descending ? Qt::AscendingOrder : Qt::DescendingOrder;
    marker_ = order == Qt::AscendingOrder ? SortMarker::Ascending : SortMarker::Descending;
    lastColumn_ = column;
    return order;
}

SortMarker ListSorter::marker(int column) const
{
    return column == lastColumn_ ? marker_ : SortMarker::None;
}

} // namespace moquan
