#include "modules/formwork/core/formwork_report.h"

#include "core/form.h"
#include "core/report_export.h"
#include "core/window_table.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_checks.h"

namespace tunnel {

namespace {

// Each placeholder is its source unit's name (a field or a drop-down, whose
// displayed text, blanks included, is written). Ten passes cover every
// occurrence of an input or result; the evaluation texts occur once each and
// stand empty where an item does not apply.
constexpr ReportStep kReportSteps[] = {
    Notice("参数导出准备中……"),
    Log("导出程序准备，开始写入……\r\n"),
    Notice("参数导出倒计时5"),
    Fill(kHeightId, Occurrences{10}),
    Fill(kSpanId, Occurrences{10}),
    Fill(kSlabId, Occurrences{10}),
    Fill(kBeamBId, Occurrences{10}),
    Fill(kBeamHId, Occurrences{10}),
    Fill(kQuestion2Id, Occurrences{10}),
    Notice("参数导出倒计时4"),
    Fill(kQuestion1Id, Occurrences{10}),
    Fill(kG1kId, Occurrences{10}),
    Fill(kG2kId, Occurrences{10}),
    Fill(kG3kSlabId, Occurrences{10}),
    Fill(kG3kBeamId, Occurrences{10}),
    Fill(kQ1kId, Occurrences{10}),
    Notice("参数导出倒计时3"),
    Fill(kQ2kId, Occurrences{10}),
    Fill(kWindId, Occurrences{10}),
    Fill(kSlabLiveId, Occurrences{10}, Printed::Result),
    Fill(kSlabDeadId, Occurrences{10}, Printed::Result),
    Fill(kSlabMaxId, Occurrences{10}, Printed::Result),
    Fill(kLineLiveId, Occurrences{10}, Printed::Result),
    Notice("参数导出倒计时2"),
    Fill(kLineDeadId, Occurrences{10}, Printed::Result),
    Fill(kLineMaxId, Occurrences{10}, Printed::Result),
    Log("写入完毕，数据排版，请稍候……\r\n"),
    Fill(kEvaluations[0], Occurrences{1}, Printed::Text),
    Fill(kEvaluations[1], Occurrences{1}, Printed::Text),
    Fill(kEvaluations[2], Occurrences{1}, Printed::Text),
    Notice("参数导出倒计时1"),
    Fill(kEvaluations[3], Occurrences{1}, Printed::Text),
    Fill(kEvaluations[4], Occurrences{1}, Printed::Text),
    Fill(kEvaluations[5], Occurrences{1}, Printed::Text),
    Fill(kVerdictId, Occurrences{1}, Printed::Result),
    Log("排版完毕，导出数据！\r\n"),
    Notice("参数导出倒计时0"),
    WriteDocument(),
    Pause(500),
    Animate(Animation::DoneNotice),
    Message("自动生成计算书成功！"),
    Log("计算书导出完成！\r\n"),
    OpenFolder(),
};

const ReportTable kReport{
    .templateName = "formwork",
    .outputName = kFormworkReportName,
    .noticeId = kFormworkNoticeId,
    .steps = kReportSteps,
    .checks = &FormworkChecks,
};

}  // namespace

void ExportFormworkReport(Form &form) {
    ExportReport(form, kReport);
}

const ReportTable &FormworkReport() {
    return kReport;
}

}  // namespace tunnel
