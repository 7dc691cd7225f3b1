#include <QtTest>
#include <cmath>

#include "core/conversions.h"
#include "modules/ventilation/core/ventilation_formulas.h"

using namespace tunnel;

using Candidates = std::array<double, 5>;
Q_DECLARE_METATYPE(Candidates)

// Each formula against a hand-checked result as the window shows it;
// test_ventilation checks what the command writes where, and in which order.
class TestVentilationFormulas : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void fumeDemand();
    void governingDemand_data();
    void governingDemand();
};

void TestVentilationFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    // clang-format off
    // 2 × 200 × 0.8 + 100 × 0.8 + 50 × 0.8 + 3 × 250 × 0.8 + 250 × 0.5 × 0.8
    QTest::newRow("power of every kind") << DieselPower({2, 200, 1, 100, 1, 50, 3, 1, 250, 1, 0.5, 0.8}) << "1140";
    // 2 × 206 × 0.4 × 0.9
    QTest::newRow("power of empty trucks") << DieselPower({0, 220, 0, 150, 0, 0, 0, 2, 206, 0.8, 0.4, 0.9}) << "148.32";
    QTest::newRow("no power") << DieselPower({}) << "0";
    QTest::newRow("Q1 50 × 1.2 × 4") << PersonsDemand(50, 1.2, 4) << "240";
    QTest::newRow("Q2 45.5 × 0.2 × 60") << SpeedDemand(45.5, 0.2) << "546";
    QTest::newRow("Q3 whole") << ShownFumeDemand(60, 2.5, 0.7, 100, 30) << "405";
    QTest::newRow("Q4 4.5 × 1140") << ExhaustDemand(4.5, 1140) << "5130";
    // 1.2 × 2 / 0.008; 1.15 / 0.007 = 164.2857
    QTest::newRow("Q5 whole") << GasDemand(1.2, 2, 0.01, 0.002) << "300";
    QTest::newRow("Q5 two decimals") << GasDemand(1.15, 1, 0.007, 0) << "164.29";
    QTest::newRow("Q5 without margin") << GasDemand(1.15, 3, 0.005, 0.005) << "inf";
    // 1 / 0.985^14; 1 / 0.98; 1 / 0.98^0.5
    QTest::newRow("leakage of the presets") << LeakageCoefficient(0.015, 1400) << "1.235642316662";
    QTest::newRow("no leakage") << LeakageCoefficient(0, 1400) << "1";
    QTest::newRow("no duct") << LeakageCoefficient(0.015, 0) << "1";
    QTest::newRow("leakage of 100 m") << LeakageCoefficient(0.02, 100) << "1.020408163265";
    QTest::newRow("leakage of 50 m") << LeakageCoefficient(0.02, 50) << "1.010152544552";
    QTest::newRow("leakage shown") << ShownLeakageCoefficient(0.015, 1400) << "1.236";
    QTest::newRow("supply 1200 × 1.236") << FanSupply(1200, 1.236) << "1483.2";
    QTest::newRow("supply 3.7035") << FanSupply(3, 1.2345) << "3.7";
    QTest::newRow("no supply") << FanSupply(0, 1.236) << "0";
    // π × 0.75² = 1.767; π × 0.6² = 1.131
    QTest::newRow("section of 1.5 m") << DuctSection(1.5) << "1.77";
    QTest::newRow("section of 1.2 m") << DuctSection(1.2) << "1.13";
    // 1000 × 20 × 24.72 × 0.0143 / 1.5⁵ = 931.02
    QTest::newRow("friction shown") << ShownFrictionLoss(1000, 1200, 1483.2, 1.5) << "931";
    QTest::newRow("friction without duct") << FrictionLoss(0, 3201.12, 3955.44, 1.8) << "0";
    QTest::newRow("local 12 % of 931") << LocalLoss(931) << "111.72";
    QTest::newRow("pressure") << TotalPressure(111.72, 0, 931) << "1042.72";
    QTest::newRow("other losses alone") << TotalPressure(0, 120, 0) << "120";
    // clang-format on
}

void TestVentilationFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

void TestVentilationFormulas::fumeDemand() {
    // ∛((60 × 100)² × 60 × 2.5 × 0.7) × 7.8 / 30 = 405.0145...
    const double q = FumeDemand(60, 2.5, 0.7, 100, 30);
    QVERIFY(std::abs(q - 405.0145) < 1e-4);
    // Doubling the spread length raises the demand by 2^(2/3).
    QVERIFY(std::abs(FumeDemand(60, 2.5, 0.7, 200, 30) / q - std::cbrt(4.0)) < 1e-12);
    // 1400 × 53.352 × 65.924 × 0.0143 / 1.8⁵ = 3726.454...
    QVERIFY(std::abs(FrictionLoss(1400, 3201.12, 3955.44, 1.8) - 3726.454) < 1e-3);
}

void TestVentilationFormulas::governingDemand_data() {
    using C = Candidates;
    QTest::addColumn<Candidates>("candidates");
    QTest::addColumn<int>("winner");
    // Order: Q1, Q4, Q2, Q3, Q5.
    QTest::newRow("presets") << C{207, 3201.12, 540, 405, 0} << 1;
    QTest::newRow("gas largest") << C{207, 3201.12, 540, 405, 5000} << 4;
    QTest::newRow("Q1 ties Q2") << C{540, 0, 540, 405, 0} << 0;
    QTest::newRow("Q4 ties Q3") << C{207, 600, 540, 600, 0} << 1;
    QTest::newRow("Q2 ties Q5") << C{207, 0, 540, 405, 540} << 2;
    QTest::newRow("within tolerance") << C{207, 0, 540, 540.00000009, 0} << 2;
    QTest::newRow("beyond tolerance") << C{207, 0, 540, 540.0000002, 0} << 3;
    // Q3 is within 1e-7 of the largest, Q5, which itself exceeds Q2 by more.
    QTest::newRow("chain of near ties") << C{207, 0, 540, 540.00000009, 540.00000018} << 3;
    QTest::newRow("all equal") << C{5, 5, 5, 5, 5} << 0;
    QTest::newRow("all zero") << C{0, 0, 0, 0, 0} << -1;
    QTest::newRow("all tiny") << C{1e-8, 5e-8, 0, 0, 0} << -1;
    QTest::newRow("negative") << C{-3, -1, -2, -5, 0} << -1;
    QTest::newRow("only Q3") << C{0, 0, 0, 0.5, 0} << 3;
}

void TestVentilationFormulas::governingDemand() {
    QFETCH(Candidates, candidates);
    QFETCH(int, winner);
    QCOMPARE(GoverningDemand(candidates), winner);
}

QTEST_GUILESS_MAIN(TestVentilationFormulas)
#include "test_ventilation_formulas.moc"
