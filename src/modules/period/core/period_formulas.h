#pragma once

#include <array>

namespace tunnel {

// The period formulas of one stretch and of the totals, on plain numbers:
// lengths and advances in m, cycle times in h. Every row result is rounded
// to the 2 decimals the window shows; a step that builds on an earlier
// result takes that result as displayed, which the caller reads back.
inline constexpr int kPeriodDecimals = 2;
inline constexpr int kStretchCount = 6;

// A stretch is calculated only when its length, cycle time and advance all
// exceed 1e-7.
bool StretchComplete(double length, double cycleTime, double advance);

struct CycleCounts {
    double cycles;       // Nc = L / A
    double monthCycles;  // Nm = 24 / T × 30
    double dayCycles;    // Nd = 24 / T
};

CycleCounts StretchCycles(double length, double advance, double cycleTime);

// Ad = A × Nd, from the displayed day cycles.
double DayAdvance(double advance, double shownDayCycles);

struct StretchPeriods {
    double monthAdvance;  // Am = Ad × 30
    double days;          // L / Ad
    double months;        // L / Ad / 30
    double years;         // L / Ad / 365
};

// From the displayed day advance; an advance of 0 gives infinite periods.
StretchPeriods StretchPeriodsFor(double length, double shownDayAdvance);

// The displayed values of one result column, stretch by stretch (0 where
// a field is empty).
using StretchColumn = std::array<double, kStretchCount>;

struct PeriodTotals {
    double length;  // unrounded
    double cycles;  // whole cycles
    double days;    // whole days
    double months;  // unrounded
    double years;   // unrounded
};

// The columns summed in stretch order; cycles and days rounded to whole
// numbers.
PeriodTotals SumStretches(const StretchColumn &lengths, const StretchColumn &cycles,
                          const StretchColumn &days, const StretchColumn &months,
                          const StretchColumn &years);

}  // namespace tunnel
