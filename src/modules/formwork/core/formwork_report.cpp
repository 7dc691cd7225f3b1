#include "modules/formwork/core/formwork_report.h"

#include "core/form.h"
#include "core/report_export.h"
#include "core/window_table.h"
#include "modules/formwork/core/formwork.h"

namespace tunnel {

using namespace formwork;

namespace {

// Each placeholder is its source unit's name (a field or a drop-down, whose
// displayed text, blanks included, is written).
constexpr ReportRow Row(const char *unit, int passes, const char *noticeBefore = nullptr,
                        const char *logBefore = nullptr) {
    return ReportRow{unit, unit, passes, nullptr, nullptr, noticeBefore, logBefore};
}

// The evaluation texts stand empty where an item does not apply.
constexpr ReportRow Out(ReportRow row, Printed printed = Printed::Result) {
    row.printed = printed;
    return row;
}

// Ten passes cover every occurrence of an input or result; the evaluation
// texts occur once each.
constexpr ReportRow kRows[] = {
    Row(kHeight, 10, "参数导出倒计时5"),
    Row(kSpan, 10),
    Row(kSlab, 10),
    Row(kBeamB, 10),
    Row(kBeamH, 10),
    Row(kQuestion2, 10),
    Row(kQuestion1, 10, "参数导出倒计时4"),
    Row(kG1k, 10),
    Row(kG2k, 10),
    Row(kG3kSlab, 10),
    Row(kG3kBeam, 10),
    Row(kQ1k, 10),
    Row(kQ2k, 10, "参数导出倒计时3"),
    Row(kWind, 10),
    Out(Row(kSlabLive, 10)),
    Out(Row(kSlabDead, 10)),
    Out(Row(kSlabMax, 10)),
    Out(Row(kLineLive, 10)),
    Out(Row(kLineDead, 10, "参数导出倒计时2")),
    Out(Row(kLineMax, 10)),
    Out(Row(kEvaluations[0], 1, nullptr, "写入完毕，数据排版，请稍候……\r\n"), Printed::Text),
    Out(Row(kEvaluations[1], 1), Printed::Text),
    Out(Row(kEvaluations[2], 1), Printed::Text),
    Out(Row(kEvaluations[3], 1, "参数导出倒计时1"), Printed::Text),
    Out(Row(kEvaluations[4], 1), Printed::Text),
    Out(Row(kEvaluations[5], 1), Printed::Text),
    Out(Row(kVerdict, 1)),
};

const ReportTable kReport{
    .templateName = "formwork",
    .outputName = kFormworkReportName,
    .noticeId = kNotice,
    .preparingNotice = "参数导出准备中……",
    .startLog = "导出程序准备，开始写入……\r\n",
    .firstNotice = nullptr,
    .rows = kRows,
    .animation = Animation::DoneNotice,
    .completionLog = "计算书导出完成！\r\n",
    .completionMessage = "自动生成计算书成功！",
    .pauseAfterSave = 500,
    .finishLog = "排版完毕，导出数据！\r\n",
    .finishNotice = "参数导出倒计时0",
    .completionLogLast = true,
};

}  // namespace

void ExportFormworkReport(Form &form) {
    ExportReport(form, kReport);
}

}  // namespace tunnel
