#pragma once

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

// One tick of the slide timer: the window grows by 142 px and the timer
// stops once the open width is reached.
void SlideStep(SmoothBlastView &view);

// Change hook of the perimeter spacing: the burden becomes 1.25 × spacing.
void PerimeterSpacingChanged(Form &form);

}  // namespace tunnel
