#include <QtTest>

#include "core/conversions.h"
#include "modules/mucking/core/mucking_formulas.h"

using namespace tunnel;

// Each row's result as the window shows it.
class TestMuckingFormulas : public QObject {
    Q_OBJECT
private slots:
    void muckPerRound_data();
    void muckPerRound();
    void trucksNeeded_data();
    void trucksNeeded();
    void muckingHours_data();
    void muckingHours();
};

void TestMuckingFormulas::muckPerRound_data() {
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("bulking");
    QTest::addColumn<double>("advance");
    QTest::addColumn<double>("overbreak");
    QTest::addColumn<QString>("shown");
    // 100 × 1.15 × 2.8 × 1.1
    QTest::newRow("presets") << 100.0 << 1.15 << 2.8 << 1.1 << "354.2";
    QTest::newRow("whole") << 50.0 << 1.5 << 3.0 << 1.2 << "270";
    QTest::newRow("half a hundredth rounds up") << 1.0 << 1.0 << 1.0 << 0.125 << "0.13";
    QTest::newRow("below half stays") << 1.0 << 1.0 << 1.0 << 0.1249 << "0.12";
    QTest::newRow("no area") << 0.0 << 1.15 << 2.8 << 1.1 << "0";
}

void TestMuckingFormulas::muckPerRound() {
    QFETCH(double, area);
    QFETCH(double, bulking);
    QFETCH(double, advance);
    QFETCH(double, overbreak);
    QFETCH(QString, shown);
    QCOMPARE(ToText(MuckPerRound({area, bulking, advance, overbreak})), shown);
}

void TestMuckingFormulas::trucksNeeded_data() {
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("bucket");
    QTest::addColumn<double>("body");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("loadTime");
    QTest::addColumn<QString>("shown");
    // 1500 × 7.2 × 1.2 / (12 × 10 × 22) = 12960 / 2640 = 4.909
    QTest::newRow("presets") << 1500.0 << 1.2 << 12.0 << 10.0 << 22.0 << "4.9";
    // 7200 / 2000
    QTest::newRow("one decimal") << 1000.0 << 1.0 << 10.0 << 10.0 << 20.0 << "3.6";
    // 28800 / 1920
    QTest::newRow("whole") << 2000.0 << 2.0 << 10.0 << 8.0 << 24.0 << "15";
    // 7.2 × 0.5 / (1 × 1 × 24) = 0.15
    QTest::newRow("half a tenth rounds up") << 1.0 << 0.5 << 1.0 << 1.0 << 24.0 << "0.2";
    QTest::newRow("standing trucks") << 1500.0 << 1.2 << 12.0 << 0.0 << 22.0 << "inf";
}

void TestMuckingFormulas::trucksNeeded() {
    QFETCH(double, distance);
    QFETCH(double, bucket);
    QFETCH(double, body);
    QFETCH(double, speed);
    QFETCH(double, loadTime);
    QFETCH(QString, shown);
    QCOMPARE(ToText(TrucksNeeded({distance, bucket, body, speed, loadTime})), shown);
}

void TestMuckingFormulas::muckingHours_data() {
    QTest::addColumn<double>("muck");
    QTest::addColumn<double>("loadTime");
    QTest::addColumn<double>("bucket");
    QTest::addColumn<QString>("shown");
    // 354.2 × 22 / 4320 = 1.8038
    QTest::newRow("presets") << 354.2 << 22.0 << 1.2 << "1.8";
    // 3000 / 7200 = 0.41667
    QTest::newRow("two decimals") << 100.0 << 30.0 << 2.0 << "0.42";
    QTest::newRow("one hour") << 360.0 << 10.0 << 1.0 << "1";
    QTest::newRow("no bucket") << 100.0 << 30.0 << 0.0 << "inf";
}

void TestMuckingFormulas::muckingHours() {
    QFETCH(double, muck);
    QFETCH(double, loadTime);
    QFETCH(double, bucket);
    QFETCH(QString, shown);
    QCOMPARE(ToText(MuckingHours({muck, loadTime, bucket})), shown);
}

QTEST_GUILESS_MAIN(TestMuckingFormulas)
#include "test_mucking_formulas.moc"
