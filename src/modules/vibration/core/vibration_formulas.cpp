#include "modules/vibration/core/vibration_formulas.h"

#include <cmath>

#include "core/conversions.h"

namespace tunnel {

namespace {

// The cube root is the power with the double nearest one third.
constexpr double kThird = 1.0 / 3.0;
// Decimal quantities compare with this absolute tolerance.
constexpr double kTolerance = 1e-7;

}  // namespace

double BlastVelocity(const VelocityInputs &in) {
    return RoundTo(in.factor * std::pow(std::pow(in.charge, kThird) / in.distance, in.exponent),
                   kVibrationDecimals);
}

VelocityVerdict JudgeVelocity(double shownVelocity, std::optional<double> limit) {
    if (!limit || std::isnan(shownVelocity)) return VelocityVerdict::None;
    return shownVelocity - *limit > kTolerance ? VelocityVerdict::Fail : VelocityVerdict::Pass;
}

bool NegativeVelocityInput(double shownVelocity, const VelocityInputs &in) {
    return shownVelocity < -kTolerance || in.factor < -kTolerance || in.exponent < -kTolerance ||
           in.charge < -kTolerance;
}

double MaxChargePerDelay(const MaxChargeInputs &in) {
    return RoundTo(std::pow(in.distance, 3.0) * std::pow(in.allowed / in.factor, 3.0 / in.exponent),
                   kVibrationDecimals);
}

double SafeDistance(const SafeDistanceInputs &in) {
    return RoundTo(
        std::pow(in.charge, kThird) * std::pow(in.factor / in.allowed, 1.0 / in.exponent),
        kVibrationDecimals);
}

double ShelterDistance(double charge) {
    return RoundTo(25 * std::pow(charge, kThird), kVibrationDecimals);
}

bool ShelterFormulaApplies(double charge) {
    return !(charge - kShelterChargeLimit > kTolerance);
}

}  // namespace tunnel
