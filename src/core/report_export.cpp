#include "core/report_export.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>

#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/docx_document.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "core/project_info.h"
#include "core/template_document.h"

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
    return form.DataFolder() + QStringLiteral("/导出的方案");
}

QString FreeReportPath(const QString &folder, const QString &fileName) {
    const QString path = folder + QLatin1Char('/') + fileName;
    if (!QFileInfo::exists(path)) return path;
    const QFileInfo name(fileName);
    const QString base = name.completeBaseName();
    const QString suffix = name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix();
    for (int n = 2;; ++n) {
        const QString next = QStringLiteral("%1/%2(%3)%4").arg(folder, base).arg(n).arg(suffix);
        if (!QFileInfo::exists(next)) return next;
    }
}

QByteArray TemplateBytes(const char *templateName) {
    // Read in place: copying the package out of the resource took half of
    // an export.
    const QResource resource(QStringLiteral(":/templates/%1.docx").arg(U(templateName)));
    return resource.isValid() ? resource.uncompressedData() : QByteArray();
}

bool ReportIsStale(const Form &form, const ReportTable &report) {
    for (const ReportFill &fill : Fills(report)) {
        if (!fill.field || fill.printed == Printed::Text) continue;
        const QString id = U(fill.field);
        if (fill.printed == Printed::Result) {
            if (fill.requiredWith && !Filled(form.Text(fill.requiredWith))) continue;
            if (!Filled(form.Text(id))) return true;
        } else if (form.EditedSinceCalculation(id)) {
            return true;
        }
    }
    return false;
}

namespace {

// The Document step: the filled document completed, saved and written in
// one atomic write, so a failure leaves the earlier report intact. Empty, or
// why it failed (an earlier failure, e.g. of the template, stands).
QString CompleteAndWrite(Form &form, const ReportTable &report, DocxDocument &document,
                         const QString &path, QString failure) {
    const QDateTime now = QDateTime::currentDateTime();
    FillProjectInfo(document, ReadProjectInfo(form.DataFolder(), now.date()));
    document.SetEntryTime(now.toSecsSinceEpoch());
    if (!failure.isEmpty()) return failure;
    // A report without checks has no section: its placeholder paragraph goes.
    document.ReplaceParagraph(QStringLiteral("校核_内容"),
                              report.checks ? CheckSection(report.checks(form)) : QStringList());
    if (report.finish) report.finish(form, document);
    const QByteArray bytes = document.Save(&failure);
    return failure.isEmpty() ? WriteFileAtomically(path, bytes) : failure;
}

}  // namespace

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
    const QString path = FreeReportPath(folder, U(report.outputName));
    bool written = false;

    // The steps fill the document in memory; the Document step writes it.
    QString failure;
    DocxDocument document = TemplateDocument(report.templateName, &failure);
    if (report.prepare && failure.isEmpty()) report.prepare(form, document);

    const QString notice = U(report.noticeId);
    for (const ReportStep &step : report.steps) {
        switch (step.kind) {
            case StepKind::Notice:
                form.SetCaption(notice, U(step.text));
                break;
            case StepKind::Log:
                form.AppendLog(U(step.text));
                break;
            case StepKind::Fill: {
                const ReportFill &fill = step.fill;
                document.ReplacePlaceholder(fill.placeholder,
                                            fill.value ? fill.value(form) : form.Text(fill.field),
                                            fill.passes);
                break;
            }
            case StepKind::Document:
                failure = CompleteAndWrite(form, report, document, path, failure);
                if (!failure.isEmpty()) {
                    dialogs.Message(QStringLiteral("导出失败！\r\n文件：%1\r\n原因：%2")
                                        .arg(QDir::toNativeSeparators(path), failure),
                                    QStringLiteral("信息："), Buttons::Ok, Icon::Error);
                    return;
                }
                written = true;
                break;
            case StepKind::Pause:
                dialogs.Pause(step.ms);
                break;
            case StepKind::Animation:
                ProgressAnimation(form, report.noticeId, step.animation);
                break;
            case StepKind::Message:
                dialogs.Message(written ? QStringLiteral("%1\r\n文件：%2")
                                              .arg(U(step.text), QDir::toNativeSeparators(path))
                                        : U(step.text));
                break;
            case StepKind::OpenFolder:
                if (!dialogs.OpenFolder(folder))
                    dialogs.Message(QStringLiteral("无法打开文件夹，计算书保存在：\r\n%1")
                                        .arg(QDir::toNativeSeparators(path)));
                break;
        }
    }
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
        if (p == 100 && variant != Animation::NoWaits) {
            dialogs.Pause(500);
            if (variant == Animation::DoneNotice)
                form.SetCaption(notice, QStringLiteral("导出完成！"));
            else if (variant == Animation::DownloadNotice)
                form.SetCaption(notice, QStringLiteral("下载完成  "));
            form.SetProgress(0);
        }
        if (variant != Animation::NoWaits) dialogs.Wait(1);
    }
}

}  // namespace tunnel
