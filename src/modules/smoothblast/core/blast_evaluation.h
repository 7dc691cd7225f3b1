#pragma once

#include <QString>
#include <QStringList>

#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

// What the verdict box of the evaluation window shows: its whole text, the
// text colour and the font size in points.
struct Verdict {
    QString text;
    Rgb colour;
    int points = 9;
    friend bool operator==(const Verdict &, const Verdict &) = default;
};

// Unit names of the evaluation window.
inline constexpr char kEvaluationRemaining[] = "编辑框1_残留周边眼炮眼数量";
inline constexpr char kEvaluationTotal[] = "编辑框1_周边眼总数";
inline constexpr char kEvaluationFactor[] = "编辑框1_周边眼炮炮痕保存率";
inline constexpr char kEvaluationVerdict[] = "编辑框1评价结果";
inline constexpr char kEvaluationRockClass[] = "组合框1";
inline constexpr char kEvaluationShare[] = "标签1标准炮眼保存率";
inline constexpr char kEvaluationButton[] = "按钮1";
inline constexpr char kEvaluationHeading[] = "标签3";

// The blasting effect evaluation window "爆破效果评价": rock class, counts of
// perimeter holes, half-cast factor and its verdict.
const WindowTable &EvaluationTable();

// Items of the rock class list, hardest first.
QStringList RockClasses();

// Shows the required share of the chosen rock class in its label.
void RockClassChosen(Form &form);

// The evaluate command. The half-cast factor n / N × 100 (2 decimals) is
// written first, whatever the inputs; then missing inputs, a factor above
// 100 % and the class threshold decide the verdict. Equality with the
// threshold (within 1e-7) passes, and so does exactly 100 %.
Verdict EvaluateBlast(Form &form);

// Hints that replace the verdict when a count field gets the focus.
Verdict TotalHolesHint();
Verdict RemainingHolesHint();

}  // namespace tunnel
