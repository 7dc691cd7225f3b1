#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "core/module_entry.h"
#include "core/project_info.h"
#include "core/report_export.h"
#include "support/docx_builder.h"
#include "support/memory_form.h"
#include "support/office_check.h"

// Every report as the word processor shows it: the project block with the
// units, the section "校核" before the signature table, the signature rows
// and the page header.

using namespace tunnel;
using tunnel::test::MemoryForm;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

using Inputs = QList<QPair<QString, QString>>;

// The checks a report prints with the presets, and an input of its window
// that fails a check with the checks the report then prints.
struct Checked {
    const char *report;
    QStringList presets;
    Inputs inputs;
    QStringList failed;
    QStringList shown = {};  // stands in the report either way
};

const QString kLeak = S("风管百米漏风率大于2%，应改善风管质量或缩短风管");
const QString kFan = S("所选风机额定风量（风压）小于计算值");

const QList<Checked> &CheckedReports() {
    static const QList<Checked> reports = {
        {"smoothblast",
         {},
         {{S("编辑框1_单位体积岩体的耗药量"), S("0.2")}},
         {S("辅助眼装药量为负，请增大开挖断面面积或调整单位体积岩体的耗药量")}},
        // 250 × (∛120 / 25)^2 = 9.73 cm/s over 2.5; 25³ × (2.5 / 250)^1.5 = 15.63.
        {"vibration",
         {S("按允许振速2.5 cm/s、距离25 m，最大段药量应不大于15.63 kg")},
         {{S("编辑框5_系数K"), S("49")}},
         {S("K、α超出GB 6722-2014表列范围，应通过现场试验确定")}},
        {"formwork",
         {},
         {{S("编辑框30楼板最大板厚a"), S("0.18")}},
         {S("按GB 55001-2021分项系数（1.3/1.5）计算，施工总荷载为10.598kN/m2，属危险性较大的分部分项工程范围，与上述评价不同，请核对计算依据。")},
         // The drop-downs' answers, as the window starts them.
         {S("本项目不存在高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程，不属于危险性较大的分部分项工程范围"),
          S("本项目不存在用于钢结构安装等满堂支撑体系，不属于危险性较大的分部分项工程范围")}},
        {"ventilation", {}, {{S("编辑框4_风管百米漏风率"), S("0.025")}}, {kLeak, kFan}},
        {"ventilation_gas", {}, {{S("编辑框4_风管百米漏风率"), S("0.025")}}, {kLeak, kFan}},
    };
    return reports;
}

struct Case {
    const ModuleEntry *entry;
    const ReportCase *report;
    Inputs inputs;
    QStringList failed;
    QStringList shown;
};

QList<QPair<QString, Case>> Cases() {
    QList<QPair<QString, Case>> cases;
    for (const ModuleEntry *entry : BuiltModules()) {
        for (const ReportCase &report : entry->reports) {
            const QString name = S(report.name);
            const auto checked = std::ranges::find_if(
                CheckedReports(), [&](const Checked &c) { return name == S(c.report); });
            if (checked == CheckedReports().end()) {
                cases.append({name + S(" presets"), {entry, &report, {}, {}}});
                continue;
            }
            cases.append(
                {name + S(" presets"), {entry, &report, {}, checked->presets, checked->shown}});
            cases.append({name + S(" failing"),
                          {entry, &report, checked->inputs, checked->failed, checked->shown}});
        }
    }
    return cases;
}

// The part of the text from the line that is the heading on.
QString From(const QString &text, const QString &heading) {
    const qsizetype at = text.indexOf(u'\n' + heading + u'\n');
    return at < 0 ? QString() : text.mid(at + 1);
}

}  // namespace

class TestReportBlock : public QObject {
    Q_OBJECT
private slots:
    void reports_data();
    void reports();
};

void TestReportBlock::reports_data() {
    QTest::addColumn<int>("index");
    const auto cases = Cases();
    for (int i = 0; i < cases.size(); ++i) QTest::newRow(qPrintable(cases[i].first)) << i;
}

void TestReportBlock::reports() {
    QFETCH(int, index);
    if (!test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    const Case c = Cases()[index].second;
    const bool failing = !c.inputs.isEmpty();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // With the presets the project has a name and no 监理单位; with the
    // failing input it has no name and no 建设单位.
    ProjectInfo info{.name = failing ? QString() : S("青山岭隧道工程"),
                     .section = S("TJ-3标"),
                     .contractor = S("中铁某局集团有限公司"),
                     .preparer = S("李明"),
                     .checker = S("王芳"),
                     .approver = S("赵刚"),
                     .date = QDate(2026, 3, 18),
                     .owner = failing ? QString() : S("某省交通投资集团"),
                     .designer = S("某勘察设计研究院"),
                     .supervisor = failing ? S("某监理咨询公司") : QString(),
                     .authoriser = S("孙伟")};
    QCOMPARE(WriteProjectInfo(dir.path(), info), QString());

    MemoryForm form(dir.path(), &c.entry->table());
    for (const auto &[id, text] : c.inputs) form.SetText(id, text);
    c.report->calculate(form);
    // 是 to the question about empty results, should the report ask it.
    form.scripted.answers << kAnswerYes << kAnswerOk;
    c.entry->Export(*c.report, form);
    const ReportTable &report = c.entry->Report(*c.report);
    const QString path = ExportFolder(form) + u'/' + S(report.outputName);
    QVERIFY2(QFileInfo::exists(path), qPrintable(form.scripted.MessageTexts().join(u'|')));

    test::KeepReport(path, QString::fromUtf8(QTest::currentDataTag()));
    QString error;
    const QString text = test::OfficeText(path, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    const QString blank = QString(14, u'_');
    QStringList block{S("设计单位：某勘察设计研究院")};
    if (failing)
        block << S("建设单位：") + blank << S("监理单位：某监理咨询公司")
              << S("工程名称：") + blank;
    else
        block << S("建设单位：某省交通投资集团") << S("监理单位：") + blank;
    for (const QString &line : block) {
        // The ventilation scheme's cover prints the name without a label.
        if (line.startsWith(S("工程名称")) &&
            std::string_view(report.templateName).starts_with("ventilation"))
            continue;
        QVERIFY2(text.contains(line), qPrintable(line + u'\n' + text));
    }
    QVERIFY2(!text.contains(S("工程信息_")) && !text.contains(S("校核_")), qPrintable(text));
    for (const QString &line : c.shown) QVERIFY2(text.contains(line), qPrintable(line));

    // The section stands before the signature table, one paragraph a line.
    const QString signature = From(text, S("签字栏"));
    QVERIFY2(!signature.isEmpty(), qPrintable(text));
    QStringList section;
    if (!report.checks)
        QVERIFY2(!text.contains(S("校核：")), qPrintable(text));
    else if (c.failed.isEmpty())
        section << S("校核：各项校核均满足。");
    else
        section << S("校核：");
    for (int i = 0; i < c.failed.size(); ++i)
        section << QString::number(i + 1) + u'、' + c.failed[i];
    if (!section.isEmpty()) {
        const QString before = text.left(text.size() - signature.size());
        QVERIFY2(before.endsWith(section.join(u'\n') + u'\n'), qPrintable(before.right(600)));
    }

    // 编制, 复核, 审核 and 审批, the date on the first row only.
    const QStringList rows = signature.split(u'\n');
    for (const char *role : {"编制", "复核", "审核", "审批"})
        QVERIFY2(rows.contains(S(role)), qPrintable(signature));
    const qsizetype approver = rows.indexOf(S("审批"));
    QCOMPARE(rows.value(approver + 1), S("孙伟"));
    QCOMPARE(signature.count(S("2026年3月18日")), 1);
    QVERIFY(signature.indexOf(S("2026年3月18日")) < signature.indexOf(S("复核")));

    // The page header names the project, or the tool when there is none; a
    // cover and its contents, where the report has them, go without.
    const QString header = failing ? S("隧道施工计算工具") : S("青山岭隧道工程");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    int headers = 0;
    for (const test::PackageEntry &entry : test::ReadPackage(file.readAll())) {
        if (!entry.name.startsWith(S("word/header"))) continue;
        const QString xml = QString::fromUtf8(entry.data);
        QVERIFY2(xml.contains(u'>' + header + u'<'), qPrintable(xml));
        ++headers;
    }
    QCOMPARE(headers, 1);
    const QString pages = test::OfficePageText(path, &error);
    QVERIFY2(!pages.isEmpty(), qPrintable(error));
    const QString last = pages.split(u'\f', Qt::SkipEmptyParts).last();
    QVERIFY2(last.trimmed().section(u'\n', 0, 0).contains(header), qPrintable(last));
    if (!failing) QVERIFY(!pages.contains(S("隧道施工计算工具")));
}

QTEST_GUILESS_MAIN(TestReportBlock)
#include "test_report_block.moc"
