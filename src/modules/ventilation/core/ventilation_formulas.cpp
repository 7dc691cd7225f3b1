#include "modules/ventilation/core/ventilation_formulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/conversions.h"

namespace tunnel {

double DieselPower(const DieselFleet &f) {
    const double u = f.utilisation;
    const double ff = f.loadedFactor;
    const double excavators = f.excavators * f.excavatorPower * u * ff;
    const double loaders = f.loaders * f.loaderPower * u * ff;
    const double others = f.others * f.otherPower * u * ff;
    const double loaded = f.loadedTrucks * f.truckPower * ff * u;
    const double empty = f.emptyTrucks * f.truckPower * f.emptyFactor * u;
    return excavators + loaders + others + loaded + empty;
}

double PersonsDemand(double persons, double reserve, double airPerPerson) {
    return persons * reserve * airPerPerson;
}

double SpeedDemand(double area, double speed) {
    return area * speed * 60;
}

double FumeDemand(double area, double advance, double charge, double spread, double time) {
    const double g = area * advance * charge;
    const double y = std::pow(std::pow(area * spread, 2.0) * g, 1.0 / 3);
    return y * (7.8 / time);
}

double ShownFumeDemand(double area, double advance, double charge, double spread, double time) {
    return RoundTo(FumeDemand(area, advance, charge, spread, time), kFumeDemandDecimals);
}

double ExhaustDemand(double airPerKw, double shownPower) {
    return airPerKw * shownPower;
}

double GasDemand(double reserve, double emission, double allowed, double supplied) {
    return RoundTo(reserve * emission / (allowed - supplied), kGasDemandDecimals);
}

int GoverningDemand(const std::array<double, 5> &candidates) {
    const double largest = *std::max_element(candidates.begin(), candidates.end());
    if (!(largest > 1e-7)) return -1;
    // Measured against the largest, so that a chain of near ties cannot walk
    // past a candidate within 1e-7 of it.
    for (int i = 0; i < int(candidates.size()); ++i)
        if (candidates[std::size_t(i)] - largest >= -1e-7) return i;
    return -1;
}

double LeakageCoefficient(double beta, double length) {
    return 1 / std::pow(1 - beta, length / 100);
}

double ShownLeakageCoefficient(double beta, double length) {
    return RoundTo(LeakageCoefficient(beta, length), kLeakageDecimals);
}

double FanSupply(double shownDemand, double shownLeakage) {
    return RoundTo(shownDemand * shownLeakage, kSupplyDecimals);
}

double DuctSection(double diameter) {
    return RoundTo(std::numbers::pi * std::pow(diameter / 2, 2.0), kSectionDecimals);
}

double FrictionLoss(double length, double demand, double supply, double diameter) {
    return length * (demand / 60) * (supply / 60) * 0.0143 / std::pow(diameter, 5.0);
}

double ShownFrictionLoss(double length, double demand, double supply, double diameter) {
    return RoundTo(FrictionLoss(length, demand, supply, diameter), kFrictionDecimals);
}

double LocalLoss(double shownFriction) {
    return shownFriction * 0.12;
}

double TotalPressure(double shownLocal, double otherLoss, double shownFriction) {
    return shownLocal + otherLoss + shownFriction;
}

bool LeakRateTooHigh(double beta) {
    return beta - kLeakRateLimit > 1e-7;
}

bool FallsShort(double rated, double computed) {
    return rated - computed < -1e-7;
}

}  // namespace tunnel
