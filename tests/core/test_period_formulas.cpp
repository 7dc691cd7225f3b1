#include <QtTest>

#include "core/conversions.h"
#include "modules/period/core/period_formulas.h"

using namespace tunnel;

Q_DECLARE_METATYPE(StretchColumn)

// Results as the window shows them. The whole row, with each step reading
// the earlier ones back from their fields, is test_period's.
class TestPeriodFormulas : public QObject {
    Q_OBJECT
private slots:
    void stretchComplete_data();
    void stretchComplete();
    void stretchCycles_data();
    void stretchCycles();
    void dayAdvance_data();
    void dayAdvance();
    void stretchPeriods_data();
    void stretchPeriods();
    void sumStretches_data();
    void sumStretches();
};

void TestPeriodFormulas::stretchComplete_data() {
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("cycleTime");
    QTest::addColumn<double>("advance");
    QTest::addColumn<bool>("complete");
    QTest::newRow("all given") << 1600.0 << 11.8 << 4.0 << true;
    QTest::newRow("advance at threshold") << 1600.0 << 11.8 << 1e-7 << false;
    QTest::newRow("just above threshold") << 2e-7 << 24.0 << 2e-7 << true;
    QTest::newRow("negative time") << 1600.0 << -11.8 << 4.0 << false;
    QTest::newRow("no length") << 0.0 << 11.8 << 4.0 << false;
}

void TestPeriodFormulas::stretchComplete() {
    QFETCH(double, length);
    QFETCH(double, cycleTime);
    QFETCH(double, advance);
    QTEST(StretchComplete(length, cycleTime, advance), "complete");
}

void TestPeriodFormulas::stretchCycles_data() {
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("advance");
    QTest::addColumn<double>("cycleTime");
    QTest::addColumn<QStringList>("shown");  // Nc Nm Nd
    // 24 / 11.8 = 2.0339 a day, 61.017 a month
    QTest::newRow("1600 4 11.8") << 1600.0 << 4.0 << 11.8 << QStringList{"400", "61.02", "2.03"};
    // 546.667 cycles; 24 / 14 = 1.7143 a day, 51.429 a month
    QTest::newRow("820 1.5 14") << 820.0 << 1.5 << 14.0 << QStringList{"546.67", "51.43", "1.71"};
    // 0.004 cycles a day show as none
    QTest::newRow("cycle time 6000 h")
        << 100.0 << 3.0 << 6000.0 << QStringList{"33.33", "0.12", "0"};
}

void TestPeriodFormulas::stretchCycles() {
    QFETCH(double, length);
    QFETCH(double, advance);
    QFETCH(double, cycleTime);
    const CycleCounts counts = StretchCycles(length, advance, cycleTime);
    QTEST(
        (QStringList{ToText(counts.cycles), ToText(counts.monthCycles), ToText(counts.dayCycles)}),
        "shown");
}

void TestPeriodFormulas::dayAdvance_data() {
    QTest::addColumn<double>("advance");
    QTest::addColumn<double>("dayCycles");
    QTest::addColumn<QString>("shown");
    QTest::newRow("4 m, 2.03 cycles") << 4.0 << 2.03 << "8.12";
    QTest::newRow("2.5 m, 1.88 cycles") << 2.5 << 1.88 << "4.7";
    QTest::newRow("below half a hundredth") << 0.001 << 2.0 << "0";
    QTest::newRow("no cycles") << 3.0 << 0.0 << "0";
}

void TestPeriodFormulas::dayAdvance() {
    QFETCH(double, advance);
    QFETCH(double, dayCycles);
    QTEST(ToText(DayAdvance(advance, dayCycles)), "shown");
}

void TestPeriodFormulas::stretchPeriods_data() {
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("dayAdvance");
    QTest::addColumn<QStringList>("shown");  // Am Pd Pm Py
    // 1600 / 8.12 = 197.044 days, 6.568 months, 0.5398 years
    QTest::newRow("1600 m at 8.12 m")
        << 1600.0 << 8.12 << QStringList{"243.6", "197.04", "6.57", "0.54"};
    // 450 / 4.7 = 95.745 days, 3.1915 months, 0.2623 years
    QTest::newRow("450 m at 4.7 m") << 450.0 << 4.7 << QStringList{"141", "95.74", "3.19", "0.26"};
    QTest::newRow("no advance") << 100.0 << 0.0 << QStringList{"0", "inf", "inf", "inf"};
}

void TestPeriodFormulas::stretchPeriods() {
    QFETCH(double, length);
    QFETCH(double, dayAdvance);
    const StretchPeriods p = StretchPeriodsFor(length, dayAdvance);
    QTEST((QStringList{ToText(p.monthAdvance), ToText(p.days), ToText(p.months), ToText(p.years)}),
          "shown");
}

void TestPeriodFormulas::sumStretches_data() {
    using C = StretchColumn;
    QTest::addColumn<C>("lengths");
    QTest::addColumn<C>("cycles");
    QTest::addColumn<C>("days");
    QTest::addColumn<C>("months");
    QTest::addColumn<C>("years");
    QTest::addColumn<QStringList>("shown");  // L Nc Pd Pm Py
    QTest::newRow("nothing") << C{} << C{} << C{} << C{} << C{}
                             << QStringList{"0", "0", "0", "0", "0"};
    // Half a cycle rounds up, 0.49 of a day down; months and years stay as summed.
    QTest::newRow("rounded where whole")
        << C{1600, 0, 450.5} << C{100.4, 0, 0.1} << C{50.25, 0, 50.24} << C{1.67, 1.67, 1.67}
        << C{0.14, 0.14, 0.14} << QStringList{"2050.5", "101", "100", "5.01", "0.42"};
    QTest::newRow("last stretch only")
        << C{0, 0, 0, 0, 0, 820} << C{0, 0, 0, 0, 0, 546.67} << C{0, 0, 0, 0, 0, 318.9}
        << C{0, 0, 0, 0, 0, 10.63} << C{0, 0, 0, 0, 0, 0.87}
        << QStringList{"820", "547", "319", "10.63", "0.87"};
}

void TestPeriodFormulas::sumStretches() {
    QFETCH(StretchColumn, lengths);
    QFETCH(StretchColumn, cycles);
    QFETCH(StretchColumn, days);
    QFETCH(StretchColumn, months);
    QFETCH(StretchColumn, years);
    const PeriodTotals t = SumStretches(lengths, cycles, days, months, years);
    QTEST((QStringList{ToText(t.length), ToText(t.cycles), ToText(t.days), ToText(t.months),
                       ToText(t.years)}),
          "shown");
}

QTEST_GUILESS_MAIN(TestPeriodFormulas)
#include "test_period_formulas.moc"
