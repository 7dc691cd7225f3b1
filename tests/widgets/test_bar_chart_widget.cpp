#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>

#include "widgets/bar_chart_widget.h"

using tunnel::BarChart;
using tunnel::BarChartWidget;
using tunnel::Rgb;

namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
const QString kSameName = QStringLiteral("循环/工期天/长度m");
// Covers small, full-height, above-maximum and zero bars.
const double kSpread[3][6] = {{100, 200, 300, 400, 500, 600},
                              {700, 800, 900, 1000, 1100, 1200},
                              {1300, 1400, 1500, 1600, 50, 0}};

// Fills the chart the way the period window does: 6 categories of one name,
// 3 series, axis 0..1500 in 20 divisions.
void FillPeriodChart(BarChart &chart, const double (&values)[3][6]) {
    chart.SetTitle(QStringLiteral("循环/工期/长度占比表"));
    chart.SetUnitText(QStringLiteral("m/天/m"));
    chart.SetMaxValue(1500);
    chart.SetDivisionCount(20);
    chart.SetAxisTitle(QString());
    chart.SetCategoryCount(6);
    chart.SetSeriesCount(3);
    const Rgb colours[] = {kBlue, kRed, kGreen};
    const QString names[] = {QStringLiteral("循环占比"), QStringLiteral("工期占比"),
                             QStringLiteral("长度占比")};
    for (int s = 0; s < 3; ++s) {
        chart.SetCurrentSeries(s);
        chart.SetSeriesColor(colours[s]);
        chart.SetSeriesName(names[s]);
        for (int c = 0; c < 6; ++c) {
            chart.SetCurrentCategory(c);
            chart.SetCategoryName(kSameName);
            chart.SetValue(values[s][c]);
        }
    }
    chart.SetVisible(true);
}

QImage Render(BarChartWidget &widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

QRgb ToQRgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

// Pixels in a rectangle that are darker than mid grey: text, axes, ticks.
int DarkPixels(const QImage &image, const QRect &area) {
    int count = 0;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

}  // namespace

class TestBarChartWidget : public QObject {
    Q_OBJECT
private slots:
    void BarHeight_data();
    void BarHeight();
    void BarsStandSideBySide();
    void BarAt();
    void Tip();
    void RepaintsOnChange();
    void VisibleShowsAndHides();
    void SameNamedCategories();
    void DesignContentsRender();
    void EveryDivisionLabelled_data();
    void EveryDivisionLabelled();
};

void TestBarChartWidget::BarHeight_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("fraction");

    QTest::newRow("2000 of 1500") << 2000.0 << 1.0;
    QTest::newRow("1500 of 1500") << 1500.0 << 1.0;
    QTest::newRow("750 of 1500") << 750.0 << 0.5;
}

void TestBarChartWidget::BarHeight() {
    QFETCH(double, value);
    QFETCH(double, fraction);

    BarChartWidget widget;
    widget.resize(859, 344);
    BarChart &chart = widget.Chart();
    chart.SetMaxValue(1500);
    chart.SetDivisionCount(20);
    chart.SetSeriesColor(kBlue);
    chart.SetValue(value);

    const tunnel::BarChartGeometry g = widget.Geometry();
    QVERIFY(g.plot.height() > 100);
    const QRectF bar = g.Bar(chart, 0, 0);
    QCOMPARE(bar.bottom(), g.plot.bottom());
    QCOMPARE(bar.height(), fraction * g.plot.height());
    QVERIFY(bar.top() >= g.plot.top());

    // The painted bar: its colour fills it up to its top and stops there.
    const QImage image = Render(widget);
    const int x = qRound(bar.center().x());
    QCOMPARE(image.pixel(x, qRound(bar.bottom()) - 3), ToQRgb(kBlue));
    QCOMPARE(image.pixel(x, qRound(bar.top()) + 2), ToQRgb(kBlue));
    QVERIFY(image.pixel(x, qRound(bar.top()) - 3) != ToQRgb(kBlue));
}

void TestBarChartWidget::BarsStandSideBySide() {
    BarChartWidget widget;
    widget.resize(859, 344);
    FillPeriodChart(widget.Chart(), kSpread);
    const tunnel::BarChartGeometry g = widget.Geometry();
    const BarChart &chart = widget.Chart();

    double previousRight = g.plot.left();
    for (int c = 0; c < 6; ++c) {
        const QRectF slot = g.Slot(c);
        for (int s = 0; s < 3; ++s) {
            const QRectF bar = g.Bar(chart, s, c);
            QVERIFY2(bar.left() >= previousRight,
                     qPrintable(QStringLiteral("%1/%2").arg(s).arg(c)));
            QVERIFY(bar.left() >= slot.left() && bar.right() <= slot.right());
            QVERIFY(bar.width() >= 10);
            previousRight = bar.right();
        }
    }

    // Painted in series colours, and the legend lists the series top-down.
    const QImage image = Render(widget);
    const Rgb colours[] = {kBlue, kRed, kGreen};
    for (int s = 0; s < 3; ++s) {
        const QRectF bar = g.Bar(chart, s, 1);
        QCOMPARE(image.pixel(bar.center().toPoint()), ToQRgb(colours[s]));
        QCOMPARE(image.pixel(g.legendBoxes[s].center().toPoint()), ToQRgb(colours[s]));
        if (s > 0) QVERIFY(g.legendBoxes[s].top() - g.legendBoxes[s - 1].bottom() >= 10);
    }
    QVERIFY(g.legendBoxes[0].top() > g.title.bottom());
    QVERIFY(g.legendBoxes[0].left() > g.plot.right());
}

void TestBarChartWidget::BarAt() {
    BarChartWidget widget;
    widget.resize(859, 344);
    FillPeriodChart(widget.Chart(), kSpread);
    const tunnel::BarChartGeometry g = widget.Geometry();
    const BarChart &chart = widget.Chart();

    using Hit = std::optional<std::pair<int, int>>;
    for (int c = 0; c < 6; ++c) {
        for (int s = 0; s < 3; ++s) {
            const QRectF bar = g.Bar(chart, s, c);
            const QPoint base(qRound(bar.center().x()), qRound(bar.bottom()) - 1);
            QCOMPARE(widget.BarAt(base), (Hit{{s, c}}));
            if (chart.BarFraction(s, c) < 1)
                QCOMPARE(widget.BarAt(QPoint(base.x(), qRound(bar.top()) - 8)), Hit());
        }
    }
    // Between two slots, on the title and below the axis nothing is hit.
    QCOMPARE(widget.BarAt(g.Slot(1).topLeft().toPoint() + QPoint(0, 200)), Hit());
    QCOMPARE(widget.BarAt(g.title.center().toPoint()), Hit());
    QCOMPARE(
        widget.BarAt(QPoint(qRound(g.Bar(chart, 0, 0).center().x()), qRound(g.plot.bottom()) + 5)),
        Hit());
}

void TestBarChartWidget::Tip() {
    BarChartWidget widget;
    widget.resize(600, 300);
    BarChart &chart = widget.Chart();
    chart.SetTipTemplate(QStringLiteral("数量：${v}（${v}）"));
    chart.SetValue(42.5);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));

    const QPoint onBar = widget.Geometry().Bar(chart, 0, 0).center().toPoint();
    QHelpEvent help(QEvent::ToolTip, onBar, widget.mapToGlobal(onBar));
    QApplication::sendEvent(&widget, &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("数量：42.5（42.5）"));

    const QPoint off(5, 5);
    QHelpEvent away(QEvent::ToolTip, off, widget.mapToGlobal(off));
    QApplication::sendEvent(&widget, &away);
    QTRY_VERIFY(!QToolTip::isVisible());
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void TestBarChartWidget::RepaintsOnChange() {
    BarChartWidget widget;
    widget.resize(400, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();

    PaintCounter counter;
    widget.installEventFilter(&counter);
    const std::function<void(BarChart &)> changes[] = {
        [](BarChart &c) { c.SetTitle(QStringLiteral("新标题")); },
        [](BarChart &c) { c.SetValue(55); },
        [](BarChart &c) { c.SetCurrentCategory(0); },
        [](BarChart &c) {
            c.SetSeriesColor({0, 255, 0});
        },
    };
    for (const auto &change : changes) {
        counter.paints = 0;
        change(widget.Chart());
        QTRY_VERIFY(counter.paints > 0);
    }
}

void TestBarChartWidget::VisibleShowsAndHides() {
    QWidget window;
    auto *widget = new BarChartWidget(&window);
    window.show();
    QVERIFY(widget->isVisible());
    widget->Chart().SetVisible(false);
    QVERIFY(!widget->isVisible());
    widget->Chart().SetVisible(true);
    QVERIFY(widget->isVisible());

    BarChart hidden;
    hidden.SetVisible(false);
    auto *second = new BarChartWidget(hidden, &window);
    QVERIFY(!second->isVisible());
}

void TestBarChartWidget::SameNamedCategories() {
    BarChartWidget widget;
    widget.resize(859, 344);
    const double values[3][6] = {
        {12, 30, 7, 0, 1, 2}, {40, 90, 20, 0, 3, 4}, {200, 480, 90, 0, 5, 6}};
    FillPeriodChart(widget.Chart(), values);
    const QImage image = Render(widget);
    const tunnel::BarChartGeometry g = widget.Geometry();

    // Each slot carries its own copy of the name in the band under the axis.
    const int top = qRound(g.plot.bottom()) + 6;
    for (int c = 0; c < 6; ++c) {
        const QRectF slot = g.Slot(c);
        const QRect band(qRound(slot.left()) + 3, top, qRound(slot.width()) - 6, 14);
        QVERIFY2(DarkPixels(image, band) > 20, qPrintable(QString::number(c)));
    }
}

void TestBarChartWidget::DesignContentsRender() {
    // Before the first calculation: the title over an empty plot.
    for (const BarChart &design :
         {BarChart::SmoothBlastingCountsDesign(), BarChart::SmoothBlastingChargesDesign(),
          BarChart::PeriodDesign()}) {
        BarChartWidget widget(design);
        widget.resize(600, 300);
        QCOMPARE(widget.Chart().Title(), design.Title());
        const QImage image = Render(widget);
        const tunnel::BarChartGeometry g = widget.Geometry();
        QVERIFY(DarkPixels(image, g.title.toRect()) > 20);
        const QRect plot = g.plot.toRect().adjusted(2, 2, -2, -2);
        for (int s = 0; s < design.SeriesCount(); ++s) {
            const QRgb colour = ToQRgb(design.SeriesColor(s));
            for (int y = plot.top(); y <= plot.bottom(); y += 2)
                for (int x = plot.left(); x <= plot.right(); x += 2)
                    QVERIFY(image.pixel(x, y) != colour);
        }
    }
}

void TestBarChartWidget::EveryDivisionLabelled_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("all");
    // The period window's chart is about 900 x 300: 20 divisions of ~10 px.
    QTest::newRow("period window") << QSize(900, 300) << true;
    QTest::newRow("tall") << QSize(900, 600) << true;
    // Far too short for 20 labels even at the smallest font: some are skipped.
    QTest::newRow("tiny") << QSize(300, 120) << false;
}

void TestBarChartWidget::EveryDivisionLabelled() {
    QFETCH(QSize, size);
    QFETCH(bool, all);
    BarChartWidget widget;
    FillPeriodChart(widget.Chart(), kSpread);
    widget.resize(size);
    const tunnel::BarChartGeometry g = widget.Geometry();
    QCOMPARE(g.labelStep == 1, all);
    QVERIFY(g.labelFont.pixelSize() >= 8);
    if (all) {
        // 75 is the first division's label; it is drawn at its tick.
        const QImage image = Render(widget);
        const double y = g.plot.bottom() - g.plot.height() / 20;
        QVERIFY(DarkPixels(image, QRect(0, int(y) - 4, int(g.plot.left()) - 4, 8)) > 0);
    }
}

QTEST_MAIN(TestBarChartWidget)
#include "test_bar_chart_widget.moc"
