#include "modules/formwork/core/formwork_formulas.h"

#include <cmath>

#include "core/conversions.h"

namespace tunnel {

namespace {

// The combination factor 1.4 × 0.7 as the double product, one unit in the
// last place below 0.98; the displayed results depend on it.
const double kPsi = 1.4 * 0.7;

constexpr double kTolerance = 1e-7;

}  // namespace

LoadCombinations SlabCombinations(const SlabInputs &in) {
    const double slab = in.g1k + in.g2k * in.thickness + in.g3k * in.thickness;
    return {.live = RoundTo(0.9 * (1.2 * slab + 1.4 * in.q1k), kCombinationDecimals),
            .dead = RoundTo(0.9 * (1.35 * slab + kPsi * in.q1k), kCombinationDecimals)};
}

LoadCombinations BeamCombinations(const BeamInputs &in) {
    const double beam = in.g1k + in.g2k * in.height + in.g3k * in.height;
    return {
        .live = RoundTo((in.width * (1.2 * beam + 1.4 * in.q2k)) * 0.9, kCombinationDecimals),
        .dead = RoundTo((in.width * (1.35 * beam + kPsi * in.q2k)) * 0.9, kCombinationDecimals)};
}

double CurrentCodeSlabLoad(const SlabInputs &in) {
    const double slab = in.g1k + in.g2k * in.thickness + in.g3k * in.thickness;
    return RoundTo(1.3 * slab + 1.5 * in.q1k, kCombinationDecimals);
}

double CurrentCodeLineLoad(const BeamInputs &in) {
    const double beam = in.g1k + in.g2k * in.height + in.g3k * in.height;
    return RoundTo(in.width * (1.3 * beam + 1.5 * in.q2k), kCombinationDecimals);
}

bool LiveLoadGoverns(double shownLive, double shownDead) {
    return shownLive - shownDead >= -kTolerance;
}

PressureCoefficients SteelCoefficients() {
    // 0.855 = 0.95 × 0.9; the dumping factor keeps the double product.
    return PressureCoefficients{0.855, 1.4, 1.4, 1.026, 1.4 * 0.95 * 0.9, 0.95};
}

PressureCoefficients PlainCoefficients() {
    return PressureCoefficients{1.0, 1.26, 1.26, 1.08, 1.26, 1.0};
}

double LateralPressureByTime(double gammaC, double setTime, double beta1, double beta2,
                             double pourRate) {
    return RoundTo(gammaC * setTime * beta1 * beta2 * std::pow(pourRate, 0.5) * 0.22,
                   kPressureDecimals);
}

double LateralPressureByHead(double gammaC, double head) {
    return gammaC * head;
}

bool TakeHeadPressure(double shownByTime, double shownByHead) {
    return shownByTime - shownByHead >= -kTolerance;
}

MemberSize ClassifyMember(double size, double threshold) {
    if (size <= kTolerance) return MemberSize::Invalid;
    return size - threshold < -kTolerance ? MemberSize::Thin : MemberSize::Thick;
}

double ThinCombination(const PressureCoefficients &c, double g4k, double q2k) {
    return c.thinFactor * (1.2 * g4k + c.thinVibration * q2k);
}

double ThickCombination(const PressureCoefficients &c, double g4k, double q3k, bool rounded) {
    const double thick = c.thinFactor * (1.2 * g4k + c.thickVibration * q3k);
    return rounded ? RoundTo(thick, kPressureDecimals) : thick;
}

double EffectiveHead(const PressureCoefficients &c, double g4k) {
    return RoundTo(c.headFactor * g4k / 24, kPressureDecimals);
}

double DumpingDesign(const PressureCoefficients &c, double q3k) {
    return RoundTo(q3k * c.dumpingFactor, kPressureDecimals);
}

double ActingHeight(const PressureCoefficients &c, double shownHead, double shownDumping,
                    double g4k) {
    return RoundTo(shownHead * shownDumping / (1.08 * g4k) * c.actingReduction, kPressureDecimals);
}

double DesignLateralPressure(const PressureCoefficients &c, double g4k) {
    return RoundTo(c.headFactor * g4k, kPressureDecimals);
}

double HeadBeyondEffective(double head, double shownEffectiveHead) {
    return head - shownEffectiveHead;
}

double SettingTime(double temperature) {
    return RoundTo(200 / (temperature + 15), kSettingTimeDecimals);
}

bool SettingTimeBelowFormula(double setTime, double temperature) {
    return setTime - SettingTime(temperature) < -kTolerance;
}

}  // namespace tunnel
