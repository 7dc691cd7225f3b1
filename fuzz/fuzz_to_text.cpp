// ToText and RoundTo over any double and place: texts are locale-free and
// read back to 13 digits; rounding stays finite, keeps the sign and moves x
// by at most half a unit of the kept place.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/conversions.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    if (size < sizeof(double) + sizeof(int)) return 0;
    double x;
    int n;
    std::memcpy(&x, data, sizeof x);
    std::memcpy(&n, data + sizeof x, sizeof n);
    // Small places are the common case; a third byte picks them.
    if (size > sizeof x + sizeof n && data[sizeof x + sizeof n] % 2) n %= 20;

    const QString shown = tunnel::ToText(x);
    FUZZ_CHECK(!shown.contains(QLatin1Char(',')), shown);
    if (std::isfinite(x)) {
        const double back = tunnel::ToNumber(shown);
        FUZZ_CHECK(
            std::fabs(back - x) <= std::fabs(x) * 1e-12 + std::numeric_limits<double>::denorm_min(),
            shown);
    }

    const double r = tunnel::RoundTo(x, n);
    if (!std::isfinite(x)) {
        FUZZ_CHECK(std::isnan(x) ? std::isnan(r) : r == x, shown);
        return 0;
    }
    const QString where = shown + QStringLiteral(" n=") + QString::number(n) +
                          QStringLiteral(" -> ") + tunnel::ToText(r);
    FUZZ_CHECK(std::isfinite(r), where);
    FUZZ_CHECK(r == 0.0 || std::signbit(r) == std::signbit(x), where);
    const int place = std::clamp(n, -DBL_MAX_10_EXP, DBL_MAX_10_EXP);
    const double unit = std::pow(10.0, -place);
    FUZZ_CHECK(std::fabs(r - x) <= (0.5 + 1e-9) * unit + std::fabs(x) * 1e-15, where);
    return 0;
}
