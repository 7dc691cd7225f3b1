#include "core/bar_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "core/conversions.h"

namespace tunnel {

namespace {

// Colours of series that a resize adds, so an unset series is still told
// apart from its neighbours.
constexpr std::array<Rgb, 6> kNewSeriesColours{{
    {255, 0, 0},
    {0, 0, 255},
    {0, 255, 0},
    {255, 165, 0},
    {128, 0, 128},
    {0, 128, 128},
}};

constexpr Rgb kRed{255, 0, 0};

}  // namespace

BarChart::BarChart()
    : m_series{Series{QString(), kNewSeriesColours[0], {0.0}}}, m_categoryNames{QString()} {}

namespace {

// An empty chart with the given texts and one zero bar per category.
BarChart EmptyChart(const QString &title, const QString &unit,
                    std::initializer_list<std::pair<const char *, Rgb>> series,
                    std::initializer_list<QString> categories) {
    BarChart chart;
    chart.SetTitle(title);
    chart.SetUnitText(unit);
    chart.SetCategoryCount(static_cast<int>(categories.size()));
    chart.SetSeriesCount(static_cast<int>(series.size()));
    int s = 0;
    for (const auto &[name, colour] : series) {
        chart.SetCurrentSeries(s++);
        chart.SetSeriesName(QString::fromUtf8(name));
        chart.SetSeriesColor(colour);
    }
    int c = 0;
    for (const QString &name : categories) {
        chart.SetCurrentCategory(c++);
        chart.SetCategoryName(name);
    }
    chart.SetCurrentSeries(0);
    chart.SetCurrentCategory(0);
    chart.FitValueAxis();
    return chart;
}

const std::initializer_list<QString> kHoleTypes{QStringLiteral("掏槽眼"), QStringLiteral("辅助眼"),
                                                QStringLiteral("周边眼"), QStringLiteral("底板眼")};

}  // namespace

BarChart BarChart::SmoothBlastingCountsDesign() {
    return EmptyChart(QStringLiteral("炮眼数量对比柱状表"), QStringLiteral("个"),
                      {{"炮眼数量（个）", Rgb{0, 0, 255}}}, kHoleTypes);
}

BarChart BarChart::SmoothBlastingChargesDesign() {
    return EmptyChart(QStringLiteral("装药量对比柱状表"), QStringLiteral("kg"),
                      {{"装药量（kg）", kRed}}, kHoleTypes);
}

BarChart BarChart::PeriodDesign() {
    return EmptyChart(
        QStringLiteral("各段循环数、工期与长度"), QStringLiteral("个/天/m"),
        {{"循环数（个）", Rgb{0, 0, 255}}, {"工期（天）", kRed}, {"长度（m）", Rgb{0, 255, 0}}},
        {QStringLiteral("第1段"), QStringLiteral("第2段"), QStringLiteral("第3段"),
         QStringLiteral("第4段"), QStringLiteral("第5段"), QStringLiteral("第6段")});
}

void BarChart::Changed() {
    if (m_changed) m_changed();
}

void BarChart::SetTitle(const QString &text) {
    m_title = text;
    Changed();
}

void BarChart::SetUnitText(const QString &text) {
    m_unitText = text;
    Changed();
}

void BarChart::SetAxisTitle(const QString &text) {
    m_axisTitle = text;
    Changed();
}

void BarChart::SetMaxValue(int value) {
    m_maxValue = std::clamp(value, 0, kMaxValue);
    Changed();
}

void BarChart::SetDivisionCount(int count) {
    m_divisionCount = std::clamp(count, 1, kMaxCount);
    Changed();
}

void BarChart::SetSeriesCount(int count) {
    const auto old = m_series.size();
    m_series.resize(static_cast<std::size_t>(std::clamp(count, 1, kMaxCount)));
    for (auto i = old; i < m_series.size(); ++i) {
        m_series[i].colour = kNewSeriesColours[i % kNewSeriesColours.size()];
        m_series[i].values.assign(m_categoryNames.size(), 0.0);
    }
    m_currentSeries = 0;
    Changed();
}

void BarChart::SetCurrentSeries(int index) {
    m_currentSeries = index >= 0 && index < SeriesCount() ? index : 0;
    Changed();
}

void BarChart::SetSeriesName(const QString &name) {
    m_series[m_currentSeries].name = name;
    Changed();
}

void BarChart::SetSeriesColor(Rgb colour) {
    m_series[m_currentSeries].colour = {std::clamp(colour.r, 0, 255), std::clamp(colour.g, 0, 255),
                                        std::clamp(colour.b, 0, 255)};
    Changed();
}

void BarChart::SetCategoryCount(int count) {
    const auto size = static_cast<std::size_t>(std::clamp(count, 1, kMaxCount));
    m_categoryNames.resize(size);
    for (Series &series : m_series) series.values.resize(size, 0.0);
    m_currentCategory = 0;
    Changed();
}

void BarChart::SetCurrentCategory(int index) {
    m_currentCategory = index >= 0 && index < CategoryCount() ? index : 0;
    Changed();
}

void BarChart::SetCategoryName(const QString &name) {
    m_categoryNames[m_currentCategory] = name;
    Changed();
}

void BarChart::SetValue(double value) {
    // !(value > 0) also catches NaN and turns -0 into 0.
    if (!(value > 0))
        value = 0;
    else if (value > kMaxValue)
        value = kMaxValue;
    m_series[m_currentSeries].values[m_currentCategory] = value;
    Changed();
}

void BarChart::SetTipTemplate(const QString &text) {
    m_tipTemplate = text;
    Changed();
}

void BarChart::SetVisible(bool visible) {
    m_visible = visible;
    Changed();
}

void BarChart::FitValueAxis() {
    double largest = 0;
    for (const Series &series : m_series)
        for (double value : series.values) largest = std::max(largest, value);
    if (!(largest > 0)) {
        m_maxValue = 10;
        m_divisionCount = 10;
        Changed();
        return;
    }
    // Values are at most 10,000,000, so a step of 2,000,000 always fits.
    long long step = 1;
    for (long long magnitude = 1;; magnitude *= 10) {
        const long long candidates[] = {magnitude, 2 * magnitude, 5 * magnitude};
        const auto found = std::find_if(std::begin(candidates), std::end(candidates),
                                        [&](long long c) { return largest / c < 10; });
        if (found != std::end(candidates)) {
            step = *found;
            break;
        }
    }
    const long long divisions = static_cast<long long>(std::floor(largest / step)) + 1;
    m_maxValue = static_cast<int>(std::min<long long>(divisions * step, kMaxValue));
    m_divisionCount = static_cast<int>(divisions);
    Changed();
}

QString BarChart::SeriesName(int series) const {
    return series >= 0 && series < SeriesCount() ? m_series[series].name : QString();
}

Rgb BarChart::SeriesColor(int series) const {
    return series >= 0 && series < SeriesCount() ? m_series[series].colour : kBlack;
}

QString BarChart::CategoryName(int category) const {
    return category >= 0 && category < CategoryCount() ? m_categoryNames[category] : QString();
}

double BarChart::Value(int series, int category) const {
    if (series < 0 || series >= SeriesCount() || category < 0 || category >= CategoryCount())
        return 0.0;
    return m_series[series].values[category];
}

QString BarChart::DivisionLabel(int i) const {
    // Integer arithmetic: i × MaxValue stays below 1e9 and the rounding is exact.
    const long long numerator = 2LL * std::max(i, 0) * m_maxValue + m_divisionCount;
    return QString::number(numerator / (2LL * m_divisionCount));
}

double BarChart::BarFraction(int series, int category) const {
    if (m_maxValue == 0) return 0.0;
    return std::min(Value(series, category) / m_maxValue, 1.0);
}

QString BarChart::TipText(int series, int category) const {
    QString text = m_tipTemplate;
    text.replace(QLatin1String("${v}"), ToText(Value(series, category)));
    return text;
}

}  // namespace tunnel
