#pragma once

#include <optional>

namespace tunnel {

// The attenuation law V = K × (∛Q / R)^α on plain numbers: charges in kg,
// distances in m, velocities in cm/s. Each result is rounded to the 2
// decimals the window shows, and the rounded value is what is returned.
inline constexpr int kVibrationDecimals = 2;

struct VelocityInputs {
    double charge;    // Q
    double factor;    // K
    double distance;  // R
    double exponent;  // α
};

// Velocity at the protected object. A negative charge has no real cube
// root (nan); a zero distance gives infinity.
double BlastVelocity(const VelocityInputs &in);

enum class VelocityVerdict { None, Pass, Fail };

// The displayed velocity held against the class limit: a fail only beyond
// it by more than 1e-7; no verdict without a class or for nan.
VelocityVerdict JudgeVelocity(double shownVelocity, std::optional<double> limit);

// Whether the velocity or an input is negative (beyond 1e-7), which the log
// reports after the results.
bool NegativeVelocityInput(double shownVelocity, const VelocityInputs &in);

struct MaxChargeInputs {
    double exponent;  // α
    double factor;    // K
    double distance;  // R
    double allowed;   // Vkp
};

// Largest charge per delay Qmax = R³ × (Vkp / K)^(3 / α).
double MaxChargePerDelay(const MaxChargeInputs &in);

struct SafeDistanceInputs {
    double exponent;  // α
    double factor;    // K
    double charge;    // Q
    double allowed;   // Vkp
};

// Smallest distance R = ∛Q × (K / Vkp)^(1 / α).
double SafeDistance(const SafeDistanceInputs &in);

// Distance at which the air blast spares people under shelter: 25 × ∛Q.
double ShelterDistance(double charge);

// The shelter distance holds for a surface blast of at most this charge
// (kg); above it (by more than 1e-7) the formula does not apply.
inline constexpr double kShelterChargeLimit = 25;
bool ShelterFormulaApplies(double charge);

}  // namespace tunnel
