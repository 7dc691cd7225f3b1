#include "modules/smoothblast/core/smoothblast_formulas.h"

#include "core/conversions.h"

namespace tunnel {

double RoundCharge(double advance, double area, double specificCharge) {
    return RoundTo(advance * area * specificCharge, kWholeDecimals);
}

double ChargePerHole(double advance, double perMetre) {
    return advance * perMetre;
}

double SpacingRatio(double spacing, double burden) {
    return spacing / burden;
}

double PerimeterHoles(double outline, double spacing) {
    return RoundTo(outline / (spacing / 100) + 1, kWholeDecimals);
}

double FloorHoles(double floorWidth, double floorSpacing) {
    return RoundTo(floorWidth / (floorSpacing / 100), kWholeDecimals);
}

double TypeCharge(double shownPerHole, double shownHoles) {
    return RoundTo(shownPerHole * shownHoles, kWholeDecimals);
}

double CutCharge(double shownPerHole, double cutCount) {
    return shownPerHole * cutCount;
}

double AuxiliaryCharge(double shownRound, double shownPerimeter, double shownFloor,
                       double shownCut) {
    return RoundTo(shownRound - shownPerimeter - shownFloor - shownCut, kWholeDecimals);
}

bool AuxiliaryOverdrawn(double shownAuxiliaryCharge) {
    return shownAuxiliaryCharge < -1e-7;
}

double AuxiliaryHoles(double shownAuxiliaryCharge, double shownPerHole) {
    return RoundTo(shownAuxiliaryCharge / shownPerHole, kWholeDecimals);
}

double ChargeDiameter(double holeDiameter, double decoupling) {
    return RoundTo(holeDiameter / decoupling, kWholeDecimals);
}

double TotalHoles(double cut, double auxiliary, double perimeter, double floor) {
    return cut + auxiliary + perimeter + floor;
}

double BurdenFor(double spacing) {
    return spacing * 1.25;
}

double HalfCastFactor(double remaining, double total) {
    return RoundTo(remaining / total * 100, kHalfCastDecimals);
}

HalfCastVerdict JudgeHalfCast(double shownFactor, double requiredShare) {
    if (shownFactor - 100 > 1e-7) return HalfCastVerdict::Impossible;
    return shownFactor - requiredShare >= -1e-7 ? HalfCastVerdict::Pass : HalfCastVerdict::Fail;
}

}  // namespace tunnel
