#pragma once

namespace tunnel {

class Form;
struct ReportTable;

// File name of the report in the export folder.
inline constexpr char kFormworkReportName[] = "模板工程及支撑体系危险性分析计算书.docx";

// "导出计算书": confirmation, the template filled in memory with the countdown
// notices and log lines, written atomically, a 500 ms pause, the progress
// animation ending in "导出完成！", the success message, the closing log
// line and the export folder shown. A failed write is reported instead.
void ExportFormworkReport(Form &form);

// The report that ExportFormworkReport exports.
const ReportTable &FormworkReport();

}  // namespace tunnel
