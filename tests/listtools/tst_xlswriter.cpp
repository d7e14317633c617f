// The .xls writer, checked from three sides: python3-xlrd and olefile read
// every workbook independently (tests/listtools/xls_check.py prints what they
// saw as JSON), a compound-file reader of our own follows the sector chains,
// and a record walker checks what Excel needs but no reader looks at.  Each
// checker is also shown a deliberately broken file, to prove it catches one.
#include "listtools/XlsWriter.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace moquan;

namespace {

constexpr int kMaxRecordData = 8224;

quint16 le16(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 le32(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
void setLe32(QByteArray &b, qint64 at, quint32 v)
{
    qToLittleEndian<quint32>(v, b.data() + at);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// ---- compound file: our own reader -----------------------------------------

struct Container {
    QStringList problems;
    QByteArray workbook;        // the Workbook stream, cut to its size
    quint32 workbookStart = 0;  // first sector
    quint32 workbookSize = 0;
    quint32 fatSectors = 0;
    quint32 difatSectors = 0;
    quint32 dirSector = 0;
};

Container readContainer(const QByteArray &file)
{
    Container c;
    static const QByteArray signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (file.size() < 1024 || !file.startsWith(signature)) {
        c.problems << QStringLiteral("container: no compound file signature");
        return c;
    }
    if (file.size() % 512)
        c.problems << QStringLiteral("container: file size is no multiple of 512");
    if (le16(file, 26) != 3 || le16(file, 30) != 9 || le16(file, 28) != 0xFFFE) {
        c.problems << QStringLiteral("container: not version 3 with 512-byte sectors");
        return c;
    }
    const quint32 sectors = quint32(file.size() / 512 - 1);
    const auto sector = [&](quint32 n) { return file.mid((qint64(n) + 1) * 512, 512); };
    c.fatSectors = le32(file, 44);
    c.dirSector = le32(file, 48);
    c.difatSectors = le32(file, 72);

    QList<quint32> fatIds;
    for (int i = 0; i < 109 && quint32(fatIds.size()) < c.fatSectors; ++i)
        fatIds << le32(file, 76 + 4 * i);
    quint32 next = le32(file, 68);
    quint32 difatSeen = 0;
    while (next != 0xFFFFFFFE && quint32(fatIds.size()) < c.fatSectors) {
        if (next >= sectors || ++difatSeen > c.difatSectors) {
            c.problems << QStringLiteral("container: DIFAT chain leaves the file");
            return c;
        }
        const QByteArray s = sector(next);
        for (int i = 0; i < 127 && quint32(fatIds.size()) < c.fatSectors; ++i)
            fatIds << le32(s, 4 * i);
        next = le32(s, 508);
    }
    if (quint32(fatIds.size()) != c.fatSectors || difatSeen != c.difatSectors) {
        c.problems << QStringLiteral("container: DIFAT lists %1 of %2 FAT sectors in %3 of %4 DIFAT sectors")
                          .arg(fatIds.size()).arg(c.fatSectors).arg(difatSeen).arg(c.difatSectors);
        return c;
    }
    QByteArray fat;
    for (quint32 id : fatIds) {
        if (id >= sectors) {
            c.problems << QStringLiteral("container: FAT sector %1 lies outside the file").arg(id);
            return c;
        }
        fat += sector(id);
    }
    if (quint64(fat.size()) / 4 < sectors) {
        c.problems << QStringLiteral("container: FAT does not cover every sector");
        return c;
    }
    for (quint32 id : fatIds)
        if (le32(fat, 4 * id) != 0xFFFFFFFD)
            c.problems << QStringLiteral("container: FAT sector %1 not marked as FAT").arg(id);

    const auto chain = [&](quint32 start, QList<quint32> &out) {
        for (quint32 s = start; s != 0xFFFFFFFE; s = le32(fat, 4 * qint64(s))) {
            if (s >= sectors || quint32(out.size()) > sectors) {
                c.problems << QStringLiteral("container: chain from %1 breaks at %2").arg(start).arg(s);
                return false;
            }
            out << s;
        }
        return true;
    };
    QList<quint32> dirChain;
    if (!chain(c.dirSector, dirChain))
        return c;
    QByteArray dir;
    for (quint32 s : dirChain)
        dir += sector(s);
    bool found = false;
    for (qint64 at = 0; at + 128 <= dir.size(); at += 128) {
        const int nameBytes = le16(dir, at + 64);
        if (dir.at(at + 66) != 2 || nameBytes < 2 || nameBytes > 64)
            continue;
        const QString name = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(dir.constData() + at), nameBytes / 2 - 1);
        if (name != QLatin1String("Workbook"))
            continue;
        found = true;
        c.workbookStart = le32(dir, at + 116);
        c.workbookSize = le32(dir, at + 120);
    }
    if (!found) {
        c.problems << QStringLiteral("container: no Workbook stream");
        return c;
    }
    QList<quint32> wb;
    if (!chain(c.workbookStart, wb))
        return c;
    if (quint64(wb.size()) != (quint64(c.workbookSize) + 511) / 512)
        c.problems << QStringLiteral("container: Workbook chain has %1 sectors for %2 bytes")
                          .arg(wb.size()).arg(c.workbookSize);
    for (quint32 s : wb)
        c.workbook += sector(s);
    c.workbook.truncate(c.workbookSize);
    return c;
}

// ---- BIFF8 record walker ----------------------------------------------------

struct Record {
    quint16 type = 0;
    QByteArray data;
    qint64 offset = 0;
};

QList<Record> parseRecords(const QByteArray &stream, QStringList *problems)
{
    QList<Record> out;
    qint64 pos = 0;
    while (pos < stream.size()) {
        if (pos + 4 > stream.size()) {
            *problems << QStringLiteral("walker: record header cut off at %1").arg(pos);
            break;
        }
        const quint16 type = le16(stream, pos);
        const quint16 size = le16(stream, pos + 2);
        if (type == 0 && size == 0) { // padding after the last sheet
            if (stream.mid(pos).count('\0') != stream.size() - pos)
                *problems << QStringLiteral("walker: stray bytes after padding at %1").arg(pos);
            break;
        }
        if (pos + 4 + size > stream.size()) {
            *problems << QStringLiteral("walker: record 0x%1 at %2 runs past the stream")
                             .arg(type, 4, 16, QLatin1Char('0')).arg(pos);
            break;
        }
        out << Record{type, stream.mid(pos + 4, size), pos};
        pos += 4 + size;
    }
    return out;
}

// Records back into a stream, with each BOUNDSHEET pointing at its sheet again
// (so that a record dropped for a broken fixture shows only its own fault).
QByteArray serializeRecords(QList<Record> records)
{
    QList<qint64> bofs;
    qint64 pos = 0;
    for (const Record &r : records) {
        if (r.type == 0x0809 && pos > 0)
            bofs << pos;
        pos += 4 + r.data.size();
    }
    int sheet = 0;
    for (Record &r : records)
        if (r.type == 0x0085 && sheet < bofs.size())
            setLe32(r.data, 0, quint32(bofs.at(sheet++)));
    QByteArray out;
    for (const Record &r : records) {
        char head[4];
        qToLittleEndian<quint16>(r.type, head);
        qToLittleEndian<quint16>(quint16(r.data.size()), head + 2);
        out.append(head, 4);
        out.append(r.data);
    }
    return out;
}

struct Walk {
    QStringList problems;
    QList<int> sstRecordSizes; // SST, then each CONTINUE
    QStringList sheetNames;
};

QString shortString(const QByteArray &b, qint64 at)
{
    const int n = quint8(b.at(at));
    if (b.at(at + 1) & 1)
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(b.constData() + at + 2), n);
    return QString::fromLatin1(b.constData() + at + 2, n);
}

// What Excel needs and no reader checks.
Walk walkStream(const QByteArray &stream)
{
    Walk w;
    const QList<Record> records = parseRecords(stream, &w.problems);
    for (const Record &r : records)
        if (r.data.size() > kMaxRecordData)
            w.problems << QStringLiteral("walker: record 0x%1 at %2 holds %3 bytes, more than %4")
                              .arg(r.type, 4, 16, QLatin1Char('0')).arg(r.offset)
                              .arg(r.data.size()).arg(kMaxRecordData);

    // Cut into substreams BOF ... EOF.
    QList<QList<Record>> subs;
    bool open = false;
    for (const Record &r : records) {
        if (r.type == 0x0809) {
            if (open)
                w.problems << QStringLiteral("walker: BOF at %1 inside a substream").arg(r.offset);
            subs.append(QList<Record>{});
            open = true;
        } else if (!open) {
            w.problems << QStringLiteral("walker: record 0x%1 at %2 outside any substream")
                              .arg(r.type, 4, 16, QLatin1Char('0')).arg(r.offset);
            continue;
        }
        subs.last() << r;
        if (r.type == 0x000A)
            open = false;
    }
    if (open)
        w.problems << QStringLiteral("walker: last substream has no EOF");
    if (subs.isEmpty() || le16(subs.first().first().data, 2) != 0x0005
        || le16(subs.first().first().data, 0) != 0x0600) {
        w.problems << QStringLiteral("walker: stream does not start with BIFF8 globals");
        return w;
    }

    const QList<Record> &globals = subs.first();
    int fonts = 0, xfs = 0;
    bool codepage = false, window1 = false;
    quint32 uniqueStrings = 0;
    QList<quint32> sheetOffsets;
    quint16 previous = 0;
    for (const Record &r : globals) {
        switch (r.type) {
        case 0x0042: codepage = le16(r.data, 0) == 1200; break;
        case 0x003D: window1 = r.data.size() == 18; break;
        case 0x0031: ++fonts; break;
        case 0x00E0: ++xfs; break;
        case 0x0085:
            sheetOffsets << le32(r.data, 0);
            w.sheetNames << shortString(r.data, 6);
            break;
        case 0x00FC:
            uniqueStrings = le32(r.data, 4);
            w.sstRecordSizes << int(r.data.size());
            break;
        case 0x003C:
            if (previous != 0x00FC && previous != 0x003C)
                w.problems << QStringLiteral("walker: CONTINUE outside the SST");
            w.sstRecordSizes << int(r.data.size());
            break;
        }
        previous = r.type;
    }
    if (!codepage)
        w.problems << QStringLiteral("walker: CODEPAGE is not 1200");
    if (!window1)
        w.problems << QStringLiteral("walker: no WINDOW1");
    if (fonts < 5)
        w.problems << QStringLiteral("walker: only %1 FONT records").arg(fonts);
    if (xfs < 16)
        w.problems << QStringLiteral("walker: only %1 XF records").arg(xfs);
    if (w.sstRecordSizes.isEmpty())
        w.problems << QStringLiteral("walker: no SST");
    if (sheetOffsets.size() != subs.size() - 1)
        w.problems << QStringLiteral("walker: %1 BOUNDSHEET records for %2 worksheets")
                          .arg(sheetOffsets.size()).arg(subs.size() - 1);

    for (qsizetype i = 1; i < subs.size(); ++i) {
        const QList<Record> &sheet = subs.at(i);
        const QString where = QStringLiteral("walker: sheet %1: ").arg(i);
        if (i - 1 < sheetOffsets.size() && sheetOffsets.at(i - 1) != sheet.first().offset)
            w.problems << where + QStringLiteral("BOUNDSHEET points at %1, BOF is at %2")
                                      .arg(sheetOffsets.at(i - 1)).arg(sheet.first().offset);
        if (le16(sheet.first().data, 2) != 0x0010)
            w.problems << where + QStringLiteral("not a worksheet");
        bool wsbool = false, window2 = false, dimensions = false;
        quint32 dimRows = 0;
        quint16 dimCols = 0;
        qint64 lastCell = -1;
        for (const Record &r : sheet) {
            switch (r.type) {
            case 0x0081: wsbool = true; break;
            case 0x023E: window2 = true; break;
            case 0x0200:
                dimensions = true;
                dimRows = le32(r.data, 4);
                dimCols = le16(r.data, 10);
                break;
            case 0x00FD:
            case 0x027E:
            case 0x0203: {
                const quint16 row = le16(r.data, 0), col = le16(r.data, 2), xf = le16(r.data, 4);
                if (!dimensions || row >= dimRows || col >= dimCols)
                    w.problems << where + QStringLiteral("cell %1,%2 outside DIMENSIONS").arg(row).arg(col);
                if (xf >= xfs)
                    w.problems << where + QStringLiteral("cell %1,%2 uses undefined XF %3").arg(row).arg(col).arg(xf);
                if (r.type == 0x00FD && le32(r.data, 6) >= uniqueStrings)
                    w.problems << where + QStringLiteral("cell %1,%2 names string %3 of %4")
                                              .arg(row).arg(col).arg(le32(r.data, 6)).arg(uniqueStrings);
                const qint64 key = qint64(row) * 256 + col;
                if (key <= lastCell)
                    w.problems << where + QStringLiteral("cell %1,%2 out of order").arg(row).arg(col);
                lastCell = key;
                break;
            }
            }
        }
        if (!wsbool)
            w.problems << where + QStringLiteral("no WSBOOL");
        if (!dimensions)
            w.problems << where + QStringLiteral("no DIMENSIONS");
        if (!window2)
            w.problems << where + QStringLiteral("no WINDOW2");
    }
    return w;
}

// ---- the independent readers ------------------------------------------------

QJsonObject runChecker(const QString &path, QStringList *problems)
{
    const QString script = qEnvironmentVariable("MOQUAN_TEST_SOURCE")
        + QStringLiteral("/tests/listtools/xls_check.py");
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {script, path});
    if (!p.waitForFinished(300'000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *problems << QStringLiteral("checker failed: %1 %2")
                         .arg(p.errorString(), QString::fromUtf8(p.readAllStandardError()));
        return {};
    }
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &err);
    if (!doc.isObject()) {
        *problems << QStringLiteral("checker output is no JSON: %1").arg(err.errorString());
        return {};
    }
    const QJsonObject o = doc.object();
    for (const QJsonValue &v : o.value(QLatin1String("problems")).toArray())
        *problems << v.toString();
    return o;
}

struct Book {
    QStringList problems; // from every checker
    QJsonObject json;     // what xlrd read
    Container container;
    Walk walk;
};

Book inspect(const QString &path)
{
    Book b;
    b.container = readContainer(readAll(path));
    b.problems << b.container.problems;
    if (!b.container.workbook.isEmpty()) {
        b.walk = walkStream(b.container.workbook);
        b.problems << b.walk.problems;
    }
    b.json = runChecker(path, &b.problems);
    return b;
}

// ---- expected cells ---------------------------------------------------------

constexpr int kEmpty = 0, kText = 1, kNumber = 2;
const QString kGeneral = QStringLiteral("General");
const QString kMoney = QStringLiteral("#,##0.00");

struct Cell {
    int type = kEmpty;
    QVariant value;   // QString for text, double for numbers
    QString format;   // empty for empty cells
};

Cell text(const QString &s) { return {kText, s, kGeneral}; }
Cell number(double v, const QString &format = kGeneral) { return {kNumber, v, format}; }

// The cell a plain value of a generated row becomes.
Cell expectedOf(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QString: return text(v.toString());
    case QMetaType::Double: return number(v.toDouble(), kMoney);
    case QMetaType::Int:
    case QMetaType::LongLong: return number(v.toDouble());
    default: return {};
    }
}

QString describe(const QJsonArray &c, const QJsonArray &formats)
{
    return QStringLiteral("[%1, %2, %3]")
        .arg(c.at(0).toInt())
        .arg(c.at(1).isString() ? c.at(1).toString().left(40)
                                : QString::number(c.at(1).toDouble(), 'g', 17))
        .arg(formats.at(c.at(2).toInt()).toString());
}

bool sameCell(const QJsonArray &c, const Cell &e, const QJsonArray &formats)
{
    if (c.at(0).toInt() != e.type)
        return false;
    if (e.type == kEmpty) // padding cells carry no format of their own
        return true;
    if (e.type == kText && c.at(1).toString() != e.value.toString())
        return false;
    if (e.type == kNumber && c.at(1).toDouble() != e.value.toDouble())
        return false;
    return formats.at(c.at(2).toInt()).toString() == e.format;
}

// Differences between a sheet as read and the expected rows (at most a few).
QStringList compareSheet(const QJsonObject &book, int index, const QString &name,
                         const QList<QList<Cell>> &rows, int columns)
{
    QStringList diffs;
    const QJsonArray sheets = book.value(QLatin1String("sheets")).toArray();
    const QJsonArray formats = book.value(QLatin1String("formats")).toArray();
    if (index >= sheets.size())
        return {QStringLiteral("sheet %1 missing").arg(index)};
    const QJsonObject sheet = sheets.at(index).toObject();
    if (sheet.value(QLatin1String("name")).toString() != name)
        diffs << QStringLiteral("sheet %1 is named %2, not %3")
                     .arg(index).arg(sheet.value(QLatin1String("name")).toString(), name);
    if (sheet.value(QLatin1String("nrows")).toInt() != rows.size()
        || sheet.value(QLatin1String("ncols")).toInt() != columns)
        diffs << QStringLiteral("sheet %1 has %2 x %3 cells, not %4 x %5")
                     .arg(index).arg(sheet.value(QLatin1String("nrows")).toInt())
                     .arg(sheet.value(QLatin1String("ncols")).toInt()).arg(rows.size()).arg(columns);
    const QJsonArray cells = sheet.value(QLatin1String("cells")).toArray();
    for (qsizetype r = 0; r < rows.size() && r < cells.size() && diffs.size() < 6; ++r) {
        const QJsonArray got = cells.at(r).toArray();
        for (int c = 0; c < columns && c < got.size(); ++c) {
            const Cell e = c < rows.at(r).size() ? rows.at(r).at(c) : Cell{};
            if (!sameCell(got.at(c).toArray(), e, formats))
                diffs << QStringLiteral("sheet %1 cell %2,%3 is %4")
                             .arg(index).arg(r).arg(c).arg(describe(got.at(c).toArray(), formats));
        }
    }
    return diffs;
}

QList<Cell> headerCells(const QStringList &columns)
{
    QList<Cell> row;
    for (const QString &c : columns)
        row << text(c);
    return row;
}

// ---- the values table -------------------------------------------------------

QString repeat(const QString &s, int n) { return s.repeated(n); }

struct ValueCase {
    const char *name;
    QVariant input;
    Cell expected;
};

QList<ValueCase> valueCases()
{
    const QString smile = QStringLiteral("😀");        // U+1F600, a surrogate pair
    const QString ext = QStringLiteral("𠀀");          // U+20000
    return {
        {"Chinese text", QStringLiteral("玫瑰精油 100ml（礼盒）"), text(QStringLiteral("玫瑰精油 100ml（礼盒）"))},
        {"ASCII text", QStringLiteral("SKU-001"), text(QStringLiteral("SKU-001"))},
        {"Latin-1 text", QStringLiteral("café ü ÿ"), text(QStringLiteral("café ü ÿ"))},
        {"empty text", QString(""), text(QString())},
        {"null QString", QString(), text(QString())},
        {"outside the basic plane", QString(ext + QStringLiteral("顾客") + smile), text(ext + QStringLiteral("顾客") + smile)},
        {"pair between Latin letters", QString(QStringLiteral("a") + smile + QStringLiteral("b")), text(QStringLiteral("a") + smile + QStringLiteral("b"))},
        {"line break", QStringLiteral("第一行\n第二行"), text(QStringLiteral("第一行\n第二行"))},
        {"int -2", -2, number(-2)},
        {"int 0", 0, number(0)},
        {"int 2^29-1", (1 << 29) - 1, number((1 << 29) - 1)},
        {"int -2^29", -(1 << 29), number(-(1 << 29))},
        {"int 2^29", 1 << 29, number(1 << 29)},
        {"int -2^29-1", -(1 << 29) - 1, number(-(1 << 29) - 1)},
        {"qint64 15 digits", qint64(999'999'999'999'999), number(999'999'999'999'999.0)},
        {"qint64 -15 digits", qint64(-999'999'999'999'999), number(-999'999'999'999'999.0)},
        {"qint64 16 digits", qint64(1'000'000'000'000'000), text(QStringLiteral("1000000000000000"))},
        {"qint64 min", std::numeric_limits<qint64>::min(), text(QStringLiteral("-9223372036854775808"))},
        {"quint64 max", std::numeric_limits<quint64>::max(), text(QStringLiteral("18446744073709551615"))},
        {"uint 4e9", 4'000'000'000u, number(4e9)},
        {"bool", true, number(1)},
        {"money 84.15", 84.15, number(84.15, kMoney)},
        {"money -0.01", -0.01, number(-0.01, kMoney)},
        {"money 128", 128.0, number(128, kMoney)},
        {"money largest cents RK", 5'368'709.11, number(5'368'709.11, kMoney)},
        {"money past cents RK", 5'368'709.12, number(5'368'709.12, kMoney)},
        {"money four decimals", 1234.5678, number(1234.5678, kMoney)},
        {"double 0.1+0.2", 0.1 + 0.2, number(0.1 + 0.2, kMoney)},
        {"double 2^29", 536'870'912.0, number(536'870'912.0, kMoney)},
        {"double 1e300", 1e300, number(1e300, kMoney)},
        {"double -1e-300", -1e-300, number(-1e-300, kMoney)},
        {"float 0.5", 0.5f, number(0.5, kMoney)},
        {"double NaN", std::nan(""), text(QStringLiteral("nan"))},
        {"picture", QByteArray(12345, 'x'), text(QStringLiteral("[图片 12345 字节]"))},
        {"empty picture", QByteArray(), {}},
        {"NULL", QVariant(), {}},
        {"typed NULL", QVariant(QMetaType::fromType<QString>()), {}},
        {"date", QDate(2011, 3, 5), text(QStringLiteral("2011-03-05"))},
        {"text of 32767 units", repeat(QStringLiteral("a"), 32767), text(repeat(QStringLiteral("a"), 32767))},
        {"text of 40000 units cut", repeat(QStringLiteral("b"), 40000), text(repeat(QStringLiteral("b"), 32767))},
        {"wide text cut", repeat(QStringLiteral("中"), 40000), text(repeat(QStringLiteral("中"), 32767))},
        {"pair at the limit dropped whole", QString(repeat(QStringLiteral("c"), 32766) + smile),
         text(repeat(QStringLiteral("c"), 32766))},
        {"pair ending at the limit kept", QString(repeat(QStringLiteral("d"), 32765) + smile),
         text(repeat(QStringLiteral("d"), 32765) + smile)},
    };
}

} // namespace

class TestXlsWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void values_data();
    void values();
    void sstBoundary_data();
    void sstBoundary();
    void sheetSplit_data();
    void sheetSplit();
    void sheetNames_data();
    void sheetNames();

    void invalidInput_data();
    void invalidInput();
    void unwritableTarget();
    void deviceFailure_data();
    void deviceFailure();
    void noTemporaryDirectory();
    void streamingLifecycle();

    void brokenFilesAreCaught_data();
    void brokenFilesAreCaught();
    void walkerCatchesFaults_data();
    void walkerCatchesFaults();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    Book m_values;      // the workbook of valueCases(), read once
    QString m_smallBook; // a small good workbook for the broken fixtures
};

void TestXlsWriter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!qEnvironmentVariable("MOQUAN_TEST_SOURCE").isEmpty(), "MOQUAN_TEST_SOURCE is not set");
    QVERIFY2(QFile::exists(QStringLiteral("/usr/bin/python3")),
             "/usr/bin/python3 with python3-xlrd is needed (scripts/install-deps.sh)");

    QList<QList<QVariant>> rows;
    for (const ValueCase &c : valueCases())
        rows << QList<QVariant>{QString::fromUtf8(c.name), c.input};
    QString error;
    QVERIFY2(saveXlsWorkbook(path("values.xls"), QStringLiteral("产品列表"),
                             {QStringLiteral("情形"), QStringLiteral("值")}, rows, &error),
             qPrintable(error));
    m_values = inspect(path("values.xls"));

    m_smallBook = path("small.xls");
    QVERIFY(saveXlsWorkbook(m_smallBook, QStringLiteral("进货列表"),
                            {QStringLiteral("id"), QStringLiteral("产品名称"), QStringLiteral("产品定价")},
                            {{1, QStringLiteral("玫瑰精油"), 84.15}, {2, QStringLiteral("薰衣草"), 120.5}}, &error));
}

// Every kind of value comes back from xlrd with its type, value and format; the
// workbook as a whole passes every checker.
void TestXlsWriter::values_data()
{
    QTest::addColumn<int>("row");
    const QList<ValueCase> cases = valueCases();
    for (qsizetype i = 0; i < cases.size(); ++i)
        QTest::newRow(cases.at(i).name) << int(i + 1);
}

void TestXlsWriter::values()
{
    QFETCH(int, row);
    QVERIFY2(m_values.problems.isEmpty(), qPrintable(m_values.problems.join(u'\n')));
    const QList<ValueCase> all = valueCases();
    const ValueCase &c = all.at(row - 1);
    const QJsonArray sheets = m_values.json.value(QLatin1String("sheets")).toArray();
    QCOMPARE(sheets.size(), 1);
    const QJsonObject sheet = sheets.at(0).toObject();
    QCOMPARE(sheet.value(QLatin1String("name")).toString(), QStringLiteral("产品列表"));
    QCOMPARE(sheet.value(QLatin1String("nrows")).toInt(), all.size() + 1);
    const QJsonArray formats = m_values.json.value(QLatin1String("formats")).toArray();
    const QJsonArray cells = sheet.value(QLatin1String("cells")).toArray().at(row).toArray();
    QVERIFY2(sameCell(cells.at(0).toArray(), text(QString::fromUtf8(c.name)), formats),
             qPrintable(describe(cells.at(0).toArray(), formats)));
    QVERIFY2(sameCell(cells.at(1).toArray(), c.expected, formats),
             qPrintable(describe(cells.at(1).toArray(), formats)));
}

// Strings placed so that the end of the first SST record falls at a chosen
// place in them.  The SST data starts with 8 bytes of counts and the column
// name "x" (3 + 1 bytes); a Latin filler of f letters (3 + f bytes) follows, so
// the target string's header starts k = 8224 - (15 + f) bytes before the end.
void TestXlsWriter::sstBoundary_data()
{
    QTest::addColumn<int>("room");        // k: bytes left for the target in the SST record
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("firstRecord"); // expected size of the SST record's data

    const QString smile = QStringLiteral("😀");
    QTest::newRow("header does not fit") << 2 << QStringLiteral("中文字") << kMaxRecordData - 2;
    QTest::newRow("header fits, first wide char not") << 4 << QStringLiteral("中文字") << kMaxRecordData - 4;
    QTest::newRow("header and one wide char") << 5 << QStringLiteral("中文字") << kMaxRecordData;
    QTest::newRow("Latin string split") << 10 << QStringLiteral("abcdefghijklmnop") << kMaxRecordData;
    QTest::newRow("wide string split") << 11 << QStringLiteral("甲乙丙丁戊己庚辛") << kMaxRecordData;
    QTest::newRow("wide string split, odd byte left") << 12 << QStringLiteral("甲乙丙丁戊己庚辛") << kMaxRecordData - 1;
    QTest::newRow("pair first, room for one unit") << 5 << QString(smile + QStringLiteral("中")) << kMaxRecordData - 5;
    QTest::newRow("pair first, fits") << 7 << QString(smile + QStringLiteral("中")) << kMaxRecordData;
    QTest::newRow("pair straddles the end") << 9 << QString(QStringLiteral("中中") + smile + QStringLiteral("中"))
                                            << kMaxRecordData - 2;
    QTest::newRow("Latin string ends at the end") << 20 << QStringLiteral("eeeeeeeeeeeeeeeee") << kMaxRecordData;
    QTest::newRow("wide string ends at the end") << 13 << QStringLiteral("中中中中中") << kMaxRecordData;
    QTest::newRow("empty string ends at the end") << 3 << QString() << kMaxRecordData;
    QTest::newRow("empty string does not fit") << 2 << QString() << kMaxRecordData - 2;
    QTest::newRow("string over three records") << 100 << repeat(QStringLiteral("长"), 10000)
                                               << kMaxRecordData - 1;
}

void TestXlsWriter::sstBoundary()
{
    QFETCH(int, room);
    QFETCH(QString, target);
    QFETCH(int, firstRecord);

    const QString filler = repeat(QStringLiteral("f"), 8224 - 15 - room);
    const QString after = QStringLiteral("后续文字");
    const QList<QList<QVariant>> rows{{filler}, {target}, {after}, {filler}};
    QVERIFY(saveXlsWorkbook(path("sst.xls"), QStringLiteral("用户列表"), {QStringLiteral("x")}, rows));
    const Book b = inspect(path("sst.xls"));
    QVERIFY2(b.problems.isEmpty(), qPrintable(b.problems.join(u'\n')));
    QVERIFY(b.walk.sstRecordSizes.size() >= 2);
    QCOMPARE(b.walk.sstRecordSizes.first(), firstRecord);
    const QList<QList<Cell>> expected{{text("x")}, {text(filler)}, {text(target)}, {text(after)}, {text(filler)}};
    const QStringList diffs = compareSheet(b.json, 0, QStringLiteral("用户列表"), expected, 1);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(u'\n')));
}

// Rows past one worksheet go on to numbered sheets, each with the header row.
// The wide case makes a Workbook stream of more than 109 FAT sectors, which
// needs DIFAT sectors.
void TestXlsWriter::sheetSplit_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<QList<int>>("sheetRows"); // including the header

    QTest::newRow("65 535 records fill one sheet") << 65535 << false << QList<int>{65536};
    QTest::newRow("65 536 records need a second") << 65536 << false << QList<int>{65536, 2};
    QTest::newRow("70 000 wide records, DIFAT") << 70000 << true << QList<int>{65536, 4466};
}

void TestXlsWriter::sheetSplit()
{
    QFETCH(int, rows);
    QFETCH(bool, wide);
    QFETCH(QList<int>, sheetRows);

    const QStringList columns = wide
        ? QStringList{QStringLiteral("id"), QStringLiteral("购买产品"), QStringLiteral("购买顾客"),
                      QStringLiteral("购买日期"), QStringLiteral("数量"), QStringLiteral("金额"),
                      QStringLiteral("备注")}
        : QStringList{QStringLiteral("id")};
    const auto makeRow = [&](int i) {
        QList<QVariant> r{i + 1};
        if (wide)
            r << QStringLiteral("产品%1").arg(i % 50) << QStringLiteral("顾客%1").arg(i % 700)
              << QStringLiteral("2011-%1-%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
              << (i % 9) - 3 << i * 1.25 + 0.01
              << QStringLiteral("第%1条记录的备注，内容各不相同，用来撑大共享字符串表。").arg(i);
        return r;
    };

    XlsWriter w;
    QVERIFY(w.begin(QStringLiteral("销售列表"), columns));
    for (int i = 0; i < rows; ++i)
        QVERIFY(w.addRow(makeRow(i)));
    QCOMPARE(w.rowCount(), qint64(rows));
    QCOMPARE(w.sheetCount(), int(sheetRows.size()));
    QVERIFY2(w.save(path("split.xls")), qPrintable(w.errorString()));

    const Book b = inspect(path("split.xls"));
    QVERIFY2(b.problems.isEmpty(), qPrintable(b.problems.join(u'\n')));
    if (wide) {
        QVERIFY2(b.container.fatSectors > 109 && b.container.difatSectors >= 1,
                 qPrintable(QStringLiteral("%1 FAT sectors, %2 DIFAT sectors")
                                .arg(b.container.fatSectors).arg(b.container.difatSectors)));
    }
    QCOMPARE(b.walk.sheetNames, xlsSheetNames(QStringLiteral("销售列表"), int(sheetRows.size())));

    int next = 0;
    for (qsizetype s = 0; s < sheetRows.size(); ++s) {
        QList<QList<Cell>> expected{headerCells(columns)};
        for (int r = 1; r < sheetRows.at(s); ++r) {
            QList<Cell> cells;
            for (const QVariant &v : makeRow(next++))
                cells << expectedOf(v);
            expected << cells;
        }
        const QString name = s == 0 ? QStringLiteral("销售列表") : QStringLiteral("销售列表%1").arg(s + 1);
        const QStringList diffs = compareSheet(b.json, int(s), name, expected, int(columns.size()));
        QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(u'\n')));
    }
    QCOMPARE(next, rows);
}

void TestXlsWriter::sheetNames_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");      // from 1
    QTest::addColumn<QString>("expected");

    const QString a29 = repeat(QStringLiteral("a"), 29);
    QTest::newRow("first keeps the name") << QStringLiteral("销售列表") << 1 << 1 << QStringLiteral("销售列表");
    QTest::newRow("third is numbered") << QStringLiteral("销售列表") << 3 << 3 << QStringLiteral("销售列表3");
    QTest::newRow("31 units: cut before the number")
        << QString(a29 + QStringLiteral("bc")) << 2 << 2 << QString(a29 + QStringLiteral("b2"));
    QTest::newRow("cut does not split a pair")
        << QString(a29 + QStringLiteral("😀")) << 2 << 2 << QString(a29 + QStringLiteral("2"));
    QTest::newRow("two-digit number cuts more")
        << QString(a29 + QStringLiteral("bc")) << 10 << 10 << QString(a29 + QStringLiteral("10"));
    QTest::newRow("name taken by the first sheet")
        << QString(a29 + QStringLiteral("19")) << 19 << 19 << QString(repeat(QStringLiteral("a"), 28) + QStringLiteral("19"));
    QTest::newRow("name taken, single digit")
        << QString(a29 + QStringLiteral("19")) << 19 << 9 << QString(a29 + QStringLiteral("9"));
}

void TestXlsWriter::sheetNames()
{
    QFETCH(QString, base);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QString, expected);

    const QStringList names = xlsSheetNames(base, count);
    QCOMPARE(names.size(), count);
    QCOMPARE(names.at(index - 1), expected);
    QSet<QString> folded;
    for (const QString &n : names) {
        QVERIFY2(n.size() >= 1 && n.size() <= kXlsMaxSheetNameLength, qPrintable(n));
        folded.insert(n.toCaseFolded());
    }
    QCOMPARE(folded.size(), names.size());
}

// Input the format cannot hold is refused, and the file that was at the path
// stays as it was, with no partial file beside it.
void TestXlsWriter::invalidInput_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("values");       // values in the one row
    QTest::addColumn<QString>("fragment");  // expected in the error

    const QStringList two{QStringLiteral("a"), QStringLiteral("b")};
    QStringList many;
    for (int i = 0; i < 257; ++i)
        many << QString::number(i);
    QTest::newRow("empty sheet name") << QString() << two << 2 << QStringLiteral("1 到 31");
    QTest::newRow("sheet name of 32") << repeat(QStringLiteral("表"), 32) << two << 2 << QStringLiteral("1 到 31");
    QTest::newRow("slash in sheet name") << QStringLiteral("销售/列表") << two << 2 << QStringLiteral("不允许的字符");
    QTest::newRow("bracket in sheet name") << QStringLiteral("[销售]") << two << 2 << QStringLiteral("不允许的字符");
    QTest::newRow("leading apostrophe") << QStringLiteral("'销售") << two << 2 << QStringLiteral("单引号");
    QTest::newRow("no columns") << QStringLiteral("销售列表") << QStringList{} << 0 << QStringLiteral("列数");
    QTest::newRow("257 columns") << QStringLiteral("销售列表") << many << 1 << QStringLiteral("列数");
    QTest::newRow("row longer than the columns") << QStringLiteral("销售列表") << two << 3 << QStringLiteral("多于");
}

void TestXlsWriter::invalidInput()
{
    QFETCH(QString, sheet);
    QFETCH(QStringList, columns);
    QFETCH(int, values);
    QFETCH(QString, fragment);

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("导出.xls"));
    QVERIFY(writeAll(target, "old contents"));
    QList<QVariant> row;
    for (int i = 0; i < values; ++i)
        row << i;
    QString error;
    QVERIFY(!saveXlsWorkbook(target, sheet, columns, {{1}, row, {2}}, &error));
    QVERIFY2(error.contains(fragment), qPrintable(error));
    QCOMPARE(readAll(target), QByteArray("old contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("导出.xls")});

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!writeXlsWorkbook(buffer, sheet, columns, {row}, &error));
    QVERIFY2(error.contains(fragment), qPrintable(error));
}

void TestXlsWriter::unwritableTarget()
{
    QString error;
    const QString target = path(QStringLiteral("no-such-dir/导出.xls"));
    QVERIFY(!saveXlsWorkbook(target, QStringLiteral("产品列表"), {QStringLiteral("a")}, {{1}}, &error));
    QVERIFY2(error.contains(QStringLiteral("无法写入文件")), qPrintable(error));
    QVERIFY(!QFile::exists(target));

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!writeXlsWorkbook(readOnly, QStringLiteral("产品列表"), {QStringLiteral("a")}, {{1}}, &error));
    QVERIFY(!error.isEmpty());
}

namespace {
// An output that takes `limit` bytes and then refuses, as a full disk does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit) : limit_(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 n) override
    {
        if (written_ + n > limit_) {
            setErrorString(QStringLiteral("设备上没有空间"));
            return -1;
        }
        written_ += n;
        return n;
    }

private:
    qint64 limit_;
    qint64 written_ = 0;
};
} // namespace

// A write that fails at the start or half-way is reported, never taken for a
// finished workbook.
void TestXlsWriter::deviceFailure_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::newRow("first write") << qint64(0);
    QTest::newRow("half-way") << qint64(300'000);
}

void TestXlsWriter::deviceFailure()
{
    QFETCH(qint64, limit);
    QList<QList<QVariant>> rows;
    for (int i = 0; i < 20000; ++i)
        rows << QList<QVariant>{i, QStringLiteral("顾客%1").arg(i), i * 0.5};
    FailingDevice out(limit);
    QString error;
    QVERIFY(!writeXlsWorkbook(out, QStringLiteral("用户列表"), {QStringLiteral("a"), QStringLiteral("b"),
                              QStringLiteral("c")}, rows, &error));
    QVERIFY2(error.contains(QStringLiteral("写入失败：设备上没有空间")), qPrintable(error));
}

// Past a few megabytes the cells go to a temporary file; where none can be
// made they stay in memory and the workbook is still whole.
void TestXlsWriter::noTemporaryDirectory()
{
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(path(QStringLiteral("no-such-tmp"))));
    XlsWriter w;
    QStringList columns;
    for (int c = 0; c < 10; ++c)
        columns << QStringLiteral("列%1").arg(c);
    QVERIFY(w.begin(QStringLiteral("产品列表"), columns));
    QList<QList<Cell>> expected{headerCells(columns)};
    for (int r = 0; r < 40000; ++r) { // 40 000 x 10 RK cells: 5.6 MB of records
        QList<QVariant> row;
        QList<Cell> cells;
        for (int c = 0; c < 10; ++c) {
            row << r * 10 + c;
            cells << number(r * 10 + c);
        }
        QVERIFY(w.addRow(row));
        expected << cells;
    }
    const bool saved_ok = w.save(path("memory.xls"));
    if (saved.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);
    QVERIFY2(saved_ok, qPrintable(w.errorString()));

    const Book b = inspect(path("memory.xls"));
    QVERIFY2(b.problems.isEmpty(), qPrintable(b.problems.join(u'\n')));
    const QStringList diffs = compareSheet(b.json, 0, QStringLiteral("产品列表"), expected, 10);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(u'\n')));
}

// begin / addRow / finish in order; a failure sticks until the next begin();
// the one-call forms and the row adder write the same bytes.
void TestXlsWriter::streamingLifecycle()
{
    XlsWriter w;
    QVERIFY(!w.addRow({1}));
    QVERIFY(!w.errorString().isEmpty());

    const QStringList columns{QStringLiteral("姓名"), QStringLiteral("相片")};
    const QList<QList<QVariant>> rows{{QStringLiteral("张三"), QByteArray(3, 'j')}, {QStringLiteral("李四")}};
    QVERIFY(w.begin(QStringLiteral("用户列表"), columns));
    QVERIFY(w.errorString().isEmpty());
    for (const QList<QVariant> &r : rows)
        QVERIFY(w.addRow(r));
    QBuffer streamed;
    streamed.open(QIODevice::WriteOnly);
    QVERIFY(w.finish(streamed));
    QVERIFY(!w.addRow({1}));          // finished: begin() again first
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    QVERIFY(!w.finish(again));

    QVERIFY(w.begin(QStringLiteral("用户列表"), columns));
    QVERIFY(!w.addRow({1, 2, 3}));    // too many values: the workbook is spoilt
    QVERIFY(!w.addRow({1}));
    QVERIFY2(w.errorString().contains(QStringLiteral("多于")), qPrintable(w.errorString()));
    QVERIFY(!w.finish(again));
    QCOMPARE(again.data().size(), 0);

    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    QVERIFY(writeXlsWorkbook(whole, QStringLiteral("用户列表"), columns, rows));
    QCOMPARE(streamed.data(), whole.data());
    QVERIFY(saveXlsWorkbook(path("lifecycle.xls"), QStringLiteral("用户列表"), columns, rows));
    QCOMPARE(readAll(path("lifecycle.xls")), whole.data());

    const Book b = inspect(path("lifecycle.xls"));
    QVERIFY2(b.problems.isEmpty(), qPrintable(b.problems.join(u'\n')));
    const QList<QList<Cell>> expected{headerCells(columns),
                                      {text(QStringLiteral("张三")), text(QStringLiteral("[图片 3 字节]"))},
                                      {text(QStringLiteral("李四")), {}}};
    const QStringList diffs = compareSheet(b.json, 0, QStringLiteral("用户列表"), expected, 2);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(u'\n')));
}

// Each checker, shown a file with one fault, reports it.  The faults are
// patched into a good small workbook; its stream starts at sector 0, so stream
// offset n is file offset 512 + n.
void TestXlsWriter::brokenFilesAreCaught_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("fragment"); // expected in some problem, or in a value difference
    QTest::newRow("xlrd: DIMENSIONS one row short") << 0 << QStringLiteral("xlrd log: NOTE *** sheet 0");
    QTest::newRow("xlrd: BOUNDSHEET offset wrong") << 1 << QStringLiteral("xlrd: XLRDError");
    QTest::newRow("xlrd: unique string count wrong") << 2 << QStringLiteral("xlrd: AssertionError");
    QTest::newRow("olefile: Workbook size wrong") << 3 << QStringLiteral("olefile: OSError");
    QTest::newRow("own reader: chain cut short") << 4 << QStringLiteral("container: Workbook chain");
    QTest::newRow("values: a price changed") << 5 << QStringLiteral("cell 2,2");
}

void TestXlsWriter::brokenFilesAreCaught()
{
    QFETCH(int, fault);
    QFETCH(QString, fragment);

    QByteArray file = readAll(m_smallBook);
    const Container good = readContainer(file);
    QVERIFY(good.problems.isEmpty());
    QStringList problems;
    const QList<Record> records = parseRecords(good.workbook, &problems);
    QVERIFY(problems.isEmpty());
    const auto find = [&](quint16 type) {
        for (const Record &r : records)
            if (r.type == type)
                return r.offset + 4 + 512; // file offset of the record's data
        return qint64(-1);
    };

    switch (fault) {
    case 0: setLe32(file, find(0x0200) + 4, le32(file, find(0x0200) + 4) - 1); break;
    case 1: setLe32(file, find(0x0085), le32(file, find(0x0085)) + 4); break;
    case 2: setLe32(file, find(0x00FC) + 4, le32(file, find(0x00FC) + 4) + 1); break;
    case 3: setLe32(file, (qint64(good.dirSector) + 1) * 512 + 128 + 120, good.workbookSize + 600); break;
    case 4: {
        // The FAT is the sector after the directory; end the stream after its first sector.
        setLe32(file, (qint64(good.dirSector) + 2) * 512, 0xFFFFFFFE);
        break;
    }
    case 5: {
        // The second data row's price, 120.5, is an RK of 12050 cents: make it 12051.
        qint64 at = -1;
        for (const Record &r : records)
            if (r.type == 0x027E && le16(r.data, 0) == 2 && le16(r.data, 2) == 2)
                at = r.offset + 4 + 512 + 6;
        QVERIFY(at > 0);
        setLe32(file, at, le32(file, at) + 4);
        break;
    }
    }
    const QString broken = path(QStringLiteral("broken%1.xls").arg(fault));
    QVERIFY(writeAll(broken, file));
    Book b = inspect(broken);
    if (fault == 5) {
        QVERIFY2(b.problems.isEmpty(), qPrintable(b.problems.join(u'\n')));
        const QList<QList<Cell>> expected{
            headerCells({QStringLiteral("id"), QStringLiteral("产品名称"), QStringLiteral("产品定价")}),
            {number(1), text(QStringLiteral("玫瑰精油")), number(84.15, kMoney)},
            {number(2), text(QStringLiteral("薰衣草")), number(120.5, kMoney)}};
        b.problems = compareSheet(b.json, 0, QStringLiteral("进货列表"), expected, 3);
    }
    QVERIFY2(!b.problems.isEmpty(), "the fault went unnoticed");
    QVERIFY2(b.problems.join(u'\n').contains(fragment), qPrintable(b.problems.join(u'\n')));
}

// The record walker: each fault of a good stream is reported.
void TestXlsWriter::walkerCatchesFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("no WSBOOL") << 0 << QStringLiteral("no WSBOOL");
    QTest::newRow("15 XFs") << 1 << QStringLiteral("only 15 XF records");
    QTest::newRow("four fonts") << 2 << QStringLiteral("only 4 FONT records");
    QTest::newRow("no WINDOW1") << 3 << QStringLiteral("no WINDOW1");
    QTest::newRow("no WINDOW2") << 4 << QStringLiteral("no WINDOW2");
    QTest::newRow("record of 8 225 bytes") << 5 << QStringLiteral("more than 8224");
    QTest::newRow("cells out of order") << 6 << QStringLiteral("out of order");
}

void TestXlsWriter::walkerCatchesFaults()
{
    QFETCH(int, fault);
    QFETCH(QString, fragment);

    const Container good = readContainer(readAll(m_smallBook));
    QStringList problems;
    QList<Record> records = parseRecords(good.workbook, &problems);
    QVERIFY(problems.isEmpty());
    QVERIFY2(walkStream(serializeRecords(records)).problems.isEmpty(), "the good stream has faults");

    const auto removeFirst = [&](quint16 type) {
        for (qsizetype i = 0; i < records.size(); ++i)
            if (records.at(i).type == type) {
                records.removeAt(i);
                return;
            }
    };
    switch (fault) {
    case 0: removeFirst(0x0081); break;
    case 1: removeFirst(0x00E0); removeFirst(0x00E0); break;
    case 2: removeFirst(0x0031); break;
    case 3: removeFirst(0x003D); break;
    case 4: removeFirst(0x023E); break;
    case 5:
        for (Record &r : records)
            if (r.type == 0x023E)
                r.data.append(kMaxRecordData + 1 - r.data.size(), '\0');
        break;
    case 6:
        for (qsizetype i = records.size() - 1; i > 0; --i)
            if (records.at(i).type == 0x027E) {
                records.swapItemsAt(i, i - 1);
                break;
            }
        break;
    }
    const Walk w = walkStream(serializeRecords(records));
    QVERIFY2(w.problems.join(u'\n').contains(fragment), qPrintable(w.problems.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestXlsWriter)
#include "tst_xlswriter.moc"
