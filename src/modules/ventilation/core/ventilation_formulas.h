#pragma once

#include <array>

namespace tunnel {

// The forced ventilation formulas on plain numbers: flows in m³/min, lengths
// in m, powers in kW, pressures in Pa. A step that builds on an earlier
// result takes that result as displayed, which the caller reads back; the
// Shown… functions return a value rounded as the window shows it.

// Decimals of the rounded results.
inline constexpr int kFumeDemandDecimals = 0;
inline constexpr int kGasDemandDecimals = 2;
inline constexpr int kSupplyDecimals = 2;
inline constexpr int kLeakageDecimals = 3;
inline constexpr int kSectionDecimals = 2;
inline constexpr int kFrictionDecimals = 0;

// The diesel machines working at the peak.
struct DieselFleet {
    double excavators, excavatorPower;
    double loaders, loaderPower;
    double others, otherPower;
    double loadedTrucks, emptyTrucks, truckPower;
    double loadedFactor, emptyFactor;  // load factors of full and empty trucks
    double utilisation;
};

// Power at the peak: each machine's power × utilisation × load factor
// (loaded for all but the empty trucks), summed; unrounded.
double DieselPower(const DieselFleet &fleet);

// Q1 = persons × reserve factor × air per person; unrounded.
double PersonsDemand(double persons, double reserve, double airPerPerson);

// Q2 = area (m²) × lowest speed (m/s) × 60; unrounded.
double SpeedDemand(double area, double speed);

// Air (m³/min) to clear the fumes of one round in time minutes:
// (7.8 / time) × ∛(G × (area × spread)²), G = area × advance × charge (kg).
double FumeDemand(double area, double advance, double charge, double spread, double time);
// Q3: the same to whole m³/min.
double ShownFumeDemand(double area, double advance, double charge, double spread, double time);

// Q4 = air per kW × the displayed power; unrounded.
double ExhaustDemand(double airPerKw, double shownPower);

// Q5 = reserve × emission / (allowed − supplied concentration), to 2
// decimals.
double GasDemand(double reserve, double emission, double allowed, double supplied);

// Index of the governing demand among candidates given in the order Q1, Q4,
// Q2, Q3, Q5: the largest one, the first of those equal within 1e-7; -1 when
// none exceeds 1e-7.
int GoverningDemand(const std::array<double, 5> &candidates);

// Leakage coefficient 1 / (1 - beta)^(length / 100) of a duct of that length
// (m) leaking the fraction beta per 100 m; unrounded, and as shown to 3
// decimals.
double LeakageCoefficient(double beta, double length);
double ShownLeakageCoefficient(double beta, double length);

// Q供 = the displayed Q需 × the displayed leakage coefficient, to 2 decimals.
double FanSupply(double shownDemand, double shownLeakage);

// Cross-section π (d / 2)² of the duct (m²), to 2 decimals.
double DuctSection(double diameter);

// Duct friction loss (Pa): length × (demand / 60) × (supply / 60) × 0.0143 / d⁵,
// the flows in m³/min, 0.0143 = 6.5 × α with α = 0.0022; unrounded, and as
// shown to whole Pa.
double FrictionLoss(double length, double demand, double supply, double diameter);
double ShownFrictionLoss(double length, double demand, double supply, double diameter);

// Local losses: 12 % of the displayed friction loss; unrounded.
double LocalLoss(double shownFriction);

// Total pressure: local + other + friction losses, unrounded.
double TotalPressure(double shownLocal, double otherLoss, double shownFriction);

// The leakage per 100 m the duct may have: 2 %.
inline constexpr double kLeakRateLimit = 0.02;
// Whether a leakage per 100 m exceeds the limit by more than 1e-7.
bool LeakRateTooHigh(double beta);

// Whether a rated value of the fan is below the computed one by more than
// 1e-7.
bool FallsShort(double rated, double computed);

}  // namespace tunnel
