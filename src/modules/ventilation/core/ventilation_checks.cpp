#include "modules/ventilation/core/ventilation_checks.h"

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/form.h"
#include "modules/ventilation/core/ventilation_formulas.h"
#include "modules/ventilation/core/ventilation_ids.h"

namespace tunnel {

using namespace ventilation_ids;

QStringList VentilationChecks(const Form &form) {
    QStringList failed;
    if (Filled(form.Text(kLeakRate)) && LeakRateTooHigh(ReadNumber(form, kLeakRate)))
        failed << QStringLiteral("风管百米漏风率大于2%，应改善风管质量或缩短风管");
    // No count entered: one fan.
    const double count = Filled(form.Text(kFanCount)) ? ReadNumber(form, kFanCount) : 1;
    const bool flowShort =
        Filled(form.Text(kFanFlow)) && Filled(form.Text(kSupply)) &&
        FallsShort(ReadNumber(form, kFanFlow) * count, ReadNumber(form, kSupply));
    const bool pressureShort =
        Filled(form.Text(kFanPressure)) && Filled(form.Text(kPressure)) &&
        FallsShort(ReadNumber(form, kFanPressure), ReadNumber(form, kPressure));
    // One line for either shortfall: the fan is to be chosen again either way.
    if (flowShort || pressureShort) failed << QStringLiteral("所选风机额定风量（风压）小于计算值");
    return failed;
}

}  // namespace tunnel
