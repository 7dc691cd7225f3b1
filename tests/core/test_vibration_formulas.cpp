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

// Results as the window shows them.
class TestVibrationFormulas : public QObject {
    Q_OBJECT
private slots:
    void blastVelocity_data();
    void blastVelocity();
    void judgeVelocity_data();
    void judgeVelocity();
    void negativeInput_data();
    void negativeInput();
    void maxChargePerDelay_data();
    void maxChargePerDelay();
    void safeDistance_data();
    void safeDistance();
    void shelterDistance_data();
    void shelterDistance();
};

void TestVibrationFormulas::blastVelocity_data() {
    QTest::addColumn<double>("q");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<QString>("v");
    // 250 × (4.93242 / 25)² = 9.7316
    QTest::newRow("presets") << 120.0 << 250.0 << 25.0 << 2.0 << "9.73";
    // 150 × (6.69433 / 40)^1.5 = 10.2696
    QTest::newRow("hand check") << 300.0 << 150.0 << 40.0 << 1.5 << "10.27";
    // 250 × (4.93242 / 25)^-2 = 6422.43
    QTest::newRow("negative alpha") << 120.0 << 250.0 << 25.0 << -2.0 << "6422.43";
    // No real cube root of a negative charge.
    QTest::newRow("negative charge") << -120.0 << 250.0 << 25.0 << 2.0 << "nan";
    QTest::newRow("zero distance") << 120.0 << 250.0 << 0.0 << 2.0 << "inf";
}

void TestVibrationFormulas::blastVelocity() {
    QFETCH(double, q);
    QFETCH(double, k);
    QFETCH(double, r);
    QFETCH(double, alpha);
    QTEST(ToText(BlastVelocity({q, k, r, alpha})), "v");
}

void TestVibrationFormulas::judgeVelocity_data() {
    QTest::addColumn<double>("velocity");
    QTest::addColumn<Limit>("limit");
    QTest::addColumn<VelocityVerdict>("verdict");
    QTest::newRow("below") << 9.73 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("at the limit") << 10.0 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("within tolerance") << 10.00000005 << Limit(10) << VelocityVerdict::Pass;
    QTest::newRow("beyond tolerance") << 10.0000002 << Limit(10) << VelocityVerdict::Fail;
    QTest::newRow("above") << 10.27 << Limit(10) << VelocityVerdict::Fail;
    QTest::newRow("unbounded") << kInf << Limit(25) << VelocityVerdict::Fail;
    QTest::newRow("nan") << kNan << Limit(25) << VelocityVerdict::None;
    QTest::newRow("no class") << 0.5 << Limit() << VelocityVerdict::None;
}

void TestVibrationFormulas::judgeVelocity() {
    QFETCH(double, velocity);
    QFETCH(Limit, limit);
    QTEST(JudgeVelocity(velocity, limit), "verdict");
}

void TestVibrationFormulas::negativeInput_data() {
    QTest::addColumn<double>("velocity");
    QTest::addColumn<double>("q");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<bool>("negative");
    QTest::newRow("presets") << 9.73 << 120.0 << 250.0 << 2.0 << false;
    QTest::newRow("alpha") << 6422.43 << 120.0 << 250.0 << -2.0 << true;
    QTest::newRow("charge, nan velocity") << kNan << -120.0 << 250.0 << 2.0 << true;
    QTest::newRow("K and velocity") << -9.73 << 120.0 << -250.0 << 2.0 << true;
    QTest::newRow("velocity alone") << -0.01 << 120.0 << 250.0 << 2.0 << true;
    QTest::newRow("within tolerance") << -1e-8 << -1e-8 << -1e-8 << -1e-8 << false;
}

void TestVibrationFormulas::negativeInput() {
    QFETCH(double, velocity);
    QFETCH(double, q);
    QFETCH(double, k);
    QFETCH(double, alpha);
    QTEST(NegativeVelocityInput(velocity,
                                {.charge = q, .factor = k, .distance = 25, .exponent = alpha}),
          "negative");
}

void TestVibrationFormulas::maxChargePerDelay_data() {
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("v");
    QTest::addColumn<QString>("qmax");
    // 25³ × (9.73 / 250)^1.5 = 119.97
    QTest::newRow("presets") << 2.0 << 250.0 << 25.0 << 9.73 << "119.97";
    // 50³ × (2.5 / 150)² = 34.722
    QTest::newRow("hand check") << 1.5 << 150.0 << 50.0 << 2.5 << "34.72";
    QTest::newRow("zero K") << 2.0 << 0.0 << 25.0 << 9.73 << "inf";
}

void TestVibrationFormulas::maxChargePerDelay() {
    QFETCH(double, alpha);
    QFETCH(double, k);
    QFETCH(double, r);
    QFETCH(double, v);
    QTEST(ToText(MaxChargePerDelay({alpha, k, r, v})), "qmax");
}

void TestVibrationFormulas::safeDistance_data() {
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("q");
    QTest::addColumn<double>("v");
    QTest::addColumn<QString>("r");
    // 4.93242 × (250 / 9.73)^0.5 = 25.002
    QTest::newRow("presets") << 2.0 << 250.0 << 120.0 << 9.73 << "25";
    // 6.69433 × 60^(2/3) = 102.60
    QTest::newRow("hand check") << 1.5 << 150.0 << 300.0 << 2.5 << "102.6";
    QTest::newRow("zero V") << 2.0 << 250.0 << 120.0 << 0.0 << "inf";
}

void TestVibrationFormulas::safeDistance() {
    QFETCH(double, alpha);
    QFETCH(double, k);
    QFETCH(double, q);
    QFETCH(double, v);
    QTEST(ToText(SafeDistance({alpha, k, q, v})), "r");
}

void TestVibrationFormulas::shelterDistance_data() {
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("rk");
    QTest::newRow("largest preset charge") << 119.97 << "123.3";
    QTest::newRow("preset charge") << 120.0 << "123.31";
    QTest::newRow("hand check charge") << 34.72 << "81.56";
    QTest::newRow("300 kg") << 300.0 << "167.36";
    QTest::newRow("cube") << 8.0 << "50";
    QTest::newRow("none") << 0.0 << "0";
    QTest::newRow("unbounded") << kInf << "inf";
}

void TestVibrationFormulas::shelterDistance() {
    QFETCH(double, q);
    QTEST(ToText(ShelterDistance(q)), "rk");
}

QTEST_GUILESS_MAIN(TestVibrationFormulas)
#include "test_vibration_formulas.moc"
