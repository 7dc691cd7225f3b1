#include "modules/formwork/formwork_report.h"

#include <QDir>

#include "modules/formwork/formwork.h"
#include "services/dialogs.h"
#include "services/docx_document.h"
#include "services/ini_file.h"
#include "services/report_export.h"
#include "ui/form.h"
#include "ui/window_spec.h"

namespace tunnel {

using namespace formwork;

namespace {

// Ten passes cover every occurrence of an input or result; the evaluation
// texts occur once each.
constexpr FormworkReportRow kRows[] = {
    {kHeight, 10, "参数导出倒计时5"},
    {kSpan, 10},
    {kSlab, 10},
    {kBeamB, 10},
    {kBeamH, 10},
    {kQuestion2, 10},
    {kQuestion1, 10, "参数导出倒计时4"},
    {kG1k, 10},
    {kG2k, 10},
    {kG3kSlab, 10},
    {kG3kBeam, 10},
    {kQ1k, 10},
    {kQ2k, 10, "参数导出倒计时3"},
    {kWind, 10},
    {kSlabLive, 10},
    {kSlabDead, 10},
    {kSlabMax, 10},
    {kLineLive, 10},
    {kLineDead, 10, "参数导出倒计时2"},
    {kLineMax, 10},
    {"编辑框1评价1", 1, nullptr, "写入完毕，数据排版，请稍候……\r\n"},
    {"编辑框1评价2", 1},
    {"编辑框1评价3", 1},
    {"编辑框1评价4", 1, "参数导出倒计时1"},
    {"编辑框1评价5", 1},
    {"编辑框1评价6", 1},
    {kVerdict, 1},
};

class BusyGuard {
public:
    explicit BusyGuard(Form &form) : m_form(form) { m_form.SetBusy(true); }
    ~BusyGuard() { m_form.SetBusy(false); }

private:
    Form &m_form;
};

}  // namespace

std::span<const FormworkReportRow> FormworkReportRows() {
    return kRows;
}

void ExportFormworkReport(Form &form) {
    Dialogs &dialogs = form.dialogs();
    if (dialogs.Message(U("确定开始导出，中途请勿进行其他操作！"), U("信息："),
                        Buttons::OkCancel) != kAnswerOk)
        return;
    BusyGuard busy(form);
    const QString folder = ExportFolder(form);
    QDir().mkpath(folder);
    const QString notice = U(kNotice);
    form.SetCaption(notice, U("参数导出准备中……"));

    // Filled in memory and written once, so a failed write keeps the
    // previous report whole.
    const QString path = folder + QLatin1Char('/') + U(kFormworkReportName);
    DocxDocument document;
    QString failure;
    document.Open(TemplateBytes("formwork"), &failure);
    form.AppendLog(U("导出程序准备，开始写入……\r\n"));

    for (const FormworkReportRow &row : kRows) {
        if (row.logBefore) form.AppendLog(U(row.logBefore));
        if (row.noticeBefore) form.SetCaption(notice, U(row.noticeBefore));
        // Drop-downs give their displayed text, blanks included.
        document.ReplacePlaceholder(U(row.placeholder), form.Text(U(row.placeholder)), row.passes);
    }
    form.AppendLog(U("排版完毕，导出数据！\r\n"));
    form.SetCaption(notice, U("参数导出倒计时0"));

    if (failure.isEmpty()) {
        const QByteArray bytes = document.Save(&failure);
        if (failure.isEmpty()) failure = WriteFileAtomically(path, bytes);
    }
    if (!failure.isEmpty()) {
        dialogs.Message(
            U("导出失败！\r\n文件：%1\r\n原因：%2").arg(QDir::toNativeSeparators(path), failure),
            U("信息："), Buttons::Ok, Icon::Error);
        return;
    }

    dialogs.Pause(500);
    ProgressAnimation(form, kNotice, Animation::DoneNotice);
    dialogs.Message(U("自动生成计算书成功！"));
    form.AppendLog(U("计算书导出完成！\r\n"));
    dialogs.OpenFolder(folder);
}

}  // namespace tunnel
