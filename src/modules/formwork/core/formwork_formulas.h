#pragma once

namespace tunnel {

// The formwork load formulas on plain numbers: loads in kN/m², line loads
// in kN/m, lengths in m, member sizes in mm, times in h. A step that builds
// on an earlier result takes that result as displayed, which the caller
// reads back.

// The two combinations of one load, live-load and dead-load controlled,
// each rounded to the 3 decimals shown.
inline constexpr int kCombinationDecimals = 3;
struct LoadCombinations {
    double live;
    double dead;
};

struct SlabInputs {
    double thickness;  // a, m
    double g1k;        // formwork and support
    double g2k;        // concrete, kN/m³
    double g3k;        // reinforcement of slabs, kN/m³
    double q1k;        // workers and equipment
};

// Total load on the slab formwork: G = G1k + (G2k + G3k) × a, combined as
// 0.9 × (1.2 G + 1.4 Q1k) and 0.9 × (1.35 G + 1.4 × 0.7 Q1k).
LoadCombinations SlabCombinations(const SlabInputs &in);

struct BeamInputs {
    double width;   // b, m
    double height;  // h, m
    double g1k;
    double g2k;
    double g3k;  // reinforcement of beams, kN/m³
    double q2k;  // vibrating the concrete
};

// Line load of the largest beam: G = G1k + (G2k + G3k) × h, combined as
// b × (1.2 G + 1.4 Q2k) × 0.9 and b × (1.35 G + 1.4 × 0.7 Q2k) × 0.9.
LoadCombinations BeamCombinations(const BeamInputs &in);

// The basic combinations with GB 55001-2021's partial factors, 1.3 for
// permanent and 1.5 for variable actions and no 0.9: slab 1.3 G + 1.5 Q1k
// (kN/m²), line b × (1.3 G + 1.5 Q2k) (kN/m); to the 3 decimals shown.
double CurrentCodeSlabLoad(const SlabInputs &in);
double CurrentCodeLineLoad(const BeamInputs &in);

// Whether the live-load combination governs: it is at least the dead-load
// one within 1e-7 (ties go to it).
bool LiveLoadGoverns(double shownLive, double shownDead);

// The coefficients of one formwork kind for the combinations and the
// pressure diagram.
struct PressureCoefficients {
    double thinFactor;       // overall factor of the thin-member combination
    double thinVibration;    // factor of Q2k' inside it
    double thickVibration;   // factor of Q3k in the thick-member combination
    double headFactor;       // design lateral pressure = headFactor × G4k
    double dumpingFactor;    // Q3d = Q3k × dumpingFactor
    double actingReduction;  // last factor of X
};

// Steel formwork: combinations reduced by 0.95 × 0.9; its dumping factor is
// the double product 1.4 × 0.95 × 0.9 (1.1969999999999998).
PressureCoefficients SteelCoefficients();
PressureCoefficients PlainCoefficients();

inline constexpr int kPressureDecimals = 2;

// Lateral pressure of fresh concrete F' = 0.22 γc t0 β1 β2 √V, to 2
// decimals.
double LateralPressureByTime(double gammaC, double setTime, double beta1, double beta2,
                             double pourRate);
// F = γc × H; unrounded.
double LateralPressureByHead(double gammaC, double head);
// G4k is the smaller of the displayed F' and F; equal values (within 1e-7)
// take F.
bool TakeHeadPressure(double shownByTime, double shownByHead);

enum class MemberSize { Invalid, Thin, Thick };

// A wall thickness or member side (mm) against the kind's threshold: up to
// 1e-7 it is an input error; below the threshold by more than 1e-7, thin.
MemberSize ClassifyMember(double size, double threshold);

// Design combination of a thin member: thinFactor × (1.2 G4k + thinVibration
// × Q2k'); unrounded.
double ThinCombination(const PressureCoefficients &c, double g4k, double q2k);
// Of a thick member with Q3k in place of Q2k'; to 2 decimals when rounded
// is asked (steel walls), else unrounded.
double ThickCombination(const PressureCoefficients &c, double g4k, double q3k, bool rounded);

// Effective head h = headFactor × G4k / 24 (m), to 2 decimals.
double EffectiveHead(const PressureCoefficients &c, double g4k);
// Dumping load Q3d = Q3k × dumpingFactor, to 2 decimals.
double DumpingDesign(const PressureCoefficients &c, double q3k);
// Acting height X = h × Q3d / (1.08 G4k) × actingReduction (m), from the
// displayed h and Q3d, to 2 decimals.
double ActingHeight(const PressureCoefficients &c, double shownHead, double shownDumping,
                    double g4k);
// Design lateral pressure headFactor × G4k, to 2 decimals.
double DesignLateralPressure(const PressureCoefficients &c, double g4k);
// Height of the pour above the effective head; unrounded.
double HeadBeyondEffective(double head, double shownEffectiveHead);

// Initial setting time t0 = 200 / (T + 15) of concrete at T °C, to 3
// decimals.
inline constexpr int kSettingTimeDecimals = 3;
double SettingTime(double temperature);

// The temperature (°C) t0 is compared with when none is entered.
inline constexpr double kDefaultConcreteTemperature = 20;

// Whether an entered t0 is below SettingTime(temperature) by more than 1e-7.
bool SettingTimeBelowFormula(double setTime, double temperature);

}  // namespace tunnel
