#include <QtTest>

#include "core/conversions.h"
#include "modules/period/core/period_formulas.h"

using namespace tunnel;

// Each formula against a hand-checked result as the window shows it. The
// whole row, each step reading the earlier ones back from their fields, is
// test_period's.
class TestPeriodFormulas : public QObject {
    Q_OBJECT
private slots:
    void stretchComplete();
    void shown_data();
    void shown();
};

void TestPeriodFormulas::stretchComplete() {
    QVERIFY(StretchComplete(1600, 11.8, 4));
    QVERIFY(StretchComplete(2e-7, 24, 2e-7));
    QVERIFY(!StretchComplete(1600, 11.8, 1e-7));
    QVERIFY(!StretchComplete(1600, -11.8, 4));
    QVERIFY(!StretchComplete(0, 11.8, 4));
}

void TestPeriodFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    // 24 / 11.8 = 2.0339 cycles a day; 24 / 14 = 1.7143; 24 / 6000 = 0.004
    const CycleCounts a = StretchCycles(1600, 4, 11.8);
    const CycleCounts b = StretchCycles(820, 1.5, 14);
    const CycleCounts c = StretchCycles(100, 3, 6000);
    // 1600 / 8.12 = 197.044 days; 450 / 4.7 = 95.745 days
    const StretchPeriods p = StretchPeriodsFor(1600, 8.12);
    const StretchPeriods q = StretchPeriodsFor(450, 4.7);
    const StretchPeriods none = StretchPeriodsFor(100, 0);
    // Half a cycle rounds up, 0.49 of a day down; months and years stay as summed.
    const PeriodTotals t = SumStretches({1600, 0, 450.5}, {100.4, 0, 0.1}, {50.25, 0, 50.24},
                                        {1.67, 1.67, 1.67}, {0.14, 0.14, 0.14});
    const PeriodTotals last =
        SumStretches({0, 0, 0, 0, 0, 820}, {0, 0, 0, 0, 0, 546.67}, {}, {}, {0, 0, 0, 0, 0, 0.87});
    // clang-format off
    QTest::newRow("cycles 1600 / 4") << a.cycles << "400";
    QTest::newRow("month cycles 61.017") << a.monthCycles << "61.02";
    QTest::newRow("day cycles 2.0339") << a.dayCycles << "2.03";
    QTest::newRow("cycles 546.667") << b.cycles << "546.67";
    QTest::newRow("month cycles 51.429") << b.monthCycles << "51.43";
    QTest::newRow("day cycles 1.7143") << b.dayCycles << "1.71";
    QTest::newRow("cycles 33.333") << c.cycles << "33.33";
    QTest::newRow("month cycles 0.12") << c.monthCycles << "0.12";
    QTest::newRow("day cycles 0.004") << c.dayCycles << "0";
    QTest::newRow("advance 4 × 2.03") << DayAdvance(4, 2.03) << "8.12";
    QTest::newRow("advance 2.5 × 1.88") << DayAdvance(2.5, 1.88) << "4.7";
    QTest::newRow("advance below half a hundredth") << DayAdvance(0.001, 2) << "0";
    QTest::newRow("month advance 8.12 × 30") << p.monthAdvance << "243.6";
    QTest::newRow("days 197.044") << p.days << "197.04";
    QTest::newRow("months 6.568") << p.months << "6.57";
    QTest::newRow("years 0.5398") << p.years << "0.54";
    QTest::newRow("month advance 4.7 × 30") << q.monthAdvance << "141";
    QTest::newRow("days 95.745") << q.days << "95.74";
    QTest::newRow("months 3.1915") << q.months << "3.19";
    QTest::newRow("years 0.2623") << q.years << "0.26";
    QTest::newRow("no advance a month") << none.monthAdvance << "0";
    QTest::newRow("no advance, days") << none.days << "inf";
    QTest::newRow("no advance, years") << none.years << "inf";
    QTest::newRow("total length") << t.length << "2050.5";
    QTest::newRow("total cycles 100.5 up") << t.cycles << "101";
    QTest::newRow("total days 100.49 down") << t.days << "100";
    QTest::newRow("total months") << t.months << "5.01";
    QTest::newRow("total years") << t.years << "0.42";
    QTest::newRow("last stretch cycles") << last.cycles << "547";
    QTest::newRow("no days") << last.days << "0";
    QTest::newRow("last stretch years") << last.years << "0.87";
    // clang-format on
}

void TestPeriodFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

QTEST_GUILESS_MAIN(TestPeriodFormulas)
#include "test_period_formulas.moc"
