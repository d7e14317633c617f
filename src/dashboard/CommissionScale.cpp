#include "dashboard/CommissionScale.h"

#include <cmath>

namespace moquan {

namespace {

struct Threshold {
    double net;
    int percent;
    const char *text;
};

// Highest first: the first threshold reached gives the step.
constexpr Threshold kScale[] = {
    {80000, 27, "27%"}, {56000, 24, "24%"}, {32000, 21, "21%"}, {19200, 18, "18%"},
    {9600, 15, "15%"},  {4800, 12, "12%"},  {1600, 9, "09%"},
};

// The step a net amount reaches; null below the first threshold.
const Threshold *stepReached(double net)
{
    for (const Threshold &t : kScale) {
        if (net >= t.net - kThresholdTolerance)
            return &t;
    }
    return nullptr;
}

double netOf(double amount) { return amount * kNetFactor; }

// Truncation towards zero; + 0.0 turns -0 into 0.
double truncated(double v) { return std::trunc(v) + 0.0; }

QString wholeText(double v) { return QString::number(v, 'f', 0); }

QString numberText(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    return QString::asprintf("%.13g", v);
}

MonthFigures figures(double amountWhole, double net)
{
    const CommissionStep step = commissionStep(net);
    MonthFigures f;
    f.amount = QStringLiteral("￥") + wholeText(amountWhole);
    f.net = QStringLiteral("￥") + numberText(net);
    f.rate = step.text;
    f.commission = QStringLiteral("￥") + wholeText(commission(net));
    return f;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

} // namespace

CommissionStep commissionStep(double netAmount)
{
    const Threshold *t = stepReached(netAmount);
    if (!t)
        return {0.0, QString()};
    return {t->percent / 100.0, QString::fromLatin1(t->text)};
}

double commission(double netAmount)
{
    const Threshold *t = stepReached(netAmount);
    if (!t)
        return 0;
    return truncated(netAmount * t->percent / 100.0);
}

MonthFigures monthFiguresOfSum(double sum)
{
    if (!std::isfinite(sum))
        sum = 0;
    return figures(truncated(sum), netOf(sum));
}

MonthFigures monthFiguresOfStock(double purchaseSum, double saleSum)
{
    if (!std::isfinite(purchaseSum))
        purchaseSum = 0;
    if (!std::isfinite(saleSum))
        saleSum = 0;
    const double difference = truncated(purchaseSum) - truncated(saleSum) + 0.0;
    return figures(difference, netOf(difference));
}

QString monthFirstDay(int year, int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::asprintf("%d-%02d-01", year, month);
}

QString monthLastDay(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return {};
    const int last = (month == 2 && isLeapYear(year)) ? 29 : days[month - 1];
    return QString::asprintf("%d-%02d-%02d", year, month, last);
}

} // namespace moquan
