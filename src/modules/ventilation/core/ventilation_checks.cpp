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
    if (Filled(form.Text(kFanFlow)) && Filled(form.Text(kSupply)) &&
        FallsShort(ReadNumber(form, kFanFlow) * count, ReadNumber(form, kSupply)))
        failed << QStringLiteral("所选风机额定风量小于计算值");
    if (Filled(form.Text(kFanPressure)) && Filled(form.Text(kPressure)) &&
        FallsShort(ReadNumber(form, kFanPressure), ReadNumber(form, kPressure)))
        failed << QStringLiteral("所选风机额定风压小于计算值");
    return failed;
}

}  // namespace tunnel
