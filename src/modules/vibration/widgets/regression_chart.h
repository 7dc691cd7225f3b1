#pragma once

#include <QByteArray>
#include <QChartView>
#include <QSize>
#include <optional>
#include <vector>

#include "modules/vibration/core/vibration_regression.h"

class QChart;

namespace tunnel {

// What the chart shows: the records, and the fit with its design line when
// there is one.
struct RegressionPlot {
    const std::vector<VibrationRecord> *records = nullptr;
    const AttenuationFit *fit = nullptr;  // null or refused: points only
    ConfidenceLevel level = {};
};

// The records on log–log axes, ∛Q/R against V: those taking part filled,
// those left out hollow; the fitted line and the design line across the
// points' range. Records without positive Q, R and V cannot be placed and
// are left off; of more than 2000 records every k-th is marked, as the
// title says. The chart's series keep, for each point, its table row.
QChart *BuildRegressionChart(const RegressionPlot &plot);

// The chart laid out at that size and drawn at twice its pixels, as PNG
// bytes.
QByteArray RegressionChartPng(const RegressionPlot &plot, QSize size);

// The window's chart view: hovering a point shows its row.
class RegressionChartView : public QChartView {
    Q_OBJECT
public:
    explicit RegressionChartView(QWidget *parent = nullptr);

    void Redraw(const RegressionPlot &plot);
    // The text hovering the point of that table row shows.
    static QString PointText(const VibrationRecord &record, int row);

signals:
    void pointHovered(int row);

private:
    const std::vector<VibrationRecord> *m_records = nullptr;
};

}  // namespace tunnel
