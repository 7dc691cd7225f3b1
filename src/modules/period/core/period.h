#pragma once

#include <QString>

#include "core/window_table.h"

namespace tunnel {

class Form;

// The period window "隧道工期计算": six stretches of rock grade, each with
// length, advance per cycle and cycle time; cycles, advances and periods per
// stretch, their totals and a chart.
inline constexpr int kPeriodRows = 6;

// Unit names of a row without the row digit (0..5) that ends them.
inline constexpr char kGradeBase[] = "组合框1_围岩等级";
inline constexpr char kLengthBase[] = "编辑框1_各类围岩长度";
inline constexpr char kAdvanceBase[] = "编辑框1_每循环进尺";
inline constexpr char kCycleTimeBase[] = "编辑框1_每循环用时";
inline constexpr char kCyclesBase[] = "编辑框2_循环次数";
inline constexpr char kMonthCyclesBase[] = "编辑框2_月循环数";
inline constexpr char kDayCyclesBase[] = "编辑框2_天循环数";
inline constexpr char kDayAdvanceBase[] = "编辑框3_每天进尺";
inline constexpr char kMonthAdvanceBase[] = "编辑框3_月进尺";
inline constexpr char kDaysBase[] = "编辑框4_工期天";
inline constexpr char kMonthsBase[] = "编辑框4_工期月";
inline constexpr char kYearsBase[] = "编辑框4_工期年";

// The totals line; the period totals carry the row digit 6.
inline constexpr char kTotalLength[] = "编辑框1_汇总长度";
inline constexpr char kTotalCycles[] = "编辑框2_总循环次数";
inline constexpr char kTotalDays[] = "编辑框4_工期天6";
inline constexpr char kTotalMonths[] = "编辑框4_工期月6";
inline constexpr char kTotalYears[] = "编辑框4_工期年6";

inline constexpr char kPeriodNotice[] = "标签1_提示窗口";
inline constexpr char kPeriodChart[] = "柱状图控件1";

// Buttons that the window connects or places itself.
inline constexpr char kPeriodAdvanceButton[] = "按钮2";
inline constexpr char kPeriodCycleTimeButton[] = "按钮3";
inline constexpr char kPeriodOpenButton[] = "按钮4_打开数据";
inline constexpr char kPeriodSaveButton[] = "按钮2_保存数据";
inline constexpr char kPeriodCalculateButton[] = "按钮1";
inline constexpr char kPeriodExportButton[] = "按钮4";
inline constexpr char kPeriodEditorButton[] = "按钮5";

// The unit name of a row's unit, e.g. RowId(kLengthBase, 3).
QString RowId(const char *base, int row);

// The window table (fields, groups, file buttons, report).
const WindowTable &PeriodTable();

// The calculate command: every row (the eight results of a complete row,
// each rounded to 2 decimals and read back as displayed, or all eight
// emptied), the totals, the chart content, the notice emptied.
void CalculatePeriod(Form &form);

// Section "2.4": keys 1..6 the selectors' indices, 7..24 the input texts.
// Saving shows "保存成功！" or the reason it failed.
void SavePeriodParameters(Form &form);
// Loads the rock grade list into all six selectors first, then applies the
// stored indices (one outside the list leaves that selector empty) and the
// input texts.
void OpenPeriodParameters(Form &form);

}  // namespace tunnel
