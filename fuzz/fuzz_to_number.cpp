// ToNumber over any text: never NaN, what it reads prints and reads back to
// 13 digits, and half a surrogate pair ends the number.
#include <cmath>
#include <limits>

#include "core/conversions.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const QString text = Utf16(data, size);
    const double value = tunnel::ToNumber(text);
    FUZZ_CHECK(!std::isnan(value), text);
    if (std::isfinite(value)) {
        const QString shown = tunnel::ToText(value);
        const double back = tunnel::ToNumber(shown);
        FUZZ_CHECK(std::fabs(back - value) <=
                       std::fabs(value) * 1e-12 + std::numeric_limits<double>::denorm_min(),
                   shown);
    }
    for (char16_t half : {u'\xD800', u'\xDBFF', u'\xDC00'}) {
        const double cut = tunnel::ToNumber(text + QChar(half) + QStringLiteral("75"));
        FUZZ_CHECK(cut == value || (std::isnan(cut) && std::isnan(value)), text);
    }
    return 0;
}
