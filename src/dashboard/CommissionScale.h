#pragma once
// The monthly figures of the main window's group 月统计: a month's amount, its
// net amount (85 %), the commission rate that the net amount reaches on the
// tiered scale, and the commission. Plain arithmetic; the month sums come from
// the database in the window.
#include <QString>

namespace moquan {

// The net amount is this share of the month's amount.
inline constexpr double kNetFactor = 0.85;
// A net amount reaches a threshold when it is no more than this below it.
inline constexpr double kThresholdTolerance = 0.0000001;

struct CommissionStep {
    double rate;  // 0 below the first threshold
    QString text; // "09%" ... "27%"; empty below the first threshold
};

// The step of the scale that a net amount reaches: below 1600 none (rate 0,
// empty text); from 1600 "09%", 4800 "12%", 9600 "15%", 19200 "18%",
// 32000 "21%", 56000 "24%", from 80000 "27%".
CommissionStep commissionStep(double netAmount);

// The commission of a net amount: net × the rate that net reaches, truncated
// towards zero; 0 below 1600.
double commission(double netAmount);

// The four texts of one month (columns 总销售, 净营业, 比例, 拥金).
struct MonthFigures {
    QString amount;     // "￥" + the amount as an integer
    QString net;        // "￥" + the net amount, up to 13 significant digits
    QString rate;       // the rate text of the scale
    QString commission; // "￥" + the commission as an integer
};

// Modes 1 (进货) and 3 (销售): the month's sum of purchases or sales; a month
// without rows passes 0. The amount column is the sum truncated towards zero;
// net amount, rate and commission come from the sum with its fraction, all three
// from the same net amount.
MonthFigures monthFiguresOfSum(double sum);
// Mode 2 (库存): purchases less sales, each sum first truncated towards zero.
MonthFigures monthFiguresOfStock(double purchaseSum, double saleSum);

// The first and last day of a month as DateText ("2012-02-01", "2012-02-29"),
// the last by the Gregorian leap-year rule. Empty texts for a month outside 1-12.
QString monthFirstDay(int year, int month);
QString monthLastDay(int year, int month);

} // namespace moquan
