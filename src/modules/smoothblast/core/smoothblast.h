#pragma once

#include "core/bar_chart.h"
#include "core/window_table.h"

namespace tunnel {

class BarChart;
class Form;

// Widths of the smooth blasting window: the input half alone, fully open
// with the result half, and the step of the slide between them.
inline constexpr int kBlastInputWidth = 590;
inline constexpr int kBlastOpenWidth = 1300;
inline constexpr int kBlastSlideStep = 142;

// Units that the window places itself.
inline constexpr char kBlastCalculateButton[] = "按钮1";
inline constexpr char kBlastLayoutButton[] = "按钮2";
inline constexpr char kBlastEvaluationButton[] = "按钮1_爆破影响导出1";
inline constexpr char kBlastOpenButton[] = "按钮4_打开数据";
inline constexpr char kBlastSaveButton[] = "按钮2_保存数据";
inline constexpr char kBlastExportButton[] = "按钮1_爆破影响导出";
inline constexpr char kBlastChangeNotice[] = "标签1_说明";

// Unit names of the window's fields and of the units it adds to its table's.

// Inputs.
inline constexpr char kAreaId[] = "编辑框1_断面面积";
inline constexpr char kAdvanceId[] = "编辑框1_隧道进尺";
inline constexpr char kOutlineId[] = "编辑框1_开挖面外弧长";
inline constexpr char kFloorWidthId[] = "编辑框1_底板长";
inline constexpr char kSpecificChargeId[] = "编辑框1_单位体积岩体的耗药量";
inline constexpr char kCutCountId[] = "编辑框2_掏槽眼数量";
inline constexpr char kCutPerMetreId[] = "编辑框2_掏槽装药集中系数";
inline constexpr char kAuxPerMetreId[] = "编辑框3_辅助眼装填集中系数";
inline constexpr char kSpacingId[] = "编辑框4_周边眼间距";
inline constexpr char kBurdenId[] = "编辑框4_光爆层厚";
inline constexpr char kPerimeterPerMetreId[] = "编辑框4_周边眼装填集中系数";
inline constexpr char kFloorSpacingId[] = "编辑框5_底板眼间距";
inline constexpr char kFloorPerMetreId[] = "编辑框5_底板眼装填集中系数";
inline constexpr char kHoleDiameterId[] = "编辑框3_炮眼钻孔直径";
inline constexpr char kDecouplingId[] = "编辑框3_装药不耦合系数";

// Results.
inline constexpr char kCutPerHoleId[] = "编辑框6_掏槽眼单孔装药量";
inline constexpr char kCutHolesId[] = "编辑框6_掏槽眼数量";
inline constexpr char kCutChargeId[] = "编辑框6_掏槽眼总装药量";
inline constexpr char kAuxPerHoleId[] = "编辑框7_辅助眼单孔装药量";
inline constexpr char kAuxHolesId[] = "编辑框7_辅助眼数量";
inline constexpr char kAuxChargeId[] = "编辑框7_辅助眼总装药量";
inline constexpr char kRatioId[] = "编辑框8_周边眼集密系数";
inline constexpr char kPerimeterPerHoleId[] = "编辑框8_周边眼单孔装药量";
inline constexpr char kPerimeterHolesId[] = "编辑框8_周边眼数量";
inline constexpr char kPerimeterChargeId[] = "编辑框8_周边眼装药量";
inline constexpr char kFloorPerHoleId[] = "编辑框9_底板眼单孔装药量";
inline constexpr char kFloorHolesId[] = "编辑框9_底板眼数量";
inline constexpr char kFloorChargeId[] = "编辑框9_底板眼装药量";
inline constexpr char kTotalHolesId[] = "编辑框10_断面钻眼总数量";
inline constexpr char kTotalChargeId[] = "编辑框10_总装药量";
inline constexpr char kChargeDiameterId[] = "编辑框3_计算炸药直径";

// The cut type options beside the cut parameters, which open the cut sketches.
inline constexpr char kWedgeCutOptionId[] = "单选框1";
inline constexpr char kParallelCutOptionId[] = "单选框2";
inline constexpr char kSlideTimerId[] = "时钟2";
inline constexpr char kCountsChartId[] = "柱状图控件1";
inline constexpr char kChargesChartId[] = "柱状图控件2";
inline constexpr char kPatternButtonId[] = "按钮3_钻爆设计图";
// The drill pattern picture the window draws for the report.
inline constexpr char kPatternPictureId[] = "钻爆设计图";

// What the calculate command drives besides the fields: the window's width,
// its slide timer, the result half and the bar charts of the hole counts and
// of the charges.
class SmoothBlastView {
public:
    virtual ~SmoothBlastView() = default;

    virtual int WindowWidth() const = 0;
    virtual void SetWindowWidth(int width) = 0;
    // Starts the slide timer with a 1 ms period and handles the pending
    // events once.
    virtual void StartSlide() = 0;
    virtual void StopSlide() = 0;
    virtual void ShowResultHalf() = 0;
    virtual BarChart &Chart() = 0;
    virtual BarChart &ChargeChart() = 0;
};

// The view without a window, for runs without widgets: it records the width
// and whether the slide runs, and holds both charts.
class HeadlessBlastView : public SmoothBlastView {
public:
    HeadlessBlastView();
    int WindowWidth() const override { return width; }
    void SetWindowWidth(int w) override { width = w; }
    void StartSlide() override { running = true; }
    void StopSlide() override { running = false; }
    void ShowResultHalf() override {}
    BarChart &Chart() override { return chart; }
    BarChart &ChargeChart() override { return charges; }

    int width;
    bool running = false;
    BarChart chart;
    BarChart charges;
};

// The smooth blasting window "隧道光面爆破设计与计算": inputs, results,
// change reactions, parameter file section "2.3" and the parameter and
// result table.
const WindowTable &SmoothBlastTable();

// The calculate command: toggles the result half, computes the charges and
// hole counts of the four hole types, the charge diameter and the totals
// (each step reads the displayed, rounded results of the earlier ones) and
// fills the charts, each axis scaled to its values. Empty inputs read as 0. When the result half
// opens and the new auxiliary charge is negative, the limit message is shown.
void CalculateBlast(Form &form, SmoothBlastView &view);

// Enter in a field: with the result half shown (or opening), computes again
// and keeps it shown; else the calculate command.
void RecalculateBlast(Form &form, SmoothBlastView &view);

// The checks of the results on the form: a negative auxiliary charge.
QStringList SmoothBlastChecks(const Form &form);

// One tick of the slide timer: the window grows by 142 px and the timer
// stops once the open width is reached.
void SlideStep(SmoothBlastView &view);

// Change hook of the perimeter spacing: the burden becomes 1.25 × spacing.
void PerimeterSpacingChanged(Form &form);

}  // namespace tunnel
