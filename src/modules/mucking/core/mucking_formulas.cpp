#include "modules/mucking/core/mucking_formulas.h"

#include <cmath>

#include "core/conversions.h"

namespace tunnel {

double MuckPerRound(const MuckVolumeInputs &in) {
    return RoundTo(in.area * in.bulking * in.advance * in.overbreak, kMuckVolumeDecimals);
}

double TrucksNeeded(const TruckInputs &in) {
    const double loaded = in.distance * 7200 / 1000 * in.bucket;
    return RoundTo(loaded / (in.body * in.speed * in.loadTime), kTruckCountDecimals);
}

std::optional<double> TrucksToProvide(double shownTrucks) {
    if (!std::isfinite(shownTrucks) || shownTrucks < 0) return std::nullopt;
    // + 0.0: a count of 0 rounds up to −0, which would show as "-0".
    return std::ceil(shownTrucks - 1e-7) + 0.0;
}

double MuckingHours(const MuckingTimeInputs &in) {
    return RoundTo((in.muck * in.loadTime) / (in.bucket * 3600), kMuckingHoursDecimals);
}

}  // namespace tunnel
