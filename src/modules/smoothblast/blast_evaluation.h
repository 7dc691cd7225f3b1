#pragma once

#include <QString>
#include <QStringList>

#include "ui/form.h"
#include "ui/window_table.h"

namespace tunnel {

// What the verdict box of the evaluation window shows: its whole text, the
// text colour and the font size in points.
struct Verdict {
    QString text;
    Rgb colour;
    int points = 9;
    friend bool operator==(const Verdict &, const Verdict &) = default;
};

// The blasting effect evaluation window "爆破效果评价": rock class, counts of
// perimeter holes, half-cast factor and its verdict.
const WindowSpec &EvaluationSpec();

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
