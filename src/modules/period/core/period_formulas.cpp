#include "modules/period/core/period_formulas.h"

#include "core/conversions.h"

namespace tunnel {

namespace {

double Shown(double value) {
    return RoundTo(value, kPeriodDecimals);
}

double Sum(const StretchColumn &column) {
    double sum = 0;
    for (double value : column) sum += value;
    return sum;
}

}  // namespace

bool StretchComplete(double length, double cycleTime, double advance) {
    return length > 1e-7 && cycleTime > 1e-7 && advance > 1e-7;
}

CycleCounts StretchCycles(double length, double advance, double cycleTime) {
    return {.cycles = Shown(length / advance),
            .monthCycles = Shown((24 / cycleTime) * 30),
            .dayCycles = Shown(24 / cycleTime)};
}

double DayAdvance(double advance, double shownDayCycles) {
    return Shown(advance * shownDayCycles);
}

StretchPeriods StretchPeriodsFor(double length, double shownDayAdvance) {
    return {.monthAdvance = Shown(shownDayAdvance * 30),
            .days = Shown(length / shownDayAdvance),
            .months = Shown(length / shownDayAdvance / 30),
            .years = Shown(length / shownDayAdvance / 365)};
}

PeriodTotals SumStretches(const StretchColumn &lengths, const StretchColumn &cycles,
                          const StretchColumn &days, const StretchColumn &months,
                          const StretchColumn &years) {
    return {.length = Sum(lengths),
            .cycles = RoundTo(Sum(cycles), 0),
            .days = RoundTo(Sum(days), 0),
            .months = Sum(months),
            .years = Sum(years)};
}

}  // namespace tunnel
