#include "widgets/bar_chart_widget.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace tunnel {

namespace {

constexpr double kMargin = 10;
constexpr double kTitleTop = 20;
constexpr double kLegendBox = 12;
constexpr double kLegendGap = 10;  // between legend lines
constexpr double kTick = 4;
constexpr double kMaxBarWidth = 40;
constexpr double kGroupShare = 0.7;  // of a slot's width
constexpr double kMinHitHeight = 4;

const QColor kTextColour(0x30, 0x30, 0x30);
const QColor kAxisColour(0x5a, 0x5a, 0x5a);
const QColor kGridColour(0xe3, 0xe3, 0xe3);
const QColor kFrameColour(0xd0, 0xd0, 0xd0);

QColor ToColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

QRectF BarChartGeometry::Slot(int category) const {
    return QRectF(plot.left() + category * slotWidth, plot.top(), slotWidth, plot.height());
}

QRectF BarChartGeometry::Bar(const BarChart &chart, int series, int category) const {
    // Whole-pixel edges keep neighbouring bars evenly spaced; a 1 px gap on
    // each side separates them once they are wide enough.
    const double cell = Slot(category).left() + groupLeft + series * barWidth;
    const double gap = barWidth >= 8 ? 1 : 0;
    const double left = std::round(cell + gap);
    const double right = std::max(std::round(cell + barWidth - gap), left + 1);
    const double height = chart.BarFraction(series, category) * plot.height();
    return QRectF(left, plot.bottom() - height, right - left, height);
}

BarChartGeometry LayOutBarChart(const BarChart &chart, QSize size, const QFont &titleFont,
                                const QFont &textFont) {
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF metrics(textFont);
    const double width = size.width();
    const double height = size.height();
    const double line = metrics.height();
    BarChartGeometry g;

    g.title = QRectF(0, kTitleTop, width, titleMetrics.height());

    const double legendLine = std::max(line, kLegendBox);
    double legendWidth = 0;
    for (int s = 0; s < chart.SeriesCount(); ++s)
        legendWidth = std::max(legendWidth, metrics.horizontalAdvance(chart.SeriesName(s)));
    legendWidth += kLegendBox + 6;
    const double legendLeft = width - kMargin - legendWidth;
    const double legendTop = g.title.bottom() + 8;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const double top = legendTop + s * (legendLine + kLegendGap);
        g.legendBoxes.emplace_back(legendLeft, top + (legendLine - kLegendBox) / 2, kLegendBox,
                                   kLegendBox);
        g.legendTexts.emplace_back(legendLeft + kLegendBox + 6, top, legendWidth - kLegendBox - 6,
                                   legendLine);
    }

    // The axis title shares the right-hand column with the legend.
    const double axisTitleWidth = metrics.horizontalAdvance(chart.AxisTitle());
    const double column = std::max(legendWidth, axisTitleWidth + 8);

    double labelWidth = 0;
    for (int i = 0; i <= chart.DivisionCount(); ++i)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(chart.DivisionLabel(i)));

    const double unitTop = g.title.bottom() + 6;
    const double plotLeft = std::round(kMargin + labelWidth + kTick + 4);
    const double plotTop = std::round(unitTop + line + 10);
    const double plotRight = std::max(std::round(width - kMargin - column - 16), plotLeft + 1);
    const double plotBottom = std::max(std::round(height - kMargin - line - 6), plotTop);
    g.plot = QRectF(plotLeft, plotTop, plotRight - plotLeft, plotBottom - plotTop);

    // Left-aligned over the label column, clear of the axis line.
    g.unit = QRectF(kMargin, unitTop, metrics.horizontalAdvance(chart.UnitText()) + 1, line);
    g.axisTitle = QRectF(plotRight + 8, plotBottom - line / 2, axisTitleWidth + 1, line);

    g.slotWidth = g.plot.width() / chart.CategoryCount();
    const double group = std::min(g.slotWidth * kGroupShare, chart.SeriesCount() * kMaxBarWidth);
    g.barWidth = group / chart.SeriesCount();
    g.groupLeft = (g.slotWidth - group) / 2;

    // On a dense axis the value labels get a smaller font, down to 8 px, so
    // that every division keeps its label; only below that are some skipped.
    const double spacing = g.plot.height() / chart.DivisionCount();
    g.labelFont = textFont;
    const auto needed = [&g] { return QFontMetricsF(g.labelFont).capHeight() + 2; };
    for (int px = g.labelFont.pixelSize(); px > 8 && needed() > spacing; --px)
        g.labelFont.setPixelSize(px - 1);
    g.labelStep = spacing > 0 ? std::max(1, static_cast<int>(std::ceil(needed() / spacing)))
                              : chart.DivisionCount();
    return g;
}

BarChartWidget::BarChartWidget(QWidget *parent) : BarChartWidget(BarChart(), parent) {}

BarChartWidget::BarChartWidget(const BarChart &content, QWidget *parent)
    : QWidget(parent), m_chart(content) {
    setFont(Fonts().front());
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_chart.SetChangeCallback([this] { OnChartChanged(); });
    m_shown = m_chart.Visible();
    if (!m_shown) hide();
}

namespace {

QFont ChartTitleFont(const QFont &text) {
    QFont title = text;
    title.setBold(true);
    title.setPixelSize(15);
    return title;
}

}  // namespace

QList<QFont> BarChartWidget::Fonts() {
    QFont base;
    base.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun")});
    base.setStyleHint(QFont::SansSerif);
    base.setPixelSize(12);
    return {base, ChartTitleFont(base)};
}

QFont BarChartWidget::TitleFont() const {
    return ChartTitleFont(font());
}

BarChartGeometry BarChartWidget::Geometry() const {
    return LayOutBarChart(m_chart, size(), TitleFont(), font());
}

std::optional<std::pair<int, int>> BarChartWidget::BarAt(QPoint point) const {
    const BarChartGeometry g = Geometry();
    for (int c = 0; c < m_chart.CategoryCount(); ++c) {
        for (int s = 0; s < m_chart.SeriesCount(); ++s) {
            QRectF bar = g.Bar(m_chart, s, c);
            if (bar.height() < kMinHitHeight) bar.setTop(bar.bottom() - kMinHitHeight);
            if (bar.contains(point)) return std::pair{s, c};
        }
    }
    return std::nullopt;
}

void BarChartWidget::OnChartChanged() {
    if (m_chart.Visible() != m_shown) {
        m_shown = m_chart.Visible();
        setVisible(m_shown);
    }
    update();
}

bool BarChartWidget::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    if (const auto bar = BarAt(help->pos())) {
        const auto [series, category] = *bar;
        // The tip goes away as soon as the pointer leaves the bar.
        QRect area = Geometry().Bar(m_chart, series, category).toAlignedRect();
        area.setTop(std::min(area.top(), area.bottom() - static_cast<int>(kMinHitHeight)));
        QToolTip::showText(help->globalPos(), m_chart.TipText(series, category), this, area);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void BarChartWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(kFrameColour);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_chart.Visible()) return;

    const BarChartGeometry g = Geometry();
    const QRectF plot = g.plot;
    const QFontMetricsF metrics(font());
    const double line = metrics.height();

    p.setFont(TitleFont());
    p.setPen(kTextColour);
    p.drawText(g.title, Qt::AlignHCenter | Qt::AlignTop, m_chart.Title());
    p.setFont(font());

    // Grid lines and value labels.
    const int divisions = m_chart.DivisionCount();
    const QRectF labelColumn(0, 0, plot.left() - kTick - 3, line);
    for (int i = 0; i <= divisions; ++i) {
        const double y = std::round(plot.bottom() - i * plot.height() / divisions);
        if (i > 0) {
            p.setPen(kGridColour);
            p.drawLine(QPointF(plot.left() + 1, y), QPointF(plot.right(), y));
        }
        if (i % g.labelStep != 0) continue;
        p.setPen(kAxisColour);
        p.drawLine(QPointF(plot.left() - kTick, y), QPointF(plot.left(), y));
        p.setPen(kTextColour);
        p.setFont(g.labelFont);
        p.drawText(labelColumn.translated(0, y - line / 2), Qt::AlignRight | Qt::AlignVCenter,
                   m_chart.DivisionLabel(i));
    }
    p.setFont(font());

    // Bars, before the axes so the axis line stays on top of their bases.
    for (int c = 0; c < m_chart.CategoryCount(); ++c) {
        for (int s = 0; s < m_chart.SeriesCount(); ++s) {
            if (m_chart.Value(s, c) <= 0) continue;
            QRectF bar = g.Bar(m_chart, s, c);
            if (bar.height() < 1) bar.setTop(bar.bottom() - 1);  // a tiny value still shows
            const QColor colour = ToColor(m_chart.SeriesColor(s));
            p.fillRect(bar, colour);
            p.setPen(colour);
            p.setBrush(Qt::NoBrush);
            p.drawRect(bar.adjusted(0, 0, -1, -1));
        }
    }

    // Axes, slot ticks and category names.
    p.setPen(kAxisColour);
    p.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
    p.drawLine(QPointF(plot.left(), plot.bottom()), QPointF(plot.right() + 4, plot.bottom()));
    for (int c = 0; c <= m_chart.CategoryCount(); ++c) {
        const double x = std::round(plot.left() + c * g.slotWidth);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTick));
    }
    p.setPen(kTextColour);
    for (int c = 0; c < m_chart.CategoryCount(); ++c) {
        const QRectF slot = g.Slot(c);
        const QRectF nameRect(slot.left(), plot.bottom() + kTick + 2, slot.width(), line);
        const QString name =
            metrics.elidedText(m_chart.CategoryName(c), Qt::ElideRight, slot.width() - 4);
        p.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop, name);
    }
    p.drawText(g.unit, Qt::AlignLeft | Qt::AlignVCenter, m_chart.UnitText());
    p.drawText(g.axisTitle, Qt::AlignLeft | Qt::AlignVCenter, m_chart.AxisTitle());

    // Legend.
    for (int s = 0; s < m_chart.SeriesCount(); ++s) {
        const QColor colour = ToColor(m_chart.SeriesColor(s));
        p.fillRect(g.legendBoxes[s], colour);
        p.setPen(colour);
        p.drawRect(g.legendBoxes[s].adjusted(0, 0, -1, -1));
        p.setPen(kTextColour);
        p.drawText(g.legendTexts[s], Qt::AlignLeft | Qt::AlignVCenter, m_chart.SeriesName(s));
    }
}

}  // namespace tunnel
