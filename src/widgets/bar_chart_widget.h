#pragma once

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

#include "core/bar_chart.h"

namespace tunnel {

// Where the parts of a chart go in a client area of a given size.
struct BarChartGeometry {
    QRectF title;
    QRectF unit;                      // above the top of the value axis
    QRectF plot;                      // left edge is the value axis, bottom edge the category axis
    QRectF axisTitle;                 // at the right end of the category axis
    std::vector<QRectF> legendBoxes;  // one per series, top to bottom
    std::vector<QRectF> legendTexts;
    double slotWidth = 0;  // one slot per category, left to right
    double barWidth = 0;   // cell of one bar inside the slot's group
    double groupLeft = 0;  // offset of the first bar from the slot's left edge
    int labelStep = 1;     // every labelStep-th division is labelled
    QFont labelFont;       // value labels, smaller on a dense axis

    QRectF Slot(int category) const;
    // The bar's rectangle; its height is BarFraction of the plot height.
    QRectF Bar(const BarChart &chart, int series, int category) const;
};

// Lays the chart out in a client area of `size` with the given fonts.
BarChartGeometry LayOutBarChart(const BarChart &chart, QSize size, const QFont &titleFont,
                                const QFont &textFont);

// Paints a BarChart and shows a tip with the bar's value under the pointer.
// Every change of the chart repaints it; its Visible property shows or hides
// the widget.
class BarChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit BarChartWidget(QWidget *parent = nullptr);
    explicit BarChartWidget(const BarChart &content, QWidget *parent = nullptr);

    BarChart &Chart() { return m_chart; }
    const BarChart &Chart() const { return m_chart; }

    BarChartGeometry Geometry() const;
    // The (series, category) of the bar under a point of the client area.
    // Bars lower than a few pixels are hit a little above their base, so a
    // zero value can still show its tip.
    std::optional<std::pair<int, int>> BarAt(QPoint point) const;

    QSize sizeHint() const override { return {640, 320}; }

    // The fonts every chart draws in: its text and its bold title.
    static QList<QFont> Fonts();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void OnChartChanged();
    QFont TitleFont() const;

    BarChart m_chart;
    bool m_shown = true;  // last Visible applied to the widget
};

}  // namespace tunnel
