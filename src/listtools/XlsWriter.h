#pragma once
// Writes Excel 97-2003 workbooks (.xls): a BIFF8 workbook stream inside an
// OLE2 compound file (version 3, 512-byte sectors).  The exports of the list
// windows use it to write one table as one worksheet: the column names as the
// first row, one row per record below.
//
// Cell values are QVariants:
//   - text (QString, and any other type through toString) -> text cell; a text
//     longer than a cell holds (32 767 UTF-16 units) is cut at the limit, never
//     inside a surrogate pair;
//   - integers (int, qint64, unsigned, bool) -> number; integers of more than
//     15 digits cannot be held exactly by a number and go as text;
//   - double, float -> number shown with two decimals ("#,##0.00", money);
//     NaN and infinities go as text;
//   - QByteArray (a picture) -> the text "[图片 <n> 字节]" with its byte count;
//     an empty byte array -> empty cell;
//   - an invalid or null QVariant (database NULL) -> empty cell.
//
// A worksheet holds 65 536 rows including the header row; further rows go on
// further worksheets named after the first one with a number ("销售列表2",
// "销售列表3", ...), each again starting with the header row.
//
// Rows are kept in a compact encoded form while they are added (spilled into a
// temporary file past a few megabytes), so a few hundred thousand rows need
// little memory beyond their distinct texts.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QIODevice;

namespace moquan {

inline constexpr int kXlsMaxRowsPerSheet = 65536;   // including the header row
inline constexpr int kXlsMaxColumns = 256;
inline constexpr int kXlsMaxTextLength = 32767;     // UTF-16 units in one cell
inline constexpr int kXlsMaxSheetNameLength = 31;   // UTF-16 units

// The names of the count worksheets of a workbook whose first sheet is
// baseName: baseName itself, then baseName + "2", "3", ...  baseName is
// shortened before the number where the name would pass 31 units (and further
// in the rare case that this gives a name already taken).
QStringList xlsSheetNames(const QString &baseName, int count);

class XlsWriter {
public:
    XlsWriter();
    ~XlsWriter();
    XlsWriter(const XlsWriter &) = delete;
    XlsWriter &operator=(const XlsWriter &) = delete;

    // Starts a workbook whose first worksheet is sheetName (1-31 units, none of
    // []:*?/\ and not starting or ending with an apostrophe) with the given
    // column names (1-256) as its header row.  Discards any unfinished workbook.
    bool begin(const QString &sheetName, const QStringList &columns);
    // Adds one record; it may hold fewer values than there are columns (the rest
    // stay empty) but not more.
    bool addRow(const QList<QVariant> &values);
    // Writes the whole compound file to out (open for writing) and ends the
    // workbook; a new one needs begin() again.
    bool finish(QIODevice &out);
    // finish() into the file at path through QSaveFile: on any failure the file
    // that was there before stays as it was and no partial file is left.
    bool save(const QString &path);

    // A failure spoils the workbook: later calls fail too until begin().  The
    // reason of the failure (a Chinese sentence), empty while all is well.
    QString errorString() const;
    // Of the workbook in progress (0 once it is finished):
    qint64 rowCount() const;   // records added since begin()
    int sheetCount() const;    // worksheets they need so far

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// One-call forms of begin / addRow / finish (or save).  error receives the
// reason of a failure when it is not null.
bool writeXlsWorkbook(QIODevice &out, const QString &sheetName, const QStringList &columns,
                      const QList<QList<QVariant>> &rows, QString *error = nullptr);
bool saveXlsWorkbook(const QString &path, const QString &sheetName, const QStringList &columns,
                     const QList<QList<QVariant>> &rows, QString *error = nullptr);

} // namespace moquan
