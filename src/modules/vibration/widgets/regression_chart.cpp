#include "modules/vibration/widgets/regression_chart.h"

#include <QBuffer>
#include <QChart>
#include <QCursor>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace tunnel {

namespace {

// The most records the chart marks.
constexpr std::size_t kShownPoints = 2000;

// Each point's table row, kept on its series.
constexpr char kRowsProperty[] = "tableRows";

// The nearest of 1, 2, 5 × 10^k below (up false) or above x.
double Snapped(double x, bool up) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    const double steps[] = {1, 2, 5, 10};
    if (up) {
        for (double step : steps)
            if (step * decade >= x * (1 - 1e-12)) return step * decade;
        return 10 * decade;
    }
    for (int i = 3; i >= 0; --i)
        if (steps[i] * decade <= x * (1 + 1e-12)) return steps[i] * decade;
    return decade;
}

// lo..hi with a margin, on round values. Only powers of ten are labelled,
// so the range reaches out, on the side nearer one, until it holds two.
std::pair<double, double> AxisRange(double lo, double hi) {
    double from = Snapped(lo / 1.3, false);
    double to = Snapped(hi * 1.3, true);
    auto powers = [&] {
        return std::floor(std::log10(to) + 1e-9) - std::ceil(std::log10(from) - 1e-9) + 1;
    };
    while (powers() < 2) {
        const double below = std::pow(10.0, std::ceil(std::log10(from) - 1e-9) - 1);
        const double above = std::pow(10.0, std::floor(std::log10(to) + 1e-9) + 1);
        if (std::log10(from / below) <= std::log10(above / to))
            from = below;
        else
            to = above;
    }
    return {from, to};
}

QLogValueAxis *LogAxis(const QString &title, std::pair<double, double> range) {
    auto *axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(8);
    axis->setTitleText(title);
    // A hair wider, so that rounding in the axis never drops an end label.
    axis->setRange(range.first * (1 - 1e-9), range.second * (1 + 1e-9));
    return axis;
}

QScatterSeries *Points(const QString &name, const QColor &colour, bool filled) {
    auto *series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(9);
    series->setPen(QPen(colour, 1.5));
    series->setBrush(filled ? QBrush(colour) : QBrush(Qt::white));
    return series;
}

QLineSeries *Line(const QString &name, const QColor &colour, Qt::PenStyle style, double k,
                  double alpha, std::pair<double, double> x) {
    auto *series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(colour, 2, style));
    // A power law is straight on log–log axes: its two ends draw it.
    for (double at : {x.first, x.second}) series->append(at, k * std::pow(at, alpha));
    return series;
}

QString LawText(double k, int kDecimals, double alpha) {
    return QStringLiteral("V=%1(∛Q/R)<sup>%2</sup>")
        .arg(ToText(RoundTo(k, kDecimals)), ToText(RoundTo(alpha, 3)));
}

}  // namespace

QChart *BuildRegressionChart(const RegressionPlot &plot) {
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("爆破振动衰减规律回归（双对数坐标）"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    QScatterSeries *used = Points(QStringLiteral("参与回归的测点"), QColor(31, 90, 180), true);
    QScatterSeries *left = Points(QStringLiteral("未参与的测点"), QColor(110, 110, 110), false);
    QList<int> usedRows;
    QList<int> leftRows;
    double xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
    const std::vector<VibrationRecord> empty;
    const std::vector<VibrationRecord> &records = plot.records ? *plot.records : empty;
    QList<QPointF> usedPoints;
    QList<QPointF> leftPoints;
    // Each marker is an item of its own: a large table shows every k-th
    // record, and the axes still span them all.
    const std::size_t stride =
        std::max<std::size_t>(1, (records.size() + kShownPoints - 1) / kShownPoints);
    if (stride > 1)
        chart->setTitle(chart->title() + QStringLiteral("，每%1个测点显示1个").arg(stride));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const VibrationRecord &r = records[i];
        if (!(r.charge > 0 && r.distance > 0 && r.velocity > 0)) continue;
        const double x = ScaledDistance(r);
        if (!std::isfinite(x) || !std::isfinite(r.velocity)) continue;
        if (i % stride == 0) {
            (r.used ? usedPoints : leftPoints) << QPointF(x, r.velocity);
            (r.used ? usedRows : leftRows) << int(i);
        }
        xLo = std::min(xLo, x);
        xHi = std::max(xHi, x);
        yLo = std::min(yLo, r.velocity);
        yHi = std::max(yHi, r.velocity);
    }
    used->replace(usedPoints);
    left->replace(leftPoints);
    used->setProperty(kRowsProperty, QVariant::fromValue(usedRows));
    left->setProperty(kRowsProperty, QVariant::fromValue(leftRows));

    QList<QAbstractSeries *> series{used, left};
    const bool fitted = plot.fit && plot.fit->refusal.isEmpty() && xLo < xHi;
    if (fitted) {
        const AttenuationFit &fit = *plot.fit;
        const double design = DesignFactor(fit, plot.level.z);
        const QString designName = QStringLiteral("设计线（%1）").arg(plot.level.name);
        series << Line(QStringLiteral("回归线"), QColor(200, 30, 30), Qt::SolidLine, fit.k,
                       fit.alpha, {xLo, xHi});
        series << Line(designName, QColor(230, 120, 0), Qt::DashLine, design, fit.alpha,
                       {xLo, xHi});
        // The legend has room for short names only: the laws go under the title.
        chart->setTitle(QStringLiteral("<p align=\"center\">%1<br>回归线 %2<br>%3 %4</p>")
                            .arg(chart->title(), LawText(fit.k, 2, fit.alpha), designName,
                                 LawText(design, 2, fit.alpha)));
        for (double v : {fit.k * std::pow(xLo, fit.alpha), design * std::pow(xHi, fit.alpha)}) {
            yLo = std::min(yLo, v);
            yHi = std::max(yHi, v);
        }
    }
    if (xLo > xHi) {  // nothing to place
        xLo = 0.01, xHi = 1, yLo = 0.1, yHi = 10;
    }
    for (QAbstractSeries *s : series) chart->addSeries(s);
    QLogValueAxis *xAxis =
        LogAxis(QStringLiteral("比例距离 ∛Q/R（kg^(1/3)/m）"), AxisRange(xLo, xHi));
    QLogValueAxis *yAxis = LogAxis(QStringLiteral("振速 V（cm/s）"), AxisRange(yLo, yHi));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : series) {
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }
    return chart;
}

QByteArray RegressionChartPng(const RegressionPlot &plot, QSize size) {
    QGraphicsScene scene;
    QChart *chart = BuildRegressionChart(plot);
    scene.addItem(chart);  // the scene owns it
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    // Drawn at twice the pixels, so the text stays sharp on a printed page.
    QImage image(size * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF area(QPointF(0, 0), size);
        scene.render(&painter, area, area);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

RegressionChartView::RegressionChartView(QWidget *parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(420, 320);
}

void RegressionChartView::Redraw(const RegressionPlot &plot) {
    m_records = plot.records;
    QChart *old = chart();
    QChart *fresh = BuildRegressionChart(plot);
    for (QAbstractSeries *s : fresh->series()) {
        auto *points = qobject_cast<QScatterSeries *>(s);
        if (!points) continue;
        connect(points, &QScatterSeries::hovered, this, [this, points](QPointF at, bool state) {
            if (!state || !m_records) {
                QToolTip::hideText();
                return;
            }
            const QList<int> rows = points->property(kRowsProperty).value<QList<int>>();
            const QList<QPointF> all = points->points();
            const auto it = std::find(all.cbegin(), all.cend(), at);
            if (it == all.cend()) return;
            const int row = rows.value(int(it - all.cbegin()), -1);
            if (row < 0 || row >= int(m_records->size())) return;
            QToolTip::showText(QCursor::pos(), PointText((*m_records)[std::size_t(row)], row),
                               this);
            emit pointHovered(row);
        });
    }
    setChart(fresh);
    delete old;  // setChart leaves the old chart to its caller
}

QString RegressionChartView::PointText(const VibrationRecord &r, int row) {
    QString text = QStringLiteral("第%1行").arg(row + 1);
    if (!r.date.isEmpty()) text += QStringLiteral("  ") + r.date;
    if (!r.point.isEmpty()) text += QStringLiteral("  测点") + r.point;
    text += QStringLiteral("\nQ=%1 kg，R=%2 m，V=%3 cm/s\n∛Q/R=%4%5")
                .arg(ToText(r.charge), ToText(r.distance), ToText(r.velocity),
                     ToText(RoundTo(ScaledDistance(r), 4)),
                     r.used ? QString() : QStringLiteral("（未参与回归）"));
    return text;
}

}  // namespace tunnel
