#include "modules/mucking/core/mucking_formulas.h"

#include "core/conversions.h"

namespace tunnel {

double MuckPerRound(const MuckVolumeInputs &in) {
    return RoundTo(in.area * in.bulking * in.advance * in.overbreak, kMuckVolumeDecimals);
}

double TrucksNeeded(const TruckInputs &in) {
    const double loaded = in.distance * 7200 / 1000 * in.bucket;
    return RoundTo(loaded / (in.body * in.speed * in.loadTime), kTruckCountDecimals);
}

double MuckingHours(const MuckingTimeInputs &in) {
    return RoundTo((in.muck * in.loadTime) / (in.bucket * 3600), kMuckingHoursDecimals);
}

}  // namespace tunnel
