#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "core/module_entry.h"
#include "core/report_export.h"
#include "support/memory_form.h"

// A report's run as the user follows it, in order: notices, log lines,
// pauses, the animation, messages and the folder, with the fills in between
// counted; each report plays its steps exactly in the order of its list.

using namespace tunnel;
using tunnel::test::MemoryForm;
using tunnel::test::ScriptedDialogs;

namespace {

constexpr char kNotice[] = "提示";

// Records the run from the busy state on. A Fill step reads its field once;
// the animation starts by setting the bar's maximum, and its percentages are
// left out; a message is recorded by its first line.
class RunForm : public MemoryForm {
public:
    using MemoryForm::MemoryForm;

    void Record(const QString &event) const {
        if (!m_recording) return;
        if (event == u"fill" && !run.isEmpty() && run.last().startsWith(u"fill ×")) {
            run.last() = QStringLiteral("fill ×%1").arg(run.last().mid(6).toInt() + 1);
            return;
        }
        run << (event == u"fill" ? QStringLiteral("fill ×1") : event);
    }

    QString Text(QAnyStringView id) const override {
        Record(QStringLiteral("fill"));
        return MemoryForm::Text(id);
    }
    void SetCaption(QAnyStringView id, const QString &text) override {
        if (!text.startsWith(u"已导出")) Record(id.toString() + u' ' + text);
        MemoryForm::SetCaption(id, text);
    }
    void AppendLog(const QString &text) override {
        Record(QStringLiteral("log ") + text);
        MemoryForm::AppendLog(text);
    }
    void SetProgressMaximum(int maximum) override {
        Record(QStringLiteral("animation"));
        MemoryForm::SetProgressMaximum(maximum);
    }
    void SetBusy(bool busy) override {
        m_recording = busy;
        MemoryForm::SetBusy(busy);
    }
    Dialogs &DialogService() override { return m_dialogs; }

    mutable QStringList run;

private:
    struct RunDialogs : ScriptedDialogs {
        explicit RunDialogs(const RunForm &form) : m_form(form) {}
        int Message(const QString &text, const QString &caption, Buttons buttons,
                    Icon icon) override {
            m_form.Record(QStringLiteral("message ") + text.section(QStringLiteral("\r\n"), 0, 0));
            return ScriptedDialogs::Message(text, caption, buttons, icon);
        }
        void Pause(int ms) override { m_form.Record(QStringLiteral("pause %1").arg(ms)); }
        void Wait(int) override {}
        bool OpenFolder(const QString &) override {
            m_form.Record(QStringLiteral("open"));
            return true;
        }
        const RunForm &m_form;
    };

    bool m_recording = false;
    RunDialogs m_dialogs{*this};
};

// The hooks, in place of a report's own, mark where they run.
void RecordPrepare(const Form &form, DocxDocument &) {
    static_cast<const RunForm &>(form).Record(QStringLiteral("prepare"));
}
void RecordFinish(Form &form, DocxDocument &) {
    static_cast<const RunForm &>(form).Record(QStringLiteral("document"));
}
QStringList RecordChecks(const Form &form) {
    static_cast<const RunForm &>(form).Record(QStringLiteral("checks"));
    return {};
}

constexpr ReportStep kBetweenFills[] = {
    Notice("甲"),
    Fill("一", Occurrences{1}),
    Notice("乙"),
    Fill("二", Occurrences{1}),
    Fill("三", Occurrences{1}),
    Notice("丙"),
    WriteDocument(),
    OpenFolder(),
};

constexpr ReportStep kWhereListed[] = {
    Log("开始\r\n"), Notice("甲"), Pause(300),   Fill("一", Occurrences{1}),     Log("写入\r\n"),
    WriteDocument(), Pause(500),   Notice("乙"), Animate(Animation::DoneNotice), Message("完成"),
    Log("结束\r\n"), OpenFolder(),
};

constexpr ReportStep kAnimations[] = {
    WriteDocument(),
    Animate(Animation::Reset),
    Animate(Animation::DownloadNotice),
    Animate(Animation::NoWaits),
};

constexpr ReportStep kEndedByFailure[] = {
    Notice("甲"), Fill("一", Occurrences{1}), Log("写入\r\n"), WriteDocument(),
    Pause(500),   Animate(Animation::Reset),  Message("完成"), OpenFolder(),
};

constexpr ReportTable Synthetic(std::span<const ReportStep> steps,
                                const char *templateName = "mucking") {
    return ReportTable{
        .templateName = templateName, .outputName = "run.doc", .noticeId = kNotice, .steps = steps};
}

const ReportTable kBetweenFillsReport = Synthetic(kBetweenFills);
const ReportTable kWhereListedReport = Synthetic(kWhereListed);
const ReportTable kAnimationsReport = Synthetic(kAnimations);
const ReportTable kEndedByFailureReport = Synthetic(kEndedByFailure);
const ReportTable kMissingTemplateReport = Synthetic(kEndedByFailure, "missing");

struct Case {
    const char *name;
    const ReportTable *report;
    QStringList run;
    const WindowTable *table = nullptr;  // null: a form without fields
    Command calculate = nullptr;
    bool folderBlocked = false;
};

const QList<Case> &Cases() {
    static const QList<Case> cases = [] {
        QList<Case> cases = {
            {.name = "notices between fills",
             .report = &kBetweenFillsReport,
             .run = {"prepare", "提示 甲", "fill ×1", "提示 乙", "fill ×2", "提示 丙", "document",
                     "open"}},
            {.name = "logs, pauses and messages where listed",
             .report = &kWhereListedReport,
             .run = {"prepare", "log 开始\r\n", "提示 甲", "pause 300", "fill ×1", "log 写入\r\n",
                     "document", "pause 500", "提示 乙", "animation", "pause 500",
                     "提示 导出完成！", "message 完成", "log 结束\r\n", "open"}},
            {.name = "animations",
             .report = &kAnimationsReport,
             .run = {"prepare", "document", "animation", "pause 500", "animation", "pause 500",
                     "提示 下载完成  ", "animation"}},
            {.name = "a failed write ends the run",
             .report = &kEndedByFailureReport,
             .run = {"prepare", "提示 甲", "fill ×1", "log 写入\r\n", "document",
                     "message 导出失败！"},
             .folderBlocked = true},
            {.name = "a missing template fails at the document",
             .report = &kMissingTemplateReport,
             .run = {"提示 甲", "fill ×1", "log 写入\r\n", "message 导出失败！"}},
        };
        // The formwork report's run, where the build has it.
        if (const ModuleEntry *entry = FindModule("formwork"))
            cases.append(Case{.name = "formwork",
                              .report = &entry->Report(entry->reports[0]),
                              .run = {"prepare",
                                      "标签1_提示窗口 参数导出准备中……",
                                      "log 导出程序准备，开始写入……\r\n",
                                      "标签1_提示窗口 参数导出倒计时5",
                                      "fill ×6",
                                      "标签1_提示窗口 参数导出倒计时4",
                                      "fill ×6",
                                      "标签1_提示窗口 参数导出倒计时3",
                                      "fill ×6",
                                      "标签1_提示窗口 参数导出倒计时2",
                                      "fill ×2",
                                      "log 写入完毕，数据排版，请稍候……\r\n",
                                      "fill ×3",
                                      "标签1_提示窗口 参数导出倒计时1",
                                      "fill ×4",
                                      "log 排版完毕，导出数据！\r\n",
                                      "标签1_提示窗口 参数导出倒计时0",
                                      "checks",
                                      "document",
                                      "pause 500",
                                      "animation",
                                      "pause 500",
                                      "标签1_提示窗口 导出完成！",
                                      "message 自动生成计算书成功！",
                                      "log 计算书导出完成！\r\n",
                                      "open"},
                              .table = &entry->table(),
                              .calculate = entry->reports[0].calculate});
        return cases;
    }();
    return cases;
}

// Every report of this build.
QList<QPair<const char *, const ReportTable *>> Reports() {
    QList<QPair<const char *, const ReportTable *>> reports;
    for (const ModuleEntry *entry : BuiltModules())
        for (const ReportCase &report : entry->reports)
            reports.append({report.name, &entry->Report(report)});
    return reports;
}

}  // namespace

class TestReportRun : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void shape_data();
    void shape();
};

void TestReportRun::run_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < Cases().size(); ++i) QTest::newRow(Cases()[i].name) << i;
}

void TestReportRun::run() {
    QFETCH(int, index);
    const Case &c = Cases()[index];
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (c.folderBlocked) {
        QFile blocker(dir.filePath(QStringLiteral("导出的方案")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    RunForm form(dir.path(), c.table);
    if (c.calculate) c.calculate(form);
    ReportTable report = *c.report;
    report.prepare = &RecordPrepare;
    report.finish = &RecordFinish;
    if (report.checks) report.checks = &RecordChecks;
    ExportReport(form, report);
    QCOMPARE(form.run, c.run);
}

void TestReportRun::shape_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < Reports().size(); ++i) QTest::newRow(Reports()[i].first) << i;
}

// One Document step, after every Fill step, and the folder shown last.
void TestReportRun::shape() {
    QFETCH(int, index);
    const std::span<const ReportStep> steps = Reports()[index].second->steps;
    const auto isDocument = [](const ReportStep &step) { return step.kind == StepKind::Document; };
    QCOMPARE(std::ranges::count_if(steps, isDocument), 1);
    const auto document = std::ranges::find_if(steps, isDocument);
    QVERIFY(std::none_of(document, steps.end(),
                         [](const ReportStep &step) { return step.kind == StepKind::Fill; }));
    QCOMPARE(steps.back().kind, StepKind::OpenFolder);
}

QTEST_GUILESS_MAIN(TestReportRun)
#include "test_report_run.moc"
