#include "listtools/XlsWriter.h"

#include <QDir>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace moquan {

namespace {

// ---- BIFF8 records ---------------------------------------------------------

constexpr quint16 kRecBof = 0x0809;
constexpr quint16 kRecEof = 0x000A;
constexpr quint16 kRecCodepage = 0x0042;
constexpr quint16 kRecWindow1 = 0x003D;
constexpr quint16 kRecDatemode = 0x0022;
constexpr quint16 kRecFont = 0x0031;
constexpr quint16 kRecXf = 0x00E0;
constexpr quint16 kRecStyle = 0x0293;
constexpr quint16 kRecBoundsheet = 0x0085;
constexpr quint16 kRecSst = 0x00FC;
constexpr quint16 kRecContinue = 0x003C;
constexpr quint16 kRecWsbool = 0x0081;
constexpr quint16 kRecDimensions = 0x0200;
constexpr quint16 kRecLabelSst = 0x00FD;
constexpr quint16 kRecRk = 0x027E;
constexpr quint16 kRecNumber = 0x0203;
constexpr quint16 kRecWindow2 = 0x023E;

constexpr int kMaxRecordData = 8224;
constexpr quint16 kXfGeneral = 15; // first cell XF: General
constexpr quint16 kXfMoney = 16;   // "#,##0.00"
constexpr qint64 kRkIntLimit = qint64(1) << 29;
constexpr qint64 kMaxExactInteger = 999'999'999'999'999; // 15 digits
// Fixed bytes of every worksheet around its cells: BOF, WSBOOL, DIMENSIONS
// before them, WINDOW2 and EOF after.
constexpr qint64 kSheetPrefixSize = (4 + 16) + (4 + 2) + (4 + 14);
constexpr qint64 kSheetSuffixSize = (4 + 18) + 4;
constexpr qint64 kSpillThreshold = 4 * 1024 * 1024;

// ---- compound file ---------------------------------------------------------

constexpr int kSectorSize = 512;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kHeaderDifatSlots = 109;
constexpr int kFatEntriesPerSector = kSectorSize / 4;
constexpr int kDifatEntriesPerSector = kFatEntriesPerSector - 1;
constexpr qint64 kMinStreamSize = 4096; // below this a stream would belong in the mini stream
constexpr qint64 kMaxStreamSize = 0x7FFFFFFF;

void put8(QByteArray &b, quint8 v) { b.append(char(v)); }
void put16(QByteArray &b, quint16 v)
{
    const char c[2] = {char(v & 0xFF), char(v >> 8)};
    b.append(c, 2);
}
void put32(QByteArray &b, quint32 v)
{
    const char c[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    b.append(c, 4);
}
void putRecord(QByteArray &b, quint16 type, const QByteArray &data)
{
    put16(b, type);
    put16(b, quint16(data.size()));
    b.append(data);
}

bool isLatin1(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// Characters [from, from + n) of s, one byte each or UTF-16LE.
void putChars(QByteArray &b, const QString &s, qsizetype from, qsizetype n, bool wide)
{
    const QChar *p = s.constData() + from;
    if (wide) {
        for (qsizetype i = 0; i < n; ++i)
            put16(b, p[i].unicode());
    } else {
        for (qsizetype i = 0; i < n; ++i)
            b.append(char(p[i].unicode()));
    }
}

// A string with a one-byte length (font and sheet names).
void putShortString(QByteArray &b, const QString &s)
{
    const bool wide = !isLatin1(s);
    put8(b, quint8(s.size()));
    put8(b, wide ? 1 : 0);
    putChars(b, s, 0, s.size(), wide);
}

// Cuts s to at most max UTF-16 units, never between the halves of a pair.
QString cutText(const QString &s, qsizetype max)
{
    if (s.size() <= max)
        return s;
    qsizetype n = max;
    if (n > 0 && s.at(n - 1).isHighSurrogate() && s.at(n).isLowSurrogate())
        --n;
    return s.left(n);
}

// Buffered writer over a device; without a device it only counts, so that a
// part can be measured with the same code that writes it.
class Sink {
public:
    explicit Sink(QIODevice *device) : device_(device) {}
    void write(const char *data, qint64 n)
    {
        count_ += n;
        if (!device_ || failed_)
            return;
        buffer_.append(data, n);
        if (buffer_.size() >= 256 * 1024)
            flush();
    }
    void write(const QByteArray &b) { write(b.constData(), b.size()); }
    void zeros(qint64 n)
    {
        static const char z[kSectorSize] = {};
        while (n > 0) {
            const qint64 k = qMin<qint64>(n, kSectorSize);
            write(z, k);
            n -= k;
        }
    }
    bool flush()
    {
        if (device_ && !failed_ && !buffer_.isEmpty()) {
            if (device_->write(buffer_) != buffer_.size())
                failed_ = true;
            buffer_.clear();
        }
        return !failed_;
    }
    qint64 count() const { return count_; }
    bool failed() const { return failed_; }

private:
    QIODevice *device_;
    QByteArray buffer_;
    qint64 count_ = 0;
    bool failed_ = false;
};

void writeRecord(Sink &s, quint16 type, const QByteArray &data)
{
    QByteArray head;
    put16(head, type);
    put16(head, quint16(data.size()));
    s.write(head);
    s.write(data);
}

// The shared string table: SST, then CONTINUE records wherever it passes the
// record size.  A string's header goes with its first character; a string cut
// between records goes on after a flag byte, and only between whole
// characters.
void writeSst(Sink &s, const QList<QString> &strings, quint32 totalCells)
{
    QByteArray rec;
    rec.reserve(kMaxRecordData);
    quint16 type = kRecSst;
    put32(rec, totalCells);
    put32(rec, quint32(strings.size()));
    const auto nextRecord = [&] {
        writeRecord(s, type, rec);
        rec.clear();
        type = kRecContinue;
    };
    for (const QString &str : strings) {
        const bool wide = !isLatin1(str);
        const int unit = wide ? 2 : 1;
        const qsizetype n = str.size();
        qsizetype first = qMin<qsizetype>(n, 1);
        if (wide && n >= 2 && str.at(0).isHighSurrogate() && str.at(1).isLowSurrogate())
            first = 2;
        if (kMaxRecordData - rec.size() < 3 + first * unit)
            nextRecord();
        put16(rec, quint16(n));
        put8(rec, wide ? 1 : 0);
        qsizetype i = 0;
        while (i < n) {
            qsizetype take = qMin<qsizetype>((kMaxRecordData - rec.size()) / unit, n - i);
            if (take < n - i && take > 0 && str.at(i + take - 1).isHighSurrogate()
                && str.at(i + take).isLowSurrogate())
                --take;
            putChars(rec, str, i, take, wide);
            i += take;
            if (i < n) {
                nextRecord();
                put8(rec, wide ? 1 : 0);
            }
        }
    }
    nextRecord();
}

QByteArray xfRecordData(quint16 font, quint16 format, bool style, quint8 usedAttributes)
{
    QByteArray b;
    put16(b, font);
    put16(b, format);
    put16(b, style ? 0xFFF5 : 0x0001); // locked; style XF, or cell XF whose parent is XF 0
    put8(b, 0x20);                     // general horizontal, bottom vertical alignment
    put8(b, 0);                        // no rotation
    put8(b, 0);                        // no indent
    put8(b, usedAttributes);
    put32(b, 0);                       // no borders
    put32(b, 0);
    put16(b, 0x20C0);                  // pattern colours: system foreground/background
    return b;
}

// The workbook globals up to and with the BOUNDSHEET records.
QByteArray globalsHead(const QStringList &sheetNames, const QList<quint32> &sheetOffsets)
{
    QByteArray b;
    QByteArray r;
    const auto flushTo = [&](quint16 type) {
        putRecord(b, type, r);
        r.clear();
    };

    put16(r, 0x0600); // BIFF8
    put16(r, 0x0005); // workbook globals
    put16(r, 0x0DBB);
    put16(r, 0x07CC);
    put32(r, 0);
    put32(r, 6);      // lowest BIFF version
    flushTo(kRecBof);

    put16(r, 1200);   // UTF-16
    flushTo(kRecCodepage);

    put16(r, 0);      // position and size in twips
    put16(r, 0);
    put16(r, 0x4000);
    put16(r, 0x2000);
    put16(r, 0x0038); // horizontal scroll bar, vertical scroll bar, sheet tabs
    put16(r, 0);      // active sheet
    put16(r, 0);      // first visible tab
    put16(r, 1);      // selected sheets
    put16(r, 0x0258); // tab bar width ratio
    flushTo(kRecWindow1);

    put16(r, 0);      // dates count from 1900
    flushTo(kRecDatemode);

    // Fonts 0, 1, 2, 3 and 5 (index 4 does not exist in BIFF).
    for (int i = 0; i < 5; ++i) {
        put16(r, 240);    // 12 pt
        put16(r, 0);
        put16(r, 0x7FFF); // automatic colour
        put16(r, 400);    // normal weight
        put16(r, 0);
        put8(r, 0);
        put8(r, 0);
        put8(r, 0x86);    // GB2312 character set
        put8(r, 0);
        putShortString(r, QStringLiteral("宋体"));
        flushTo(kRecFont);
    }

    // 15 style XFs, then the cell XFs: 15 General, 16 "#,##0.00" (built-in 4).
    for (int i = 0; i < 15; ++i) {
        r = xfRecordData(0, 0, true, i == 0 ? 0x00 : 0xF4);
        flushTo(kRecXf);
    }
    r = xfRecordData(0, 0, false, 0xFC);
    flushTo(kRecXf);
    r = xfRecordData(0, 4, false, 0xFC);
    flushTo(kRecXf);

    put16(r, 0x8000); // built-in style on XF 0
    put8(r, 0x00);    // Normal
    put8(r, 0xFF);
    flushTo(kRecStyle);

    for (qsizetype i = 0; i < sheetNames.size(); ++i) {
        put32(r, sheetOffsets.value(i));
        put8(r, 0);   // visible
        put8(r, 0);   // worksheet
        putShortString(r, sheetNames.at(i));
        flushTo(kRecBoundsheet);
    }
    return b;
}

QByteArray sheetPrefix(quint32 rows, quint16 columns)
{
    QByteArray b;
    QByteArray r;
    put16(r, 0x0600);
    put16(r, 0x0010); // worksheet
    put16(r, 0x0DBB);
    put16(r, 0x07CC);
    put32(r, 0);
    put32(r, 6);
    putRecord(b, kRecBof, r);
    r.clear();
    put16(r, 0x04C1);
    putRecord(b, kRecWsbool, r);
    r.clear();
    put32(r, 0);
    put32(r, rows);
    put16(r, 0);
    put16(r, columns);
    put16(r, 0);
    putRecord(b, kRecDimensions, r);
    return b;
}

QByteArray sheetSuffix(bool active)
{
    QByteArray b;
    QByteArray r;
    put16(r, active ? 0x06B6 : 0x00B6); // grid, headers, zeros, outline; selected and shown
    put16(r, 0);
    put16(r, 0);
    put16(r, 64);     // grid line colour: automatic
    put16(r, 0);
    put16(r, 0);
    put16(r, 0);
    put32(r, 0);
    putRecord(b, kRecWindow2, r);
    putRecord(b, kRecEof, {});
    return b;
}

struct CfbLayout {
    quint32 streamSectors = 0;
    quint32 dirSector = 0;
    quint32 fatSectors = 0;
    quint32 difatSectors = 0;
    quint32 firstFat() const { return dirSector + 1; }
    quint32 firstDifat() const { return firstFat() + fatSectors; }
    quint32 totalSectors() const { return streamSectors + 1 + fatSectors + difatSectors; }
};

// Stream sectors first, then the directory, the FAT and the DIFAT sectors.  The
// FAT must map its own sectors and the DIFAT ones, so their counts are found by
// iterating until they stop growing.
CfbLayout cfbLayout(qint64 streamSize)
{
    CfbLayout l;
    l.streamSectors = quint32((streamSize + kSectorSize - 1) / kSectorSize);
    l.dirSector = l.streamSectors;
    for (;;) {
        const quint32 fat = (l.totalSectors() + kFatEntriesPerSector - 1) / kFatEntriesPerSector;
        const quint32 difat = fat > quint32(kHeaderDifatSlots)
            ? (fat - kHeaderDifatSlots + kDifatEntriesPerSector - 1) / kDifatEntriesPerSector
            : 0;
        if (fat == l.fatSectors && difat == l.difatSectors)
            return l;
        l.fatSectors = fat;
        l.difatSectors = difat;
    }
}

QByteArray cfbHeader(const CfbLayout &l)
{
    QByteArray b;
    b.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    b.append(16, '\0');             // CLSID
    put16(b, 0x003E);               // minor version
    put16(b, 0x0003);               // major version 3
    put16(b, 0xFFFE);               // little-endian
    put16(b, 9);                    // 512-byte sectors
    put16(b, 6);                    // 64-byte mini sectors
    b.append(6, '\0');
    put32(b, 0);                    // directory sectors (version 3: 0)
    put32(b, l.fatSectors);
    put32(b, l.dirSector);
    put32(b, 0);                    // transaction signature
    put32(b, 0x1000);               // mini stream cutoff
    put32(b, kEndOfChain);          // no mini FAT
    put32(b, 0);
    put32(b, l.difatSectors ? l.firstDifat() : kEndOfChain);
    put32(b, l.difatSectors);
    for (int i = 0; i < kHeaderDifatSlots; ++i)
        put32(b, quint32(i) < l.fatSectors ? l.firstFat() + quint32(i) : kFreeSect);
    return b;
}

void putDirEntry(QByteArray &b, const QString &name, quint8 type, quint32 child, quint32 start,
                 quint32 size)
{
    const qsizetype at = b.size();
    putChars(b, name, 0, name.size(), true);
    b.append(64 - (b.size() - at), '\0');
    put16(b, quint16((name.size() + 1) * 2));
    put8(b, type);
    put8(b, 1);        // black
    put32(b, kNoStream);
    put32(b, kNoStream);
    put32(b, child);
    b.append(16, '\0'); // CLSID
    put32(b, 0);        // state bits
    b.append(16, '\0'); // creation and modification times
    put32(b, start);
    put32(b, size);
    put32(b, 0);
}

QByteArray cfbDirectory(quint32 streamSize)
{
    QByteArray b;
    putDirEntry(b, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    putDirEntry(b, QStringLiteral("Workbook"), 2, kNoStream, 0, streamSize);
    for (int i = 0; i < 2; ++i) {
        const qsizetype at = b.size();
        b.append(128, '\0');
        for (int k = 0; k < 3; ++k) // left, right, child: none
            std::memset(b.data() + at + 68 + 4 * k, 0xFF, 4);
    }
    return b;
}

void writeFat(Sink &s, const CfbLayout &l)
{
    QByteArray sector;
    const quint32 entries = l.fatSectors * kFatEntriesPerSector;
    for (quint32 i = 0; i < entries; ++i) {
        quint32 v = kFreeSect;
        if (i < l.streamSectors)
            v = i + 1 < l.streamSectors ? i + 1 : kEndOfChain;
        else if (i == l.dirSector)
            v = kEndOfChain;
        else if (i >= l.firstFat() && i < l.firstDifat())
            v = kFatSect;
        else if (i >= l.firstDifat() && i < l.totalSectors())
            v = kDifSect;
        put32(sector, v);
        if (sector.size() == kSectorSize) {
            s.write(sector);
            sector.clear();
        }
    }
}

void writeDifat(Sink &s, const CfbLayout &l)
{
    for (quint32 j = 0; j < l.difatSectors; ++j) {
        QByteArray sector;
        for (quint32 k = 0; k < quint32(kDifatEntriesPerSector); ++k) {
            const quint32 fat = kHeaderDifatSlots + j * kDifatEntriesPerSector + k;
            put32(sector, fat < l.fatSectors ? l.firstFat() + fat : kFreeSect);
        }
        put32(sector, j + 1 < l.difatSectors ? l.firstDifat() + j + 1 : kEndOfChain);
        s.write(sector);
    }
}

QString checkSheetName(const QString &name)
{
    if (name.isEmpty() || name.size() > kXlsMaxSheetNameLength)
        return QStringLiteral("工作表名称须为 1 到 31 个字符：%1").arg(name);
    for (const QChar c : name) {
        if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < 0x20)
            return QStringLiteral("工作表名称含有不允许的字符：%1").arg(name);
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("工作表名称不能以单引号开始或结束：%1").arg(name);
    return {};
}

QString numberedSheetName(const QString &base, int number)
{
    if (number <= 1)
        return cutText(base, kXlsMaxSheetNameLength);
    const QString suffix = QString::number(number);
    return cutText(base, kXlsMaxSheetNameLength - suffix.size()) + suffix;
}

} // namespace

QStringList xlsSheetNames(const QString &base, int count)
{
    QStringList names;
    QSet<QString> used;
    for (int k = 1; k <= count; ++k) {
        QString name = numberedSheetName(base, k);
        // A long base ending in digits could give a name that is taken already
        // ("…x9" cut to make room for "19"); shorten the part before the number
        // until the name is free.
        const QString suffix = QString::number(k);
        qsizetype keep = name.size() - suffix.size();
        while (k > 1 && keep > 0 && used.contains(name.toCaseFolded())) {
            --keep;
            if (keep > 0 && base.at(keep - 1).isHighSurrogate())
                --keep;
            name = base.left(keep) + suffix;
        }
        used.insert(name.toCaseFolded());
        names << name;
    }
    return names;
}

namespace {

struct SheetPart {
    quint32 rows = 0;
    qint64 cellBytes = 0;
};

} // namespace

struct XlsWriter::Private {
    bool started = false;
    bool broken = false;
    QString error;
    QString baseName;
    QStringList columns;
    QList<SheetPart> sheets;
    qint64 rows = 0;

    QHash<QString, quint32> stringIndex;
    QList<QString> strings;
    quint64 stringCells = 0;

    // The cell records of all sheets one after another: the older part in the
    // spill file, the newer in memory.
    QByteArray cells;
    std::unique_ptr<QTemporaryFile> spill;
    qint64 spilled = 0;
    bool spillFailed = false;

    bool fail(const QString &why)
    {
        if (!broken)
            error = why;
        broken = true;
        return false;
    }

    // Drops the workbook's data; a failure stays readable until begin().
    void reset()
    {
        started = false;
        columns.clear();
        sheets.clear();
        rows = 0;
        stringIndex.clear();
        strings.clear();
        stringCells = 0;
        cells.clear();
        spill.reset();
        spilled = 0;
        spillFailed = false;
    }

    // One cell record, appended in one piece (rows of many cells add up).
    void putCell(quint16 type, quint16 row, quint16 col, quint16 xf, const void *payload, int size)
    {
        char rec[4 + 6 + 8];
        qToLittleEndian<quint16>(type, rec);
        qToLittleEndian<quint16>(quint16(6 + size), rec + 2);
        qToLittleEndian<quint16>(row, rec + 4);
        qToLittleEndian<quint16>(col, rec + 6);
        qToLittleEndian<quint16>(xf, rec + 8);
        std::memcpy(rec + 10, payload, size);
        cells.append(rec, 10 + size);
    }

    void addText(quint16 row, quint16 col, const QString &text)
    {
        const QString s = cutText(text, kXlsMaxTextLength);
        auto it = stringIndex.constFind(s);
        quint32 index;
        if (it != stringIndex.constEnd()) {
            index = it.value();
        } else {
            index = quint32(strings.size());
            stringIndex.insert(s, index);
            strings.append(s);
        }
        ++stringCells;
        const quint32 le = qToLittleEndian(index);
        putCell(kRecLabelSst, row, col, kXfGeneral, &le, 4);
    }

    void addRk(quint16 row, quint16 col, quint16 xf, quint32 rk)
    {
        const quint32 le = qToLittleEndian(rk);
        putCell(kRecRk, row, col, xf, &le, 4);
    }

    void addNumber(quint16 row, quint16 col, quint16 xf, double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        bits = qToLittleEndian(bits);
        putCell(kRecNumber, row, col, xf, &bits, 8);
    }

    void addInteger(quint16 row, quint16 col, qint64 n)
    {
        if (n >= -kRkIntLimit && n < kRkIntLimit)
            addRk(row, col, kXfGeneral, (quint32(qint32(n)) << 2) | 2);
        else if (n >= -kMaxExactInteger && n <= kMaxExactInteger)
            addNumber(row, col, kXfGeneral, double(n));
        else
            addText(row, col, QString::number(n));
    }

    void addDouble(quint16 row, quint16 col, double v)
    {
        if (!std::isfinite(v)) {
            addText(row, col, QString::number(v));
            return;
        }
        const double limit = double(kRkIntLimit);
        if (v == std::floor(v) && v >= -limit && v < limit && !(v == 0 && std::signbit(v))) {
            addRk(row, col, kXfMoney, (quint32(qint32(v)) << 2) | 2);
            return;
        }
        const double cents = std::round(v * 100);
        if (cents >= -limit && cents < limit && double(qint32(cents)) / 100.0 == v) {
            addRk(row, col, kXfMoney, (quint32(qint32(cents)) << 2) | 3);
            return;
        }
        addNumber(row, col, kXfMoney, v);
    }

    void addValue(quint16 row, quint16 col, const QVariant &v)
    {
        if (!v.isValid() || v.isNull())
            return;
        switch (v.typeId()) {
        case QMetaType::QString:
            addText(row, col, v.toString());
            break;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::SChar:
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::ULong:
        case QMetaType::UChar:
            addInteger(row, col, v.toLongLong());
            break;
        case QMetaType::ULongLong: {
            const qulonglong u = v.toULongLong();
            if (u <= qulonglong(kMaxExactInteger))
                addInteger(row, col, qint64(u));
            else
                addText(row, col, QString::number(u));
            break;
        }
        case QMetaType::Bool:
            addInteger(row, col, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            addDouble(row, col, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const qsizetype n = v.toByteArray().size();
            if (n > 0)
                addText(row, col, QStringLiteral("[图片 %1 字节]").arg(n));
            break;
        }
        default:
            addText(row, col, v.toString());
            break;
        }
    }

    void startSheet()
    {
        sheets.append(SheetPart{});
        const qint64 before = cells.size();
        for (qsizetype c = 0; c < columns.size(); ++c)
            addText(0, quint16(c), columns.at(c));
        sheets.last().rows = 1;
        sheets.last().cellBytes += cells.size() - before;
    }

    // Moves the cell records into the spill file once they pass a few
    // megabytes.  Where no temporary file can be made or written, they stay in
    // memory: the export then needs more of it, but still succeeds.
    void spillIfLarge()
    {
        if (cells.size() < kSpillThreshold || spillFailed)
            return;
        if (!spill) {
            spill = std::make_unique<QTemporaryFile>(QDir::tempPath()
                                                     + QStringLiteral("/moquan-xls-XXXXXX"));
            if (!spill->open()) {
                spill.reset();
                spillFailed = true;
                return;
            }
        }
        if (spill->write(cells) != cells.size()) {
            spillFailed = true; // what was written past `spilled` is never read
            return;
        }
        spilled += cells.size();
        cells.clear();
    }

    // Copies the next n bytes of cell records to s.
    bool copyCells(Sink &s, qint64 &readPos, qint64 n)
    {
        QByteArray chunk;
        while (n > 0 && readPos < spilled) {
            const qint64 k = std::min({n, spilled - readPos, qint64(1024 * 1024)});
            chunk = spill->read(k);
            if (chunk.size() != k)
                return fail(QStringLiteral("无法读取临时文件：%1").arg(spill->errorString()));
            s.write(chunk);
            readPos += k;
            n -= k;
        }
        if (n > 0) {
            const qint64 at = readPos - spilled;
            if (at + n > cells.size())
                return fail(QStringLiteral("内部错误：单元格数据不完整"));
            s.write(cells.constData() + at, n);
            readPos += n;
        }
        return true;
    }
};

XlsWriter::XlsWriter() : d(std::make_unique<Private>()) {}
XlsWriter::~XlsWriter() = default;

bool XlsWriter::begin(const QString &sheetName, const QStringList &columns)
{
    d->reset();
    d->broken = false;
    d->error.clear();
    d->started = true;
    if (const QString why = checkSheetName(sheetName); !why.isEmpty())
        return d->fail(why);
    if (columns.isEmpty() || columns.size() > kXlsMaxColumns)
        return d->fail(QStringLiteral("列数须为 1 到 %1 列，现有 %2 列")
                           .arg(kXlsMaxColumns)
                           .arg(columns.size()));
    d->baseName = sheetName;
    d->columns = columns;
    d->startSheet();
    return true;
}

bool XlsWriter::addRow(const QList<QVariant> &values)
{
    if (!d->started)
        return d->fail(QStringLiteral("工作簿尚未开始"));
    if (d->broken)
        return false;
    if (values.size() > d->columns.size())
        return d->fail(QStringLiteral("第 %1 行有 %2 个值，多于 %3 列")
                           .arg(d->rows + 1)
                           .arg(values.size())
                           .arg(d->columns.size()));
    if (d->sheets.last().rows == quint32(kXlsMaxRowsPerSheet))
        d->startSheet();
    SheetPart &sheet = d->sheets.last();
    const quint16 row = quint16(sheet.rows);
    const qint64 before = d->cells.size();
    for (qsizetype c = 0; c < values.size(); ++c)
        d->addValue(row, quint16(c), values.at(c));
    sheet.cellBytes += d->cells.size() - before;
    ++sheet.rows;
    ++d->rows;
    d->spillIfLarge();
    return true;
}

bool XlsWriter::finish(QIODevice &out)
{
    if (!d->started)
        return d->fail(QStringLiteral("工作簿尚未开始"));
    if (!d->broken && !out.isWritable())
        d->fail(QStringLiteral("目标不可写入"));
    if (d->broken) {
        d->reset();
        return false;
    }

    const QStringList names = xlsSheetNames(d->baseName, int(d->sheets.size()));
    const quint32 totalCells = quint32(qMin<quint64>(d->stringCells, 0xFFFFFFFFu));
    Sink measure(nullptr);
    writeSst(measure, d->strings, totalCells);
    const qint64 sstSize = measure.count();

    QList<quint32> offsets(d->sheets.size(), 0);
    qint64 pos = globalsHead(names, offsets).size() + sstSize + 4;
    for (qsizetype i = 0; i < d->sheets.size(); ++i) {
        if (pos > kMaxStreamSize)
            break;
        offsets[i] = quint32(pos);
        pos += kSheetPrefixSize + d->sheets.at(i).cellBytes + kSheetSuffixSize;
    }
    if (pos > kMaxStreamSize) {
        d->fail(QStringLiteral("工作簿过大，超过 2 GB"));
        d->reset();
        return false;
    }
    const qint64 streamSize = qMax(pos, kMinStreamSize);
    const CfbLayout layout = cfbLayout(streamSize);

    Sink s(&out);
    s.write(cfbHeader(layout));
    s.write(globalsHead(names, offsets));
    writeSst(s, d->strings, totalCells);
    writeRecord(s, kRecEof, {});
    qint64 readPos = 0;
    if (d->spill && !d->spill->seek(0))
        d->fail(QStringLiteral("无法读取临时文件：%1").arg(d->spill->errorString()));
    for (qsizetype i = 0; i < d->sheets.size() && !d->broken; ++i) {
        const SheetPart &sheet = d->sheets.at(i);
        s.write(sheetPrefix(sheet.rows, quint16(d->columns.size())));
        d->copyCells(s, readPos, sheet.cellBytes);
        s.write(sheetSuffix(i == 0));
    }
    if (!d->broken && s.count() != kSectorSize + pos)
        d->fail(QStringLiteral("内部错误：工作簿长度不符"));
    if (!d->broken) {
        s.zeros(qint64(layout.streamSectors + 1) * kSectorSize - s.count());
        s.write(cfbDirectory(quint32(streamSize)));
        writeFat(s, layout);
        writeDifat(s, layout);
        if (!s.flush())
            d->fail(QStringLiteral("写入失败：%1").arg(out.errorString()));
        else if (s.count() != qint64(layout.totalSectors() + 1) * kSectorSize)
            d->fail(QStringLiteral("内部错误：文件长度不符"));
    }
    d->reset();
    return !d->broken;
}

bool XlsWriter::save(const QString &path)
{
    if (!d->started)
        return d->fail(QStringLiteral("工作簿尚未开始"));
    if (d->broken) {
        d->reset();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        d->fail(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
        d->reset();
        return false;
    }
    if (!finish(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        d->fail(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

QString XlsWriter::errorString() const { return d->broken ? d->error : QString(); }
qint64 XlsWriter::rowCount() const { return d->rows; }
int XlsWriter::sheetCount() const { return int(d->sheets.size()); }

namespace {
bool fillWriter(XlsWriter &w, const QString &sheetName, const QStringList &columns,
                const QList<QList<QVariant>> &rows)
{
    if (!w.begin(sheetName, columns))
        return false;
    for (const QList<QVariant> &row : rows)
        if (!w.addRow(row))
            return false;
    return true;
}
} // namespace

bool writeXlsWorkbook(QIODevice &out, const QString &sheetName, const QStringList &columns,
                      const QList<QList<QVariant>> &rows, QString *error)
{
    XlsWriter w;
    const bool ok = fillWriter(w, sheetName, columns, rows) && w.finish(out);
    if (error)
        *error = w.errorString();
    return ok;
}

bool saveXlsWorkbook(const QString &path, const QString &sheetName, const QStringList &columns,
                     const QList<QList<QVariant>> &rows, QString *error)
{
    XlsWriter w;
    const bool ok = fillWriter(w, sheetName, columns, rows) && w.save(path);
    if (error)
        *error = w.errorString();
    return ok;
}

} // namespace moquan
