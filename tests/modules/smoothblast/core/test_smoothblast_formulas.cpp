#include <QtTest>

#include "core/conversions.h"
#include "modules/smoothblast/core/smoothblast_formulas.h"

using namespace tunnel;

Q_DECLARE_METATYPE(HalfCastVerdict)

// Each formula against a hand-checked result as the window shows it. The
// chain of the calculate command, each step reading the earlier ones back,
// is test_smoothblast's.
class TestSmoothBlastFormulas : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void judgeHalfCast_data();
    void judgeHalfCast();
};

void TestSmoothBlastFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("round 2 × 100 × 1.2") << RoundCharge(2, 100, 1.2) << "240";
    QTest::newRow("round 81.405 kg") << RoundCharge(1.5, 60.3, 0.9) << "81";
    QTest::newRow("round 137.5 kg up") << RoundCharge(2.5, 50, 1.1) << "138";
    QTest::newRow("per hole 2 × 0.3") << ChargePerHole(2, 0.3) << "0.6";
    QTest::newRow("per hole 3 × 0.25") << ChargePerHole(3, 0.25) << "0.75";
    QTest::newRow("ratio 60 / 75") << SpacingRatio(60, 75) << "0.8";
    QTest::newRow("ratio without spacing") << SpacingRatio(0, 62.5) << "0";
    QTest::newRow("ratio of nothing") << SpacingRatio(0, 0) << "nan";
    QTest::newRow("perimeter 30 / 0.6 + 1") << PerimeterHoles(30, 60) << "51";
    QTest::newRow("perimeter 46.56 up") << PerimeterHoles(20.5, 45) << "47";
    QTest::newRow("perimeter without spacing") << PerimeterHoles(10, 0) << "inf";
    QTest::newRow("floor 12 / 0.6") << FloorHoles(12, 60) << "20";
    QTest::newRow("floor 23.56 up") << FloorHoles(10.6, 45) << "24";
    QTest::newRow("type 25.5 kg up") << TypeCharge(0.5, 51) << "26";
    QTest::newRow("type 0.6 × 20") << TypeCharge(0.6, 20) << "12";
    QTest::newRow("type without holes") << TypeCharge(0.54, 0) << "0";
    QTest::newRow("cut unrounded") << CutCharge(0.66, 5) << "3.3";
    QTest::newRow("auxiliary 198.7 kg") << AuxiliaryCharge(240, 26, 12, 3.3) << "199";
    QTest::newRow("auxiliary overdrawn") << AuxiliaryCharge(100, 60, 30, 20) << "-10";
    // -0.4 rounds to zero with its sign.
    QTest::newRow("auxiliary just overdrawn") << AuxiliaryCharge(50, 20, 20, 10.4) << "-0";
    QTest::newRow("auxiliary holes 199 / 0.6 up") << AuxiliaryHoles(199, 0.6) << "332";
    QTest::newRow("auxiliary holes 30 / 0.75") << AuxiliaryHoles(30, 0.75) << "40";
    QTest::newRow("auxiliary holes overdrawn") << AuxiliaryHoles(-10, 0.6) << "-17";
    QTest::newRow("auxiliary holes without charge") << AuxiliaryHoles(199, 0) << "inf";
    QTest::newRow("diameter 26.25 mm") << ChargeDiameter(42, 1.6) << "26";
    QTest::newRow("diameter 25.5 mm up") << ChargeDiameter(51, 2) << "26";
    QTest::newRow("total holes") << TotalHoles(6, 337, 51, 20) << "414";
    QTest::newRow("burden 1.25 × 60") << BurdenFor(60) << "75";
    QTest::newRow("burden 1.25 × 45.5") << BurdenFor(45.5) << "56.875";
    QTest::newRow("half-cast 40 of 50") << HalfCastFactor(40, 50) << "80";
    QTest::newRow("half-cast 2 of 3") << HalfCastFactor(2, 3) << "66.67";
    QTest::newRow("half-cast of no holes") << HalfCastFactor(1, 0) << "inf";
    // clang-format on
}

void TestSmoothBlastFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

void TestSmoothBlastFormulas::judgeHalfCast_data() {
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("share");
    QTest::addColumn<HalfCastVerdict>("verdict");
    QTest::newRow("at the share") << 80.0 << 80.0 << HalfCastVerdict::Pass;
    QTest::newRow("within tolerance below") << 79.99999995 << 80.0 << HalfCastVerdict::Pass;
    QTest::newRow("a hundredth below") << 79.99 << 80.0 << HalfCastVerdict::Fail;
    QTest::newRow("all holes") << 100.0 << 50.0 << HalfCastVerdict::Pass;
    QTest::newRow("within tolerance above all") << 100.00000005 << 50.0 << HalfCastVerdict::Pass;
    QTest::newRow("more than all") << 100.01 << 50.0 << HalfCastVerdict::Impossible;
    QTest::newRow("none") << 0.0 << 50.0 << HalfCastVerdict::Fail;
}

void TestSmoothBlastFormulas::judgeHalfCast() {
    QFETCH(double, factor);
    QFETCH(double, share);
    QTEST(JudgeHalfCast(factor, share), "verdict");
}

QTEST_GUILESS_MAIN(TestSmoothBlastFormulas)
#include "test_smoothblast_formulas.moc"
