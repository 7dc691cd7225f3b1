#include "ui/conversions.h"

#include <locale.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "services/gbk_text.h"

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

locale_t CLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

}  // namespace

double ToNumber(const QString &text) {
    if (text.isEmpty()) return 0.0;
    const std::string s = FoldFullWidth(ToGbk(text));
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
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]);
            prefix += exponent;
        }
    }
    // glibc's strtod rounds correctly; the C locale keeps '.' as the point.
    return strtod_l(prefix.c_str(), nullptr, CLocale());
}

QString ToText(double value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    std::string s = buffer;
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
    if (x == 0.0) return x;
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
    double i = 0.0;
    const double f = std::modf(m + 1e-12, &i);
    const double r = f >= 0.5 ? i + 1.0 : i;
    double result = r;
    if (n > 0)
        result = r / p;
    else if (n < 0)
        result = r * p;
    return sign * result;
}

}  // namespace tunnel
