#pragma once

#include <QByteArray>

#include "core/window_table.h"

namespace tunnel {

class Form;

// Folder of the exported reports below the program folder.
QString ExportFolder(const Form &form);

// The embedded template package of that name, empty when there is none.
QByteArray TemplateBytes(const char *templateName);

// Whether the report would print an empty result or an input edited since
// the last calculation.
bool ReportIsStale(const Form &form, const ReportTable &report);

// The export procedure: for a stale report the question whether to export
// anyway (default 否, which ends it), confirmation, export folder, template written,
// placeholders replaced with the countdown notices, document saved, progress
// animation, completion line and message, folder shown. A failure to write
// the output file is reported instead of the completion message.
void ExportReport(Form &form, const ReportTable &report);

// The progress bar animation after an export.
void ProgressAnimation(Form &form, const char *noticeId, Animation variant);

}  // namespace tunnel
