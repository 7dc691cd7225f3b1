#pragma once

#include <QString>
#include <QStringList>

namespace tunnel {

class Form;

// The three categories of the regulation on dangerous sub-projects.
enum class Danger {
    None,       // not a dangerous sub-project
    Scheme,     // dangerous: a special construction scheme
    OverScale,  // beyond a certain scale: scheme and expert review
};

// x ≥ limit within the absolute tolerance 1e-7.
bool AtLeast(double x, double limit);

// The category of a quantity with its two limits (x < lower: None, then
// Scheme, from upper on OverScale), compared with AtLeast.
Danger Classify(double x, double lower, double upper);

// The six evaluation items: header and category line into each box and the
// log (300 ms pause before each item), then the verdict from the most severe
// phrase found in the log text, written on RGB(0, 96, 192).
void EvaluateDanger(Form &form);

// The verdict text for a log text, empty when no phrase occurs.
QString VerdictFor(const QString &logText);

// The answers of a question's drop-down (组合框1 or 组合框2) in index order;
// the window selects index 1, "    否".
QStringList QuestionChoices(const char *combo);

// Fills both drop-downs with their answers on "    否", in a window and in a
// form without one alike.
void PrepareQuestions(Form &form);

}  // namespace tunnel
