#include "store/DateText.h"

#include <QRegularExpression>

namespace moquan {

bool parseDateText(const QString &text, int *year, int *month, int *day)
{
    static const QRegularExpression separated(QStringLiteral(
        R"(^\s*(\d{1,4})\s*[-/.:]\s*(\d{1,2})\s*[-/.:]\s*(\d{1,2})(?:\s+\d{1,2}(?::\d{1,2}){0,2})?\s*$)"));
    static const QRegularExpression chinese(QStringLiteral(
        R"(^\s*(\d{1,4})\s*年\s*(\d{1,2})\s*月\s*(\d{1,2})\s*日(?:\s*\d{1,2}\s*时(?:\s*\d{1,2}\s*分(?:\s*\d{1,2}\s*秒)?)?)?\s*$)"));
    QRegularExpressionMatch m = separated.match(text);
    if (!m.hasMatch())
        m = chinese.match(text);
    if (!m.hasMatch())
        return false;
    const int y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt();
    const int d = m.captured(3).toInt();
    if (y < 1 || !QDate::isValid(y, mo, d))
        return false;
    *year = y;
    *month = mo;
    *day = d;
    return true;
}

static QString padded(int y, int m, int d)
{
    return QStringLiteral("%1-%2-%3")
        .arg(y)
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(d, 2, 10, QLatin1Char('0'));
}

QString ToDateText(const QString &text)
{
    int y, m, d;
    if (!parseDateText(text, &y, &m, &d))
        return QStringLiteral("100-01-01");
    return padded(y, m, d);
}

bool isValidDateText(const QString &text)
{
    int y, m, d;
    return parseDateText(text, &y, &m, &d);
}

long long leadingInteger(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        if (value < 100000000000000LL)
            value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    return negative ? -value : value;
}

QString DateAddDays(const QString &date, int days)
{
    long long D = days;
    long long M = D / 30;
    long long Y = M / 12;
    if (M >= 1)
        D -= 30 * M;
    if (Y >= 1)
        M -= 12 * Y;
    int y = 100, m = 1, d = 1;
    parseDateText(date, &y, &m, &d);
    long long day = d + D, month = m + M, year = y + Y;
    if (day >= 31) {
        day -= 30;
        month += 1;
    }
    if (month >= 13) {
        month -= 12;
        year += 1;
    }
    return QStringLiteral("%1-%2-%3").arg(year).arg(month).arg(day);
}

QString DateAddDays(const QString &date, const QString &days)
{
    const long long n = leadingInteger(days);
    return DateAddDays(date, int(qBound<long long>(-2000000000LL, n, 2000000000LL)));
}

QString carriedDateText(const QString &unpadded)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(-?\d{1,6})-(-?\d{1,6})-(-?\d{1,9})\s*$)"));
    const QRegularExpressionMatch m = re.match(unpadded);
    if (!m.hasMatch())
        return QStringLiteral("100-01-01");
    const int y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt();
    const int d = m.captured(3).toInt();
    if (y < 1)
        return QStringLiteral("100-01-01");
    const QDate date = QDate(y, 1, 1).addMonths(mo - 1).addDays(qint64(d) - 1);
    if (!date.isValid() || date.year() < 1)
        return QStringLiteral("100-01-01");
    return dateText(date);
}

QString dateText(const QDate &date) { return padded(date.year(), date.month(), date.day()); }

QString todayDateText() { return dateText(QDate::currentDate()); }

} // namespace moquan
