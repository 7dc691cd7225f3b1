#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/form.h"

namespace tunnel {

// Content of a grouped vertical bar chart: categories along the horizontal
// axis, one bar per series in each category, a value axis from 0 to a fixed
// maximum. Callers address names, colours and values through a cursor: they
// select a series and a category first, then set what belongs to them.
// Every setter runs the change callback, so a view can repaint.
class BarChart {
public:
    static constexpr int kMaxCount = 100;
    static constexpr int kMaxValue = 10'000'000;

    // One series, one category, axis 0..100 in 10 divisions, tip "${v}",
    // visible, all texts empty.
    BarChart();

    // Content of the smooth blasting window's two charts before the first
    // calculation: titles, units, the four hole types and an empty plot.
    static BarChart SmoothBlastingCountsDesign();
    static BarChart SmoothBlastingChargesDesign();
    // Content of the period window's chart before the first calculation:
    // titles, the series and an empty plot.
    static BarChart PeriodDesign();

    // Called after every property change.
    void SetChangeCallback(std::function<void()> callback) { m_changed = std::move(callback); }

    void SetTitle(const QString &text);
    void SetUnitText(const QString &text);
    void SetAxisTitle(const QString &text);
    // Clamped to 0..10,000,000.
    void SetMaxValue(int value);
    // Clamped to 1..100.
    void SetDivisionCount(int count);
    // Clamped to 1..100; resets the series cursor to 0. Series that still
    // exist keep name, colour and values; new ones start empty with value 0.
    void SetSeriesCount(int count);
    // An index outside 0..SeriesCount()-1 selects series 0.
    void SetCurrentSeries(int index);
    void SetSeriesName(const QString &name);
    void SetSeriesColor(Rgb colour);
    // Clamped to 1..100; resets the category cursor to 0. Surviving
    // categories keep their names and values.
    void SetCategoryCount(int count);
    // An index outside 0..CategoryCount()-1 selects category 0.
    void SetCurrentCategory(int index);
    void SetCategoryName(const QString &name);
    // Value of the bar at the cursor. Negative or NaN gives 0, anything above
    // 10,000,000 (infinity included) gives 10,000,000.
    void SetValue(double value);
    void SetTipTemplate(const QString &text);
    void SetVisible(bool visible);
    // Scales the value axis to the values held: divisions of 1, 2 or 5 × 10^k,
    // at most 10 of them, the maximum the end of the first division above
    // the largest value (158 gives 8 × 20 = 160). With no value above 0 the
    // axis runs to 10 in 10 divisions.
    void FitValueAxis();

    QString Title() const { return m_title; }
    QString UnitText() const { return m_unitText; }
    QString AxisTitle() const { return m_axisTitle; }
    int MaxValue() const { return m_maxValue; }
    int DivisionCount() const { return m_divisionCount; }
    int SeriesCount() const { return static_cast<int>(m_series.size()); }
    int CurrentSeries() const { return m_currentSeries; }
    int CategoryCount() const { return static_cast<int>(m_categoryNames.size()); }
    int CurrentCategory() const { return m_currentCategory; }
    QString TipTemplate() const { return m_tipTemplate; }
    bool Visible() const { return m_visible; }
    // Out-of-range indices give an empty name, black and 0.
    QString SeriesName(int series) const;
    Rgb SeriesColor(int series) const;
    QString CategoryName(int category) const;
    double Value(int series, int category) const;

    // Label of the upper end of division i (0..DivisionCount()): the integer
    // nearest to i × MaxValue / DivisionCount, halves rounded up, in plain
    // decimal digits. Division 0 is the origin, "0".
    QString DivisionLabel(int i) const;
    // Share of the axis height the bar fills: Value / MaxValue, at most 1;
    // 0 when MaxValue is 0.
    double BarFraction(int series, int category) const;
    // The tip template with every "${v}" replaced by ToText of the value.
    QString TipText(int series, int category) const;

private:
    struct Series {
        QString name;
        Rgb colour;
        std::vector<double> values;  // one per category
    };

    void Changed();

    QString m_title;
    QString m_unitText;
    QString m_axisTitle;
    int m_maxValue = 100;
    int m_divisionCount = 10;
    std::vector<Series> m_series;
    std::vector<QString> m_categoryNames;
    int m_currentSeries = 0;
    int m_currentCategory = 0;
    QString m_tipTemplate = QStringLiteral("${v}");
    bool m_visible = true;
    std::function<void()> m_changed;
};

}  // namespace tunnel
