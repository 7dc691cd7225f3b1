#include <QtTest>
#include <cmath>
#include <limits>

#include "core/conversions.h"
#include "modules/ventilation/core/ventilation_formulas.h"

using namespace tunnel;

using Candidates = std::array<double, 5>;
Q_DECLARE_METATYPE(Candidates)
Q_DECLARE_METATYPE(DieselFleet)

// The formulas on their own; test_ventilation checks what the command
// writes where, and in which order.
class TestVentilationFormulas : public QObject {
    Q_OBJECT
private slots:
    void dieselPower_data();
    void dieselPower();
    void demands();
    void gasDemand_data();
    void gasDemand();
    void leakageCoefficient_data();
    void leakageCoefficient();
    void fumeDemand();
    void frictionLoss();
    void governingDemand_data();
    void governingDemand();
    void supplyAndDuct();
    void pressures();
};

void TestVentilationFormulas::dieselPower_data() {
    QTest::addColumn<DieselFleet>("fleet");
    QTest::addColumn<QString>("shown");
    // 2 × 200 × 0.8 + 100 × 0.8 + 50 × 0.8 + 3 × 250 × 0.8 + 250 × 0.5 × 0.8
    QTest::newRow("every kind") << DieselFleet{2, 200, 1, 100, 1, 50, 3, 1, 250, 1, 0.5, 0.8}
                                << "1140";
    // Empty trucks only: 2 × 206 × 0.4 × 0.9
    QTest::newRow("empty trucks") << DieselFleet{0, 220, 0, 150, 0, 0, 0, 2, 206, 0.8, 0.4, 0.9}
                                  << "148.32";
    QTest::newRow("nothing running") << DieselFleet{} << "0";
}

void TestVentilationFormulas::dieselPower() {
    QFETCH(DieselFleet, fleet);
    QTEST(ToText(DieselPower(fleet)), "shown");
}

void TestVentilationFormulas::demands() {
    QCOMPARE(ToText(PersonsDemand(50, 1.2, 4)), QStringLiteral("240"));
    QCOMPARE(ToText(PersonsDemand(0, 1.2, 4)), QStringLiteral("0"));
    QCOMPARE(ToText(SpeedDemand(45.5, 0.2)), QStringLiteral("546"));
    QCOMPARE(ToText(SpeedDemand(80, 0.25)), QStringLiteral("1200"));
    QCOMPARE(ToText(ExhaustDemand(4.5, 1140)), QStringLiteral("5130"));
}

void TestVentilationFormulas::gasDemand_data() {
    QTest::addColumn<double>("reserve");
    QTest::addColumn<double>("emission");
    QTest::addColumn<double>("allowed");
    QTest::addColumn<double>("supplied");
    QTest::addColumn<QString>("shown");
    // 1.2 × 2 / 0.008
    QTest::newRow("whole") << 1.2 << 2.0 << 0.01 << 0.002 << "300";
    // 1.15 / 0.007 = 164.2857
    QTest::newRow("two decimals") << 1.15 << 1.0 << 0.007 << 0.0 << "164.29";
    QTest::newRow("no margin") << 1.15 << 3.0 << 0.005 << 0.005 << "inf";
}

void TestVentilationFormulas::gasDemand() {
    QFETCH(double, reserve);
    QFETCH(double, emission);
    QFETCH(double, allowed);
    QFETCH(double, supplied);
    QTEST(ToText(GasDemand(reserve, emission, allowed, supplied)), "shown");
}

void TestVentilationFormulas::leakageCoefficient_data() {
    QTest::addColumn<double>("beta");
    QTest::addColumn<double>("length");
    QTest::addColumn<QString>("shown");
    QTest::newRow("presets") << 0.015 << 1400.0 << "1.235642316662";
    QTest::newRow("no leakage") << 0.0 << 1400.0 << "1";
    QTest::newRow("no length") << 0.015 << 0.0 << "1";
    QTest::newRow("one hundred metres") << 0.02 << 100.0 << "1.020408163265";
    QTest::newRow("part of a hundred") << 0.02 << 50.0 << "1.010152544552";
}

void TestVentilationFormulas::leakageCoefficient() {
    QFETCH(double, beta);
    QFETCH(double, length);
    QFETCH(QString, shown);
    QCOMPARE(ToText(LeakageCoefficient(beta, length)), shown);
}

void TestVentilationFormulas::fumeDemand() {
    // ∛((60 × 100)² × 60 × 2.5 × 0.7) × 7.8 / 30 = 405.0145...
    const double q = FumeDemand(60, 2.5, 0.7, 100, 30);
    QVERIFY(std::abs(q - 405.0145) < 1e-4);
    QCOMPARE(ToText(ShownFumeDemand(60, 2.5, 0.7, 100, 30)), QStringLiteral("405"));
    // Doubling the spread length raises the demand by 2^(2/3).
    QVERIFY(std::abs(FumeDemand(60, 2.5, 0.7, 200, 30) / q - std::cbrt(4.0)) < 1e-12);
}

void TestVentilationFormulas::frictionLoss() {
    // 1400 × 53.352 × 65.924 × 0.0143 / 1.8⁵ = 3726.454...
    const double h = FrictionLoss(1400, 3201.12, 3955.44, 1.8);
    QVERIFY(std::abs(h - 3726.454) < 1e-3);
    QCOMPARE(FrictionLoss(0, 3201.12, 3955.44, 1.8), 0.0);
    // 1000 × 20 × 24.72 × 0.0143 / 1.5⁵ = 931.02
    QCOMPARE(ToText(ShownFrictionLoss(1000, 1200, 1483.2, 1.5)), QStringLiteral("931"));
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

void TestVentilationFormulas::supplyAndDuct() {
    QCOMPARE(ToText(ShownLeakageCoefficient(0.02, 50)), QStringLiteral("1.01"));
    QCOMPARE(ToText(ShownLeakageCoefficient(0.015, 1400)), QStringLiteral("1.236"));
    QCOMPARE(ToText(FanSupply(1200, 1.236)), QStringLiteral("1483.2"));
    // 1000 × 1.2345 = 1234.5 exactly; 3 × 1.2345 = 3.7035 rounds up
    QCOMPARE(ToText(FanSupply(1000, 1.2345)), QStringLiteral("1234.5"));
    QCOMPARE(ToText(FanSupply(3, 1.2345)), QStringLiteral("3.7"));
    QCOMPARE(ToText(FanSupply(0, 1.236)), QStringLiteral("0"));
    // π × 0.75² = 1.767; π × 0.6² = 1.131
    QCOMPARE(ToText(DuctSection(1.5)), QStringLiteral("1.77"));
    QCOMPARE(ToText(DuctSection(1.2)), QStringLiteral("1.13"));
    QCOMPARE(ToText(DuctSection(0)), QStringLiteral("0"));
}

void TestVentilationFormulas::pressures() {
    QCOMPARE(ToText(LocalLoss(931)), QStringLiteral("111.72"));
    QCOMPARE(ToText(LocalLoss(0)), QStringLiteral("0"));
    QCOMPARE(ToText(TotalPressure(111.72, 0, 931)), QStringLiteral("1042.72"));
    QCOMPARE(ToText(TotalPressure(0, 120, 0)), QStringLiteral("120"));
}

QTEST_GUILESS_MAIN(TestVentilationFormulas)
#include "test_ventilation_formulas.moc"
