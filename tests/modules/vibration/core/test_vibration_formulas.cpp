#include <QtTest>
#include <limits>
#include <optional>

#include "core/conversions.h"
#include "modules/vibration/core/vibration_formulas.h"

using namespace tunnel;

using Limit = std::optional<double>;
Q_DECLARE_METATYPE(Limit)
Q_DECLARE_METATYPE(VelocityVerdict)

namespace {
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

// Each formula against a hand-checked result as the window shows it.
class TestVibrationFormulas : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void judgeVelocity_data();
    void judgeVelocity();
    void negativeInput();
    void shelterFormulaApplies();
};

void TestVibrationFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    // clang-format off
    // V = K (∛Q / R)^α: 250 × (4.93242 / 25)² = 9.7316; 150 × (6.69433 / 40)^1.5 = 10.2696
    QTest::newRow("velocity of the presets") << BlastVelocity({120, 250, 25, 2}) << "9.73";
    QTest::newRow("velocity hand check") << BlastVelocity({300, 150, 40, 1.5}) << "10.27";
    QTest::newRow("velocity negative alpha") << BlastVelocity({120, 250, 25, -2}) << "6422.43";
    // No real cube root of a negative charge.
    QTest::newRow("velocity negative charge") << BlastVelocity({-120, 250, 25, 2}) << "nan";
    QTest::newRow("velocity at the blast") << BlastVelocity({120, 250, 0, 2}) << "inf";
    // Qmax = R³ (V / K)^(3 / α): 15625 × 0.038920^1.5 = 119.97; 125000 × (2.5 / 150)² = 34.72
    QTest::newRow("charge of the presets") << MaxChargePerDelay({2, 250, 25, 9.73}) << "119.97";
    QTest::newRow("charge hand check") << MaxChargePerDelay({1.5, 150, 50, 2.5}) << "34.72";
    QTest::newRow("charge without K") << MaxChargePerDelay({2, 0, 25, 9.73}) << "inf";
    // R = ∛Q (K / V)^(1 / α): 4.93242 × 5.0689 = 25.002; 6.69433 × 60^(2/3) = 102.60
    QTest::newRow("distance of the presets") << SafeDistance({2, 250, 120, 9.73}) << "25";
    QTest::newRow("distance hand check") << SafeDistance({1.5, 150, 300, 2.5}) << "102.6";
    QTest::newRow("distance without V") << SafeDistance({2, 250, 120, 0}) << "inf";
    // 25 ∛Q
    QTest::newRow("shelter of 119.97 kg") << ShelterDistance(119.97) << "123.3";
    QTest::newRow("shelter of 120 kg") << ShelterDistance(120) << "123.31";
    QTest::newRow("shelter of 34.72 kg") << ShelterDistance(34.72) << "81.56";
    QTest::newRow("shelter of 8 kg") << ShelterDistance(8) << "50";
    QTest::newRow("shelter of nothing") << ShelterDistance(0) << "0";
    QTest::newRow("shelter unbounded") << ShelterDistance(kInf) << "inf";
    // clang-format on
}

void TestVibrationFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

void TestVibrationFormulas::judgeVelocity_data() {
    QTest::addColumn<double>("velocity");
    QTest::addColumn<Limit>("limit");
    QTest::addColumn<VelocityVerdict>("verdict");
    QTest::newRow("below") << 9.73 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("at the limit") << 10.0 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("within tolerance") << 10.00000005 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("beyond tolerance") << 10.0000002 << Limit(10) << VelocityVerdict::Fail;
    QTest::newRow("unbounded") << kInf << Limit(25) << VelocityVerdict::Fail;
    QTest::newRow("nan") << kNan << Limit(25) << VelocityVerdict::None;
    QTest::newRow("no class") << 0.5 << Limit() << VelocityVerdict::None;
}

void TestVibrationFormulas::judgeVelocity() {
    QFETCH(double, velocity);
    QFETCH(Limit, limit);
    QTEST(JudgeVelocity(velocity, limit), "verdict");
}

void TestVibrationFormulas::negativeInput() {
    QVERIFY(!NegativeVelocityInput(9.73, {120, 250, 25, 2}));
    QVERIFY(NegativeVelocityInput(6422.43, {120, 250, 25, -2}));
    QVERIFY(NegativeVelocityInput(kNan, {-120, 250, 25, 2}));
    QVERIFY(NegativeVelocityInput(-9.73, {120, -250, 25, 2}));
    QVERIFY(NegativeVelocityInput(-0.01, {120, 250, 25, 2}));
    // The distance is not checked; within 1e-7 counts as zero.
    QVERIFY(!NegativeVelocityInput(9.73, {120, 250, -25, 2}));
    QVERIFY(!NegativeVelocityInput(-1e-8, {-1e-8, -1e-8, 25, -1e-8}));
}

void TestVibrationFormulas::shelterFormulaApplies() {
    QVERIFY(ShelterFormulaApplies(25));
    QVERIFY(ShelterFormulaApplies(25.00000005));
    QVERIFY(!ShelterFormulaApplies(25.01));
    QVERIFY(!ShelterFormulaApplies(kInf));
}

QTEST_GUILESS_MAIN(TestVibrationFormulas)
#include "test_vibration_formulas.moc"
