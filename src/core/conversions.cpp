#include "core/conversions.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/gbk_text.h"

namespace tunnel {

namespace {

// Folds the double-byte forms that stand for ASCII characters.
std::string FoldFullWidth(const QByteArray &gbk) {
    std::string out;
    out.reserve(gbk.size());
    for (qsizetype i = 0; i < gbk.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x81 || lead == 0xFF) {
            out.push_back(static_cast<char>(lead));
            continue;
        }
        if (i + 1 >= gbk.size()) break;  // a lone lead byte ends the text
        const auto trail = static_cast<unsigned char>(gbk[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            out.push_back(static_cast<char>(trail & 0x7F));
        else if (lead == 0xA1 && trail == 0xA1)
            out.push_back(' ');
        else if (lead == 0xA1 && trail == 0xAB)
            out.push_back('~');
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            out.push_back('*');
        else {
            out.push_back(static_cast<char>(lead));
            out.push_back(static_cast<char>(trail));
        }
    }
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// from_chars leaves the value alone when it is out of range; like strtod
// the text then reads as infinity or zero, by the power of ten it stands for.
double OutOfRange(const std::string &number) {
    long long power = 0;
    bool leading = true;
    bool point = false;
    std::size_t i = number[0] == '-' || number[0] == '+' ? 1 : 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            point = true;
        } else if (leading && number[i] == '0') {
            if (point) --power;
        } else {
            leading = false;
            if (!point) ++power;
        }
    }
    if (i < number.size()) {
        long long exponent = 0;
        const bool negative = number[i + 1] == '-';
        for (std::size_t j = i + 1; j < number.size(); ++j)
            if (IsDigit(number[j]))
                exponent = std::min(exponent * 10 + (number[j] - '0'), 100000LL);
        power += negative ? -exponent : exponent;
    }
    const double magnitude = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return number[0] == '-' ? -magnitude : magnitude;
}

}  // namespace

namespace {

// The number prefix of folded text s, as from_chars reads it (empty when it
// has no digit), and where it ends in s.
std::string NumberPrefix(const std::string &s, std::size_t *end) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    std::string prefix;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) prefix.push_back(s[i++]);
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digits = true;
            prefix.push_back(s[i]);
        } else if (s[i] == '.' && !point) {
            point = true;
            prefix.push_back('.');
        } else {
            break;
        }
    }
    if (!digits) {
        *end = 0;
        return {};
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]);
            prefix += exponent;
            i = j;
        }
    }
    *end = i;
    return prefix;
}

}  // namespace

double ToNumber(const QString &text) {
    if (text.isEmpty()) return 0.0;
    std::size_t end = 0;
    const std::string prefix = NumberPrefix(FoldFullWidth(ToGbk(text)), &end);
    if (prefix.empty()) return 0.0;
    // from_chars rounds correctly and knows no locale, so '.' is always the
    // point; it takes no '+'.
    const char *first = prefix.data() + (prefix[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto result = std::from_chars(first, prefix.data() + prefix.size(), value);
    if (result.ec == std::errc::result_out_of_range) return OutOfRange(prefix);
    return value;
}

NumberText ReadAs(const QString &text) {
    const std::string s = FoldFullWidth(ToGbk(text));
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    if (std::all_of(s.begin(), s.end(), blank)) return NumberText::Empty;
    std::size_t end = 0;
    if (NumberPrefix(s, &end).empty()) return NumberText::NotNumber;
    return std::all_of(s.begin() + end, s.end(), blank) ? NumberText::Number
                                                        : NumberText::NotNumber;
}

QString ToText(double value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    // to_chars is printf's "%.13g" in the C locale, whatever the process
    // locale says about the decimal point.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    std::string s(buffer, result.ptr);
    const std::size_t e = s.find('e');
    if (e != std::string::npos) {
        // glibc prints at least two exponent digits; the stored texts have three.
        const std::size_t digitsAt = e + 2;
        const std::size_t count = s.size() - digitsAt;
        if (count < 3) s.insert(digitsAt, 3 - count, '0');
    }
    return QString::fromLatin1(s.c_str());
}

QString ToText(long long value) {
    return QString::number(value);
}

double RoundTo(double x, int n) {
    if (x == 0.0 || !std::isfinite(x)) return x;
    // 10^n is a double only up to 10^308.
    n = std::clamp(n, -DBL_MAX_10_EXP, DBL_MAX_10_EXP);
    const double sign = std::signbit(x) ? -1.0 : 1.0;
    const double a = std::fabs(x);
    double p = 1.0;
    double m = a;
    if (n > 0) {
        p = std::pow(10.0, n);
        m = a * p;
    } else if (n < 0) {
        p = std::pow(10.0, -n);
        m = a / p;
    }
    // From 2^52 on every double is whole: nothing is left to round, and
    // beyond that the scaling could overflow.
    if (!(m < 4503599627370496.0)) return x;
    double i = 0.0;
    const double f = std::modf(m + 1e-12, &i);
    const double r = f >= 0.5 ? i + 1.0 : i;
    double result = r;
    if (n > 0)
        result = r / p;
    else if (n < 0)
        result = r * p;
    if (std::isinf(result)) return x;
    return sign * result;
}

}  // namespace tunnel
