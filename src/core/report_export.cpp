#include "core/report_export.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QResource>

#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/docx_document.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "core/project_info.h"

namespace tunnel {

namespace {

// Re-enables the export button however the export ends.
class BusyGuard {
public:
    explicit BusyGuard(Form &form) : m_form(form) { m_form.SetBusy(true); }
    ~BusyGuard() { m_form.SetBusy(false); }

private:
    Form &m_form;
};

}  // namespace

QString ExportFolder(const Form &form) {
    return form.ProgramFolder() + QStringLiteral("/导出的方案");
}

QByteArray TemplateBytes(const char *templateName) {
    // Read in place: copying the package out of the resource took half of
    // an export.
    const QResource resource(QStringLiteral(":/templates/%1.docx").arg(U(templateName)));
    return resource.isValid() ? resource.uncompressedData() : QByteArray();
}

bool ReportIsStale(const Form &form, const ReportTable &report) {
    for (const ReportRow &row : report.rows) {
        if (!row.field || row.printed == Printed::Text) continue;
        const QString id = U(row.field);
        if (row.printed == Printed::Result) {
            if (row.requiredWith && !Filled(form.Text(row.requiredWith))) continue;
            if (!Filled(form.Text(id))) return true;
        } else if (form.EditedSinceCalculation(id)) {
            return true;
        }
    }
    return false;
}

void ExportReport(Form &form, const ReportTable &report) {
    Dialogs &dialogs = form.DialogService();
    if (ReportIsStale(form, report) &&
        dialogs.Message(QStringLiteral("计算结果为空或参数已修改，请先计算。仍要导出吗？"),
                        QStringLiteral("信息："), Buttons::YesNo, Icon::Question) != kAnswerYes)
        return;
    if (dialogs.Message(QStringLiteral("确定开始导出，中途请勿进行其他操作！"),
                        QStringLiteral("信息："), Buttons::OkCancel) != kAnswerOk)
        return;
    BusyGuard busy(form);
    const QString folder = ExportFolder(form);
    QDir().mkpath(folder);
    const QString notice = U(report.noticeId);
    form.SetCaption(notice, report.preparingNotice);

    // The document is filled in memory and written once at the end, so a
    // failed write leaves the earlier report intact.
    const QString path = folder + QLatin1Char('/') + U(report.outputName);
    DocxDocument document;
    QString failure;
    document.Open(TemplateBytes(report.templateName), &failure);
    if (report.prepare && failure.isEmpty()) report.prepare(form, document);

    if (report.startLog) form.AppendLog(report.startLog);
    if (report.firstNotice) form.SetCaption(notice, report.firstNotice);
    for (const ReportRow &row : report.rows) {
        if (row.logBefore) form.AppendLog(row.logBefore);
        if (row.noticeBefore) form.SetCaption(notice, row.noticeBefore);
        const QString value = row.value ? row.value(form) : form.Text(row.field);
        document.ReplacePlaceholder(row.placeholder, value, row.passes);
        if (row.noticeAfter) form.SetCaption(notice, row.noticeAfter);
    }
    const QDateTime now = QDateTime::currentDateTime();
    FillProjectInfo(document, ReadProjectInfo(form.ProgramFolder(), now.date()));
    document.SetEntryTime(now.toSecsSinceEpoch());
    if (report.finishLog) form.AppendLog(report.finishLog);
    if (report.finishNotice) form.SetCaption(notice, report.finishNotice);

    if (report.finish && failure.isEmpty()) report.finish(form, document);
    if (failure.isEmpty()) {
        const QByteArray bytes = document.Save(&failure);
        if (failure.isEmpty()) failure = WriteFileAtomically(path, bytes);
    }
    if (!failure.isEmpty()) {
        dialogs.Message(QStringLiteral("导出失败！\r\n文件：%1\r\n原因：%2")
                            .arg(QDir::toNativeSeparators(path), failure),
                        QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return;
    }

    if (report.pauseAfterSave > 0) dialogs.Pause(report.pauseAfterSave);
    if (report.animationNotice) form.SetCaption(notice, report.animationNotice);
    ProgressAnimation(form, report.noticeId, report.animation);
    if (report.completionLog && !report.completionLogLast) form.AppendLog(report.completionLog);
    dialogs.Message(report.completionMessage);
    if (report.completionLog && report.completionLogLast) form.AppendLog(report.completionLog);
    dialogs.OpenFolder(folder);
}

void ProgressAnimation(Form &form, const char *noticeId, Animation variant) {
    Dialogs &dialogs = form.DialogService();
    const QString notice = U(noticeId);
    form.SetProgressMaximum(100);
    for (int step = 0; step < 100; ++step) {
        const int p = qMin(form.Progress() + 1, 100);
        form.SetProgress(p);
        form.SetCaption(
            notice, QStringLiteral("已导出 ") + ToText(p / 100.0 * 100) + QStringLiteral("%  "));
        if (p == 100 && variant != Animation::None) {
            dialogs.Pause(500);
            if (variant == Animation::DoneNotice)
                form.SetCaption(notice, QStringLiteral("导出完成！"));
            else if (variant == Animation::DownloadNotice)
                form.SetCaption(notice, QStringLiteral("下载完成  "));
            form.SetProgress(0);
        }
        if (variant != Animation::None) dialogs.Wait(1);
    }
}

}  // namespace tunnel
