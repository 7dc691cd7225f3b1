#pragma once

#include <QString>

namespace tunnel {

// Reads the numeric prefix of a field text. Full-width ASCII forms (GBK lead
// byte 0xA3), the ideographic space, the wave dash and the two asterisk forms
// are folded first; leading white space is skipped; the longest prefix
// [sign] digits [. digits] [eEdD [sign] digits] is converted to the nearest
// double (beyond the range: infinity or zero). Half a surrogate pair ends the
// prefix like any other character. No digit in the prefix, or an empty text,
// gives 0. The point is '.' in any process locale.
double ToNumber(const QString &text);

// How ToNumber reads a text: all of it (blanks around allowed), only a
// prefix or nothing, or an empty (or blank) text read as 0.
enum class NumberText { Number, NotNumber, Empty };
NumberText ReadAs(const QString &text);

// Formats like printf "%.13g" in the C locale (the point is always '.', in
// any process locale) with a signed exponent of at least three
// digits (1e+015, 1e-005). Negative zero prints as -0; non-finite values
// print as inf, -inf and nan.
QString ToText(double value);
QString ToText(long long value);
inline QString ToText(int value) {
    return ToText(static_cast<long long>(value));
}

// Rounds half away from zero to n decimals (n < 0 rounds to tens, hundreds,
// ...). 1e-12 is added before the split, so 0.4999999999999 rounds to 1 at
// n = 0. Zero is returned unchanged, keeping its sign. n is taken within
// -308..308; x comes back unchanged when it is not finite, when it has no
// digits left to round at that place, or when the rounded value would
// overflow.
double RoundTo(double x, int n);

// A field counts as filled when its text is not empty (blanks count).
inline bool Filled(const QString &text) {
    return !text.isEmpty();
}

}  // namespace tunnel
