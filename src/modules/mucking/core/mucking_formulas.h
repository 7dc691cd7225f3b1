#pragma once

#include <optional>

namespace tunnel {

// The mucking formulas on plain numbers. Each result is rounded where the
// window shows it, and the rounded value is what the function returns.

// Decimals of the displayed results.
inline constexpr int kMuckVolumeDecimals = 2;
inline constexpr int kTruckCountDecimals = 1;
inline constexpr int kMuckingHoursDecimals = 2;

struct MuckVolumeInputs {
    double area;       // S, m²
    double bulking;    // R
    double advance;    // L, m
    double overbreak;  // Δ
};

// Loose muck of one round Z = S × R × L × Δ (m³), rounded to 2 decimals.
double MuckPerRound(const MuckVolumeInputs &in);

struct TruckInputs {
    double distance;  // m
    double bucket;    // V1, m³
    double body;      // V2, m³
    double speed;     // km/h
    double loadTime;  // T1, s per bucket
};

// Trucks that keep the loader busy: (L × 7200 / 1000 × V1) / (V2 × S' × T1),
// rounded to 1 decimal. A zero divisor gives infinity.
double TrucksNeeded(const TruckInputs &in);

// Trucks to provide: the displayed count N rounded up, ⌈N − 1e-7⌉, so that
// 4.9 gives 5 and 5 stays 5. None for a count that is not finite or is
// negative.
std::optional<double> TrucksToProvide(double shownTrucks);

struct MuckingTimeInputs {
    double muck;      // Z, m³
    double loadTime;  // T1, s per bucket
    double bucket;    // V1, m³
};

// Hours to load the muck of one round: Z × T1 / (V1 × 3600), rounded to 2
// decimals.
double MuckingHours(const MuckingTimeInputs &in);

}  // namespace tunnel
