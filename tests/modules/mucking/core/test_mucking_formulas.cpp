#include <QtTest>

#include "core/conversions.h"
#include "modules/mucking/core/mucking_formulas.h"

using namespace tunnel;

// Each formula against a hand-checked result as the window shows it.
class TestMuckingFormulas : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void trucksToProvide_data();
    void trucksToProvide();
};

void TestMuckingFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    // clang-format off
    // Z = S × R × L × Δ
    QTest::newRow("muck of the presets") << MuckPerRound({100, 1.15, 2.8, 1.1}) << "354.2";
    QTest::newRow("muck whole") << MuckPerRound({50, 1.5, 3, 1.2}) << "270";
    QTest::newRow("muck half a hundredth up") << MuckPerRound({1, 1, 1, 0.125}) << "0.13";
    QTest::newRow("muck below half") << MuckPerRound({1, 1, 1, 0.1249}) << "0.12";
    QTest::newRow("no area") << MuckPerRound({0, 1.15, 2.8, 1.1}) << "0";
    // L × 7.2 × V1 / (V2 × S' × T1): 12960 / 2640 = 4.909; 7200 / 2000; 28800 / 1920
    QTest::newRow("trucks of the presets") << TrucksNeeded({1500, 1.2, 12, 10, 22}) << "4.9";
    QTest::newRow("trucks one decimal") << TrucksNeeded({1000, 1, 10, 10, 20}) << "3.6";
    QTest::newRow("trucks whole") << TrucksNeeded({2000, 2, 10, 8, 24}) << "15";
    // 3.6 / 24 = 0.15
    QTest::newRow("trucks half a tenth up") << TrucksNeeded({1, 0.5, 1, 1, 24}) << "0.2";
    QTest::newRow("standing trucks") << TrucksNeeded({1500, 1.2, 12, 0, 22}) << "inf";
    // Z × T1 / (V1 × 3600): 7792.4 / 4320 = 1.8038; 3000 / 7200 = 0.4167
    QTest::newRow("hours of the presets") << MuckingHours({354.2, 22, 1.2}) << "1.8";
    QTest::newRow("hours two decimals") << MuckingHours({100, 30, 2}) << "0.42";
    QTest::newRow("one hour") << MuckingHours({360, 10, 1}) << "1";
    QTest::newRow("no bucket") << MuckingHours({100, 30, 0}) << "inf";
    // clang-format on
}

void TestMuckingFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

void TestMuckingFormulas::trucksToProvide_data() {
    QTest::addColumn<double>("shown");
    QTest::addColumn<QString>("whole");  // empty: none
    QTest::newRow("4.9 up") << 4.9 << "5";
    QTest::newRow("5 stays") << 5.0 << "5";
    QTest::newRow("5 within tolerance") << 5.00000005 << "5";
    QTest::newRow("5.1 up") << 5.1 << "6";
    QTest::newRow("none needed") << 0.0 << "0";
    QTest::newRow("infinite") << qInf() << "";
    QTest::newRow("nan") << qQNaN() << "";
    QTest::newRow("negative") << -0.1 << "";
}

void TestMuckingFormulas::trucksToProvide() {
    QFETCH(double, shown);
    const std::optional<double> whole = TrucksToProvide(shown);
    QTEST(whole ? ToText(*whole) : QString(), "whole");
}

QTEST_GUILESS_MAIN(TestMuckingFormulas)
#include "test_mucking_formulas.moc"
