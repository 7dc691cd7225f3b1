#pragma once

namespace tunnel {

// The smooth blasting charges and hole counts on plain numbers: lengths in
// m, spacings and burdens in cm, charges in kg, diameters in mm. A step that
// builds on an earlier result takes that result as displayed, which the
// caller reads back. Counts, the charges of the round and of each hole type
// (but the cut's) and the charge diameter are shown whole.
inline constexpr int kWholeDecimals = 0;

// Charge of the round L × S × q, whole kg.
double RoundCharge(double advance, double area, double specificCharge);

// Charge per hole of a hole type loaded along the advance: L × q (kg/m),
// the perimeter holes' too.
double ChargePerHole(double advance, double perMetre);

// Spacing to burden ratio E / V; unrounded.
double SpacingRatio(double spacing, double burden);

// Perimeter holes along the outline: outline / E + 1, whole.
double PerimeterHoles(double outline, double spacing);

// Floor holes across the floor: width / E, whole.
double FloorHoles(double floorWidth, double floorSpacing);

// Charge of the perimeter or floor holes: per hole × holes, whole kg.
double TypeCharge(double shownPerHole, double shownHoles);

// Charge of the cut holes: per hole × the cut count typed; unrounded.
double CutCharge(double shownPerHole, double cutCount);

// Charge left to the auxiliary holes: round − perimeter − floor − cut, whole
// kg; negative when the others take more than the round has.
double AuxiliaryCharge(double shownRound, double shownPerimeter, double shownFloor,
                       double shownCut);

// Whether the displayed auxiliary charge is below zero (by more than 1e-7;
// "-0" is not).
bool AuxiliaryOverdrawn(double shownAuxiliaryCharge);

// Auxiliary holes: the row's own charge over the charge per auxiliary hole,
// whole, so that count × charge per hole gives the row's charge.
double AuxiliaryHoles(double shownAuxiliaryCharge, double shownPerHole);

// Charge diameter: hole diameter over the decoupling factor, whole mm.
double ChargeDiameter(double holeDiameter, double decoupling);

// Holes of the face: the four types' displayed counts summed.
double TotalHoles(double cut, double auxiliary, double perimeter, double floor);

// Burden that goes with a perimeter spacing: 1.25 × E.
double BurdenFor(double spacing);

// Half-cast factor of the perimeter holes: remaining / total × 100 (%), to
// the 2 decimals shown.
inline constexpr int kHalfCastDecimals = 2;
double HalfCastFactor(double remaining, double total);

enum class HalfCastVerdict { Impossible, Pass, Fail };

// The displayed factor held against the rock class's share (%): above 100
// (by more than 1e-7) it cannot be; at the share within 1e-7 it passes.
HalfCastVerdict JudgeHalfCast(double shownFactor, double requiredShare);

}  // namespace tunnel
