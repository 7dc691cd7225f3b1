#include <QTemporaryDir>
#include <QtTest>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "core/conversions.h"
#include "support/comma_locale.h"

using namespace tunnel;

namespace {

// "%.13g" computed through std::to_chars, with the exponent widened to three
// digits: an independent path to the same text.
QString ReferenceText(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        const QString digits = text.mid(e + 2);
        text = text.left(e + 2) + digits.rightJustified(3, QLatin1Char('0'));
    }
    return text;
}

}  // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void toNumber_data();
    void toNumber();
    void toNumberFullWidth();
    void readAs_data();
    void readAs();
    void toText_data();
    void toText();
    void toTextNonFinite();
    void toTextMatchesReference();
    void commaLocaleChangesNothing();
    void roundTo_data();
    void roundTo();
    void roundToNegativeZero();
    void roundToHalvesAwayFromZero();
    void filled();
};

void TestConversions::toNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("integer") << "100" << 100.0;
    QTest::newRow("leading blank") << " 2.8" << 2.8;
    QTest::newRow("unit suffix") << "1.2m3" << 1.2;
    QTest::newRow("comma stops") << "12,5" << 12.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-0.5" << -0.5;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("d exponent") << "2d2" << 200.0;
    QTest::newRow("D exponent negative") << "25D-1" << 2.5;
    QTest::newRow("E with plus") << "1.5E+2" << 150.0;
    QTest::newRow("exponent without digits") << "3e" << 3.0;
    QTest::newRow("exponent sign without digits") << "3e+" << 3.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("only point") << "." << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("tabs and line ends") << "\t\r\n\v\f 7" << 7.0;
    QTest::newRow("blank only") << " " << 0.0;
    QTest::newRow("text not a number") << "不考虑" << 0.0;
    QTest::newRow("chinese after number") << "60个" << 60.0;
    QTest::newRow("nearest double") << "0.1" << 0.1;
    QTest::newRow("many digits") << "123456789012345678901234567890" << 1.2345678901234568e29;
    QTest::newRow("overflow") << "1e400" << std::numeric_limits<double>::infinity();
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("negative overflow") << "-1e400" << -std::numeric_limits<double>::infinity();
    QTest::newRow("overflow after leading zeros")
        << "00.1e310" << std::numeric_limits<double>::infinity();
    QTest::newRow("underflow after leading zeros") << "0.0001e-321" << 0.0;
    QTest::newRow("ideographic space then number") << "\u30004" << 4.0;
}

void TestConversions::toNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ToNumber(text), expected);
}

void TestConversions::toNumberFullWidth() {
    // Full-width digits, point, sign and exponent read like ASCII.
    QCOMPARE(ToNumber(QStringLiteral("１２．５")), 12.5);
    QCOMPARE(ToNumber(QStringLiteral("－１．５ｅ２")), -150.0);
    QCOMPARE(ToNumber(QStringLiteral("．")), 0.0);
    QCOMPARE(ToNumber(QStringLiteral("３.５")), 3.5);
    // Other double-byte characters end the number.
    QCOMPARE(ToNumber(QStringLiteral("２中３")), 2.0);
    QCOMPARE(ToNumber(QStringLiteral("中3")), 0.0);
    // The ideographic space is a blank; the wave dash and asterisks are not numbers.
    QCOMPARE(ToNumber(QStringLiteral("　　８")), 8.0);
    QCOMPARE(ToNumber(QStringLiteral("～8")), 0.0);
    // A character outside GBK does not confuse the folding.
    QCOMPARE(ToNumber(QStringLiteral("5\U00020000")), 5.0);
    // Half a surrogate pair ends the number too; the digits beyond stay out.
    QCOMPARE(ToNumber(QStringLiteral("5") + QChar(0xD800) + QStringLiteral("2")), 5.0);
    QCOMPARE(ToNumber(QStringLiteral("5") + QChar(0xDC00) + QStringLiteral("2")), 5.0);
}

void TestConversions::readAs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("how");
    const int number = int(NumberText::Number);
    const int notNumber = int(NumberText::NotNumber);
    const int empty = int(NumberText::Empty);
    QTest::newRow("integer") << QStringLiteral("12") << number;
    QTest::newRow("blanks around") << QStringLiteral("  -1.5e3 ") << number;
    QTest::newRow("full-width digits") << QStringLiteral("１２．５") << number;
    QTest::newRow("unit typed after") << QStringLiteral("12m") << notNumber;
    QTest::newRow("decimal comma") << QStringLiteral("1,5") << notNumber;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << notNumber;
    QTest::newRow("no digit") << QStringLiteral("abc") << notNumber;
    QTest::newRow("point alone") << QStringLiteral(".") << notNumber;
    QTest::newRow("empty") << QString() << empty;
    QTest::newRow("ideographic space") << QStringLiteral("\u3000 ") << empty;
}

void TestConversions::readAs() {
    QFETCH(QString, text);
    QFETCH(int, how);
    QCOMPARE(int(ReadAs(text)), how);
}

void TestConversions::toText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.5") << 2.5 << "2.5";
    QTest::newRow("100.0") << 100.0 << "100";
    QTest::newRow("1/3") << 1.0 / 3.0 << "0.3333333333333";
    QTest::newRow("13 significant") << 123456.7890123456 << "123456.7890123";
    QTest::newRow("0.0001") << 0.0001 << "0.0001";
    QTest::newRow("0.00001") << 0.00001 << "1e-005";
    QTest::newRow("1e13") << 1e13 << "1e+013";
    QTest::newRow("1e15") << 1e15 << "1e+015";
    QTest::newRow("negative zero") << -0.0 << "-0";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("13-digit integer") << 1234567890123.0 << "1234567890123";
    QTest::newRow("14-digit integer") << 12345678901234.0 << "1.234567890123e+013";
    QTest::newRow("negative") << -354.2 << "-354.2";
    QTest::newRow("large exponent") << 1.5e200 << "1.5e+200";
    QTest::newRow("small exponent") << 2.5e-300 << "2.5e-300";
    QTest::newRow("rounds up") << 0.99999999999999 << "1";
    QTest::newRow("provisional leakage") << 1.2356423166624 << "1.235642316662";
}

void TestConversions::toText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(ToText(value), expected);
}

void TestConversions::toTextNonFinite() {
    QCOMPARE(ToText(std::numeric_limits<double>::infinity()), QStringLiteral("inf"));
    QCOMPARE(ToText(-std::numeric_limits<double>::infinity()), QStringLiteral("-inf"));
    QCOMPARE(ToText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("nan"));
    QCOMPARE(ToText(-std::numeric_limits<double>::quiet_NaN()), QStringLiteral("nan"));
    // They read back as 0.
    QCOMPARE(ToNumber(QStringLiteral("inf")), 0.0);
    QCOMPARE(ToNumber(QStringLiteral("nan")), 0.0);
    QCOMPARE(ToText(42), QStringLiteral("42"));
    QCOMPARE(ToText(-7LL), QStringLiteral("-7"));
}

void TestConversions::toTextMatchesReference() {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 16);
    for (int i = 0; i < 600; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random));
        QCOMPARE(ToText(value), ReferenceText(value));
        // Printed texts read back to within the 13 digits shown.
        const double back = ToNumber(ToText(value));
        QVERIFY(std::fabs(back - value) <= std::fabs(value) * 1e-12);
    }
    // Around the 13-digit boundary, where the exponent form begins.
    for (double v : {9999999999999.0, 9999999999999.4, 9999999999999.5, 10000000000000.0, 0.0001,
                     0.000099999999999995, 0.00009999999999999})
        QCOMPARE(ToText(v), ReferenceText(v));
}

void TestConversions::commaLocaleChangesNothing() {
    // The process locale of a German desktop, as QApplication sets it.
    QTemporaryDir dir;
    const QString failure = test::MakeCommaLocale(dir.path());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    QVERIFY(std::setlocale(LC_ALL, test::kCommaLocale));
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 354.2);
    const QString comma = QString::fromLatin1(printed);
    const QString shown = ToText(354.2);
    const QString tiny = ToText(-4.9e-5);
    const double read = ToNumber(QStringLiteral("354.2"));
    const double exponent = ToNumber(QStringLiteral("1.5e+2"));
    std::setlocale(LC_ALL, "C");
    QCOMPARE(comma, QStringLiteral("354,2"));
    QCOMPARE(shown, QStringLiteral("354.2"));
    QCOMPARE(tiny, QStringLiteral("-4.9e-005"));
    QCOMPARE(read, 354.2);
    QCOMPARE(exponent, 150.0);
}

void TestConversions::roundTo_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.345 to 2") << 2.345 << 2 << "2.35";
    QTest::newRow("-2.345 to 2") << -2.345 << 2 << "-2.35";
    QTest::newRow("4.909 to 1") << 4.909 << 1 << "4.9";
    QTest::newRow("tolerance lifts") << 0.4999999999999 << 0 << "1";
    QTest::newRow("below tolerance") << 0.499999999 << 0 << "0";
    QTest::newRow("1234 to -2") << 1234.0 << -2 << "1200";
    QTest::newRow("1250 to -2") << 1250.0 << -2 << "1300";
    QTest::newRow("4.9090909 to 1") << 4.9090909 << 1 << "4.9";
    QTest::newRow("5.0 to 2") << 5.0 << 2 << "5";
    QTest::newRow("0.125 to 2") << 0.125 << 2 << "0.13";
    QTest::newRow("354.2 muck volume") << 100 * 1.15 * 2.8 * 1.1 << 2 << "354.2";
    QTest::newRow("truck count") << 12960.0 / 2640.0 << 1 << "4.9";
    QTest::newRow("mucking time") << 7792.4 / 4320.0 << 2 << "1.8";
    QTest::newRow("zero") << 0.0 << 3 << "0";
    QTest::newRow("integer n 0") << 2.5 << 0 << "3";
    QTest::newRow("negative n 0") << -2.5 << 0 << "-3";
    // Places beyond 10^-308 or 10^308 count as those.
    QTest::newRow("n INT_MIN") << 1234.0 << INT_MIN << "0";
    QTest::newRow("n INT_MAX") << 2.5 << INT_MAX << "2.5";
    QTest::newRow("1 to 400") << 1.0 << 400 << "1";
    QTest::newRow("0.5 to -400") << -0.5 << -400 << "-0";
    // Nothing left to round, or the rounded value would overflow.
    QTest::newRow("1e300 to 10") << 1e300 << 10 << "1e+300";
    QTest::newRow("1.7e308 to -308") << 1.7e308 << -308 << "1.7e+308";
    QTest::newRow("1e308 to -308") << 1.2e308 << -308 << "1e+308";
}

void TestConversions::roundTo() {
    QFETCH(double, x);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(ToText(RoundTo(x, n)), expected);
}

void TestConversions::roundToNegativeZero() {
    const double r = RoundTo(-0.001, 2);
    QCOMPARE(r, 0.0);
    QVERIFY(std::signbit(r));
    QCOMPARE(ToText(r), QStringLiteral("-0"));
    QVERIFY(std::signbit(RoundTo(-0.0, 2)));
    QVERIFY(!std::signbit(RoundTo(0.0, 2)));
}

void TestConversions::roundToHalvesAwayFromZero() {
    // (k + 1/2) units of the last kept place round to k + 1 units, either sign.
    for (int n = -3; n <= 4; ++n) {
        const double unit = std::pow(10.0, -n);
        for (int k = 0; k < 400; k += 7) {
            const double x = (k + 0.5) * unit;
            const double expected = n >= 0 ? (k + 1) / std::pow(10.0, n) : (k + 1) * unit;
            QCOMPARE(RoundTo(x, n), expected);
            QCOMPARE(RoundTo(-x, n), -expected);
            // Just below the half (beyond the tolerance) rounds down.
            const double below = (k + 0.4999) * unit;
            const double down = n >= 0 ? k / std::pow(10.0, n) : k * unit;
            QCOMPARE(RoundTo(below, n), down);
        }
    }
}

void TestConversions::filled() {
    QVERIFY(Filled(QStringLiteral(" ")));
    QVERIFY(Filled(QStringLiteral("abc")));
    QVERIFY(!Filled(QString()));
    QCOMPARE(ToNumber(QStringLiteral(" ")), 0.0);
}

QTEST_APPLESS_MAIN(TestConversions)
#include "test_conversions.moc"
