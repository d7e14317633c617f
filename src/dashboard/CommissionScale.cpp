#include "dashboard/CommissionScale.h"

#include "store/Database.h"
#include "store/DateText.h"

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
    const QDate first(year, month, 1);
    return first.isValid() ? dateText(first) : QString();
}

QString monthLastDay(int year, int month)
{
    const QDate first(year, month, 1);
    return first.isValid() ? dateText(first.addDays(first.daysInMonth() - 1)) : QString();
}

} // namespace moquan
