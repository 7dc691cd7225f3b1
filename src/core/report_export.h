#pragma once

#include <QByteArray>
#include <ranges>

#include "core/window_table.h"

namespace tunnel {

class Form;

// Folder of the exported reports below the program folder.
QString ExportFolder(const Form &form);

// Where a report of that file name goes in the folder without replacing a
// file there, which the engineer may have edited: the name itself, else
// "name(2).docx", "name(3).docx" and so on.
QString FreeReportPath(const QString &folder, const QString &fileName);

// The embedded template package of that name, empty when there is none.
QByteArray TemplateBytes(const char *templateName);

// The Fill steps of a report, in the order they are played.
inline auto Fills(const ReportTable &report) {
    return report.steps |
           std::views::filter([](const ReportStep &step) { return step.kind == StepKind::Fill; }) |
           std::views::transform(
               [](const ReportStep &step) -> const ReportFill & { return step.fill; });
}

// Whether a Fill step would print an empty result or an input edited since
// the last calculation.
bool ReportIsStale(const Form &form, const ReportTable &report);

// The export: for a stale report the question whether to export anyway
// (default 否, which ends it), the confirmation, the busy state, the export
// folder, the template opened and prepared; then the report's steps in
// order. A failed Document step shows the failure and ends the run; the
// report's messages after it name the written file, and a folder that
// cannot be shown is named instead.
void ExportReport(Form &form, const ReportTable &report);

// The progress bar animation of an Animation step.
void ProgressAnimation(Form &form, const char *noticeId, Animation variant);

}  // namespace tunnel
