#include <QTest>
#include <cmath>
#include <functional>
#include <limits>

#include "core/bar_chart.h"

using tunnel::BarChart;
using tunnel::Rgb;

Q_DECLARE_METATYPE(std::function<void(BarChart &)>)

namespace {

using Setter = std::function<void(BarChart &)>;

// A chart with series x category values 10 * s + c + 1, named "s<i>" and "c<j>".
BarChart Sample(int series, int categories) {
    BarChart chart;
    chart.SetCategoryCount(categories);
    chart.SetSeriesCount(series);
    for (int s = 0; s < series; ++s) {
        chart.SetCurrentSeries(s);
        chart.SetSeriesName(QStringLiteral("s%1").arg(s));
        chart.SetSeriesColor({s, 2 * s, 3 * s});
        for (int c = 0; c < categories; ++c) {
            chart.SetCurrentCategory(c);
            chart.SetCategoryName(QStringLiteral("c%1").arg(c));
            chart.SetValue(10 * s + c + 1);
        }
    }
    return chart;
}

}  // namespace

class TestBarChart : public QObject {
    Q_OBJECT
private slots:
    void Clamping_data();
    void Clamping();
    void Cursor_data();
    void Cursor();
    void Values_data();
    void Values();
    void DivisionLabels_data();
    void DivisionLabels();
    void BarFraction_data();
    void BarFraction();
    void TipText_data();
    void TipText();
    void Resize();
    void CountsResetCursor();
    void EveryChangeNotifies_data();
    void EveryChangeNotifies();
    void DesignContents();
    void FitValueAxis_data();
    void FitValueAxis();
};

void TestBarChart::Clamping_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("stored");

    struct Row {
        const char *property;
        int input;
        int stored;
    };
    const Row rows[] = {
        {"MaxValue", -1, 0},
        {"MaxValue", 0, 0},
        {"MaxValue", 1500, 1500},
        {"MaxValue", 10'000'000, 10'000'000},
        {"MaxValue", 10'000'001, 10'000'000},
        {"DivisionCount", 0, 1},
        {"DivisionCount", -3, 1},
        {"DivisionCount", 20, 20},
        {"DivisionCount", 100, 100},
        {"DivisionCount", 150, 100},
        {"SeriesCount", 0, 1},
        {"SeriesCount", 3, 3},
        {"SeriesCount", 150, 100},
        {"CategoryCount", 0, 1},
        {"CategoryCount", 6, 6},
        {"CategoryCount", 150, 100},
    };
    for (const Row &row : rows)
        QTest::addRow("%s=%d", row.property, row.input) << row.property << row.input << row.stored;
}

void TestBarChart::Clamping() {
    QFETCH(QString, property);
    QFETCH(int, input);
    QFETCH(int, stored);
    BarChart chart;
    if (property == "MaxValue") {
        chart.SetMaxValue(input);
        QCOMPARE(chart.MaxValue(), stored);
    } else if (property == "DivisionCount") {
        chart.SetDivisionCount(input);
        QCOMPARE(chart.DivisionCount(), stored);
    } else if (property == "SeriesCount") {
        chart.SetSeriesCount(input);
        QCOMPARE(chart.SeriesCount(), stored);
        // The table really has that many rows: the last one is addressable.
        chart.SetCurrentSeries(stored - 1);
        QCOMPARE(chart.CurrentSeries(), stored - 1);
    } else {
        chart.SetCategoryCount(input);
        QCOMPARE(chart.CategoryCount(), stored);
        chart.SetCurrentCategory(stored - 1);
        QCOMPARE(chart.CurrentCategory(), stored - 1);
    }
}

void TestBarChart::Cursor_data() {
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("addressedSeries");
    QTest::addColumn<int>("addressedCategory");

    QTest::newRow("inside") << 2 << 5 << 2 << 5;
    QTest::newRow("series 5 of 3") << 5 << 1 << 0 << 1;
    QTest::newRow("series 3 of 3") << 3 << 1 << 0 << 1;
    QTest::newRow("series -1") << -1 << 4 << 0 << 4;
    QTest::newRow("category 6 of 6") << 1 << 6 << 1 << 0;
    QTest::newRow("category -2") << 2 << -2 << 2 << 0;
}

void TestBarChart::Cursor() {
    QFETCH(int, series);
    QFETCH(int, category);
    QFETCH(int, addressedSeries);
    QFETCH(int, addressedCategory);

    BarChart chart = Sample(3, 6);
    chart.SetCurrentSeries(series);
    chart.SetCurrentCategory(category);
    QCOMPARE(chart.CurrentSeries(), addressedSeries);
    QCOMPARE(chart.CurrentCategory(), addressedCategory);

    chart.SetSeriesName(QStringLiteral("新名"));
    chart.SetSeriesColor({1, 2, 3});
    chart.SetCategoryName(QStringLiteral("新类"));
    chart.SetValue(777);
    for (int s = 0; s < 3; ++s) {
        const bool hit = s == addressedSeries;
        QCOMPARE(chart.SeriesName(s), hit ? QStringLiteral("新名") : QStringLiteral("s%1").arg(s));
        QCOMPARE(chart.SeriesColor(s), (hit ? Rgb{1, 2, 3} : Rgb{s, 2 * s, 3 * s}));
        for (int c = 0; c < 6; ++c) {
            const bool cell = hit && c == addressedCategory;
            QCOMPARE(chart.Value(s, c), cell ? 777.0 : 10.0 * s + c + 1);
        }
    }
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(chart.CategoryName(c),
                 c == addressedCategory ? QStringLiteral("新类") : QStringLiteral("c%1").arg(c));
    }
}

void TestBarChart::Values_data() {
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("stored");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("-5") << -5.0 << 0.0;
    QTest::newRow("2e7") << 2e7 << 1e7;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("+inf") << inf << 1e7;
    QTest::newRow("-inf") << -inf << 0.0;
    QTest::newRow("fraction") << 12.345 << 12.345;
    QTest::newRow("tiny") << 1e-9 << 1e-9;
}

void TestBarChart::Values() {
    QFETCH(double, input);
    QFETCH(double, stored);
    BarChart chart;
    chart.SetValue(input);
    QCOMPARE(chart.Value(0, 0), stored);
    QVERIFY(!std::signbit(chart.Value(0, 0)));
}

void TestBarChart::DivisionLabels_data() {
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<QStringList>("labels");  // divisions 0..n

    QTest::newRow("1500/20") << 1500 << 20
                             << QStringList{"0",    "75",   "150",  "225",  "300",  "375",  "450",
                                            "525",  "600",  "675",  "750",  "825",  "900",  "975",
                                            "1050", "1125", "1200", "1275", "1350", "1425", "1500"};
    QTest::newRow("100/10") << 100 << 10 << QStringList{"0",  "10", "20", "30", "40", "50",
                                                        "60", "70", "80", "90", "100"};
    // 2.5 rounds up to 3, 0.5 to 1, 0.25 down to 0, 7.5 up to 8.
    QTest::newRow("5/2 halves") << 5 << 2 << QStringList{"0", "3", "5"};
    QTest::newRow("1/4 halves") << 1 << 4 << QStringList{"0", "0", "1", "1", "1"};
    QTest::newRow("15/4") << 15 << 4 << QStringList{"0", "4", "8", "11", "15"};
    QTest::newRow("1e7/3 plain digits")
        << 10'000'000 << 3 << QStringList{"0", "3333333", "6666667", "10000000"};
    QTest::newRow("max 0") << 0 << 2 << QStringList{"0", "0", "0"};
}

void TestBarChart::DivisionLabels() {
    QFETCH(int, maxValue);
    QFETCH(int, divisions);
    QFETCH(QStringList, labels);
    BarChart chart;
    chart.SetMaxValue(maxValue);
    chart.SetDivisionCount(divisions);
    QStringList actual;
    for (int i = 0; i <= divisions; ++i) actual << chart.DivisionLabel(i);
    QCOMPARE(actual, labels);
}

void TestBarChart::BarFraction_data() {
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("fraction");

    QTest::newRow("half") << 1500 << 750.0 << 0.5;
    QTest::newRow("equal") << 1500 << 1500.0 << 1.0;
    QTest::newRow("above") << 1500 << 2000.0 << 1.0;
    QTest::newRow("negative stored as 0") << 100 << -5.0 << 0.0;
    QTest::newRow("max 0") << 0 << 10.0 << 0.0;
    QTest::newRow("quarter") << 100 << 25.0 << 0.25;
}

void TestBarChart::BarFraction() {
    QFETCH(int, maxValue);
    QFETCH(double, value);
    QFETCH(double, fraction);
    BarChart chart;
    chart.SetMaxValue(maxValue);
    chart.SetValue(value);
    QCOMPARE(chart.BarFraction(0, 0), fraction);
}

void TestBarChart::TipText_data() {
    QTest::addColumn<QString>("tipTemplate");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("tip");

    QTest::newRow("plain") << "${v}" << 10.0 << "10";
    QTest::newRow("two markers") << "${v}个（共${v}）" << 12.5 << "12.5个（共12.5）";
    QTest::newRow("no marker") << "炮眼" << 3.0 << "炮眼";
    QTest::newRow("partial marker kept") << "${v} $v {v}" << 0.0 << "0 $v {v}";
    QTest::newRow("13 digits") << "${v}" << 2.0 / 3.0 << "0.6666666666667";
    QTest::newRow("clamped") << "${v}m" << 2e7 << "10000000m";
    QTest::newRow("empty") << "" << 5.0 << "";
}

void TestBarChart::TipText() {
    QFETCH(QString, tipTemplate);
    QFETCH(double, value);
    QFETCH(QString, tip);
    BarChart chart = Sample(2, 2);
    chart.SetTipTemplate(tipTemplate);
    chart.SetCurrentSeries(1);
    chart.SetCurrentCategory(1);
    chart.SetValue(value);
    QCOMPARE(chart.TipText(1, 1), tip);
}

void TestBarChart::Resize() {
    BarChart chart = Sample(2, 3);
    chart.SetSeriesCount(3);
    chart.SetCategoryCount(2);

    // Surviving cells keep their content; new ones start empty at 0.
    QCOMPARE(chart.SeriesName(1), QStringLiteral("s1"));
    QCOMPARE(chart.SeriesColor(1), (Rgb{1, 2, 3}));
    QCOMPARE(chart.Value(1, 1), 12.0);
    QCOMPARE(chart.CategoryName(1), QStringLiteral("c1"));
    QCOMPARE(chart.SeriesName(2), QString());
    QCOMPARE(chart.Value(2, 0), 0.0);
    QCOMPARE(chart.Value(2, 1), 0.0);
    QVERIFY(chart.SeriesColor(2) != chart.SeriesColor(1));
    QCOMPARE(chart.CategoryName(2), QString());  // gone

    // A category that comes back after a shrink starts at 0, not with its old value.
    chart.SetCategoryCount(3);
    QCOMPARE(chart.Value(0, 2), 0.0);
    QCOMPARE(chart.Value(2, 2), 0.0);
    QCOMPARE(chart.CategoryName(2), QString());

    // Out-of-range reads stay harmless.
    QCOMPARE(chart.Value(3, 0), 0.0);
    QCOMPARE(chart.Value(0, -1), 0.0);
    QCOMPARE(chart.SeriesName(-1), QString());
}

void TestBarChart::CountsResetCursor() {
    BarChart chart = Sample(3, 6);
    chart.SetCurrentSeries(2);
    chart.SetCurrentCategory(4);
    chart.SetSeriesCount(3);
    QCOMPARE(chart.CurrentSeries(), 0);
    QCOMPARE(chart.CurrentCategory(), 4);
    chart.SetCurrentSeries(2);
    chart.SetCategoryCount(6);
    QCOMPARE(chart.CurrentCategory(), 0);
    QCOMPARE(chart.CurrentSeries(), 2);

    // Shrinking below the cursor must not leave it dangling.
    chart.SetCurrentCategory(5);
    chart.SetCategoryCount(2);
    chart.SetValue(9);
    QCOMPARE(chart.Value(2, 0), 9.0);
}

void TestBarChart::EveryChangeNotifies_data() {
    QTest::addColumn<Setter>("setter");
    QTest::newRow("Title") << Setter([](BarChart &c) { c.SetTitle("t"); });
    QTest::newRow("UnitText") << Setter([](BarChart &c) { c.SetUnitText("m"); });
    QTest::newRow("AxisTitle") << Setter([](BarChart &c) { c.SetAxisTitle("a"); });
    QTest::newRow("MaxValue") << Setter([](BarChart &c) { c.SetMaxValue(5); });
    QTest::newRow("DivisionCount") << Setter([](BarChart &c) { c.SetDivisionCount(5); });
    QTest::newRow("SeriesCount") << Setter([](BarChart &c) { c.SetSeriesCount(2); });
    QTest::newRow("CurrentSeries") << Setter([](BarChart &c) { c.SetCurrentSeries(0); });
    QTest::newRow("SeriesName") << Setter([](BarChart &c) { c.SetSeriesName("n"); });
    QTest::newRow("SeriesColor") << Setter([](BarChart &c) { c.SetSeriesColor({0, 0, 255}); });
    QTest::newRow("CategoryCount") << Setter([](BarChart &c) { c.SetCategoryCount(2); });
    QTest::newRow("CurrentCategory") << Setter([](BarChart &c) { c.SetCurrentCategory(0); });
    QTest::newRow("CategoryName") << Setter([](BarChart &c) { c.SetCategoryName("k"); });
    QTest::newRow("Value") << Setter([](BarChart &c) { c.SetValue(1); });
    QTest::newRow("TipTemplate") << Setter([](BarChart &c) { c.SetTipTemplate("x"); });
    QTest::newRow("Visible") << Setter([](BarChart &c) { c.SetVisible(false); });
    QTest::newRow("FitValueAxis") << Setter([](BarChart &c) { c.FitValueAxis(); });
}

void TestBarChart::EveryChangeNotifies() {
    QFETCH(Setter, setter);
    BarChart chart;
    int calls = 0;
    chart.SetChangeCallback([&calls] { ++calls; });
    setter(chart);
    QCOMPARE(calls, 1);
}

void TestBarChart::DesignContents() {
    // Before the first calculation: titles, units, names, an empty plot.
    struct Expected {
        BarChart chart;
        QString title, unit;
        QStringList categories, series;
    };
    const QStringList holeTypes{"掏槽眼", "辅助眼", "周边眼", "底板眼"};
    const Expected designs[] = {
        {BarChart::SmoothBlastingCountsDesign(),
         "炮眼数量对比柱状表",
         "个",
         holeTypes,
         {"炮眼数量（个）"}},
        {BarChart::SmoothBlastingChargesDesign(),
         "装药量对比柱状表",
         "kg",
         holeTypes,
         {"装药量（kg）"}},
        {BarChart::PeriodDesign(),
         "各段循环数、工期与长度",
         "个/天/m",
         {"第1段", "第2段", "第3段", "第4段", "第5段", "第6段"},
         {"循环数（个）", "工期（天）", "长度（m）"}},
    };
    for (const Expected &e : designs) {
        const BarChart &chart = e.chart;
        QCOMPARE(chart.Title(), e.title);
        QCOMPARE(chart.UnitText(), e.unit);
        QCOMPARE(chart.AxisTitle(), QString());
        QCOMPARE(chart.CategoryCount(), e.categories.size());
        QCOMPARE(chart.SeriesCount(), e.series.size());
        for (int c = 0; c < chart.CategoryCount(); ++c) {
            QCOMPARE(chart.CategoryName(c), e.categories[c]);
            for (int s = 0; s < chart.SeriesCount(); ++s) QCOMPARE(chart.Value(s, c), 0.0);
        }
        for (int s = 0; s < chart.SeriesCount(); ++s) QCOMPARE(chart.SeriesName(s), e.series[s]);
        QCOMPARE(chart.MaxValue(), 10);
        QCOMPARE(chart.DivisionCount(), 10);
        QCOMPARE(chart.TipTemplate(), QStringLiteral("${v}"));
        QVERIFY(chart.Visible());
    }
}

void TestBarChart::FitValueAxis_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("divisions");
    QTest::newRow("empty") << QList<double>{0, 0} << 10 << 10;
    QTest::newRow("below one") << QList<double>{0.63, 0.2} << 1 << 1;
    QTest::newRow("cut holes") << QList<double>{6, 3.78} << 7 << 7;
    QTest::newRow("just under ten") << QList<double>{9.9} << 10 << 10;
    QTest::newRow("ten is not above ten") << QList<double>{10} << 12 << 6;
    QTest::newRow("auxiliary holes") << QList<double>{6, 158, 49, 26} << 160 << 8;
    QTest::newRow("charges") << QList<double>{3.78, 87, 34, 14} << 90 << 9;
    QTest::newRow("hundred") << QList<double>{100} << 120 << 6;
    QTest::newRow("long stretch") << QList<double>{300, 1600, 534} << 1800 << 9;
    QTest::newRow("fifties") << QList<double>{451} << 500 << 10;
    QTest::newRow("largest value") << QList<double>{9'999'999} << 10'000'000 << 10;
}

void TestBarChart::FitValueAxis() {
    QFETCH(QList<double>, values);
    QFETCH(int, max);
    QFETCH(int, divisions);
    BarChart chart;
    chart.SetCategoryCount(static_cast<int>(values.size()));
    for (int c = 0; c < values.size(); ++c) {
        chart.SetCurrentCategory(c);
        chart.SetValue(values[c]);
    }
    chart.FitValueAxis();
    QCOMPARE(chart.MaxValue(), max);
    QCOMPARE(chart.DivisionCount(), divisions);
}

QTEST_APPLESS_MAIN(TestBarChart)
#include "test_bar_chart.moc"
