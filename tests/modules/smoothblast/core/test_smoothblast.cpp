#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/bar_chart.h"
#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/smoothblast/core/smoothblast.h"
#include "support/blast_view.h"
#include "support/memory_form.h"
#include "support/preset_colours.h"

using namespace tunnel;
using tunnel::test::BlastView;
using tunnel::test::MemoryForm;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// A form of the smooth blasting window that also keeps every notice shown.
class BlastForm : public MemoryForm {
public:
    explicit BlastForm(const QString &folder) : MemoryForm(folder, &SmoothBlastTable()) {
        SetCaption(S("按钮1"), S("计算"));
    }
    void SetCaption(QAnyStringView id, const QString &text) override {
        if (id == S("标签1_进度条")) notices << text;
        MemoryForm::SetCaption(id, text);
    }
    QStringList notices;
};

const char *const kInputs[] = {
    "编辑框1_断面面积",
    "编辑框1_隧道进尺",
    "编辑框1_开挖面外弧长",
    "编辑框1_底板长",
    "编辑框1_单位体积岩体的耗药量",
    "编辑框2_掏槽眼数量",
    "编辑框2_掏槽装药集中系数",
    "编辑框3_辅助眼装填集中系数",
    "编辑框4_周边眼间距",
    "编辑框4_光爆层厚",
    "编辑框4_周边眼装填集中系数",
    "编辑框5_底板眼间距",
    "编辑框5_底板眼装填集中系数",
    "编辑框3_炮眼钻孔直径",
    "编辑框3_装药不耦合系数",
};

const char *const kResults[] = {
    "编辑框10_总装药量",        "编辑框8_周边眼集密系数", "编辑框8_周边眼单孔装药量",
    "编辑框8_周边眼数量",       "编辑框8_周边眼装药量",   "编辑框9_底板眼单孔装药量",
    "编辑框9_底板眼数量",       "编辑框9_底板眼装药量",   "编辑框6_掏槽眼单孔装药量",
    "编辑框6_掏槽眼数量",       "编辑框6_掏槽眼总装药量", "编辑框7_辅助眼总装药量",
    "编辑框7_辅助眼单孔装药量", "编辑框7_辅助眼数量",     "编辑框3_计算炸药直径",
    "编辑框10_断面钻眼总数量",
};

void SetInputs(Form &form, const QStringList &values) {
    for (int i = 0; i < 15; ++i) form.SetText(S(kInputs[i]), values[i]);
}

const QString kLimit = S("超过限值！请增大开挖断面面积或调整单位体积岩体的耗药量");
const QString kOverdrawn = S("辅助眼装药量为负，请增大开挖断面面积或调整单位体积岩体的耗药量");

}  // namespace

class TestSmoothBlast : public QObject {
    Q_OBJECT
private slots:
    void Calculation_data();
    void Calculation();
    void PerimeterChargeFollowsTheAdvance_data();
    void PerimeterChargeFollowsTheAdvance();
    void EmptyAndZeroInputs();
    void Charts();
    void SlideSteps();
    void LimitWarning_data();
    void LimitWarning();
    void LimitWarningFollowsTheCurrentInputs();
    void ChangeReactions_data();
    void ChangeReactions();
    void SaveAllPresets();
    void OpenForeignSection();
    void ExportTable();
    void SecondExportStaysFull();
};

void TestSmoothBlast::Calculation_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("results");
    // Inputs in the order of kInputs; results in the order of kResults.
    QTest::newRow("presets") << QStringList{"110.63", "1.8",  "24.22", "13.1", "0.7",
                                            "6",      "0.35", "0.32",  "50",   "62.5",
                                            "0.35",   "50",   "0.3",   "35",   "1.5"}
                             << QStringList{"139",   "0.8", "0.63", "49",      "31",   "0.54",
                                            "26",    "14",  "0.63", "6",       "3.78", "90",
                                            "0.576", "156", "23mm", S("237个")};
    QTest::newRow("wide spacing") << QStringList{"80",  "3",   "20",   "10", "1.2",
                                                 "4",   "0.3", "0.25", "60", "75",
                                                 "0.2", "40",  "0.28", "42", "1.6"}
                                  << QStringList{"288",  "0.8", "0.6",  "34",      "20",  "0.84",
                                                 "25",   "21",  "0.9",  "4",       "3.6", "243",
                                                 "0.75", "324", "26mm", S("387个")};
    // 22.6 / 0.55 + 1 = 42.09 and 11.4 / 0.45 = 25.3: both round down; the
    // floor charge 0.65 × 25 = 16.25 is rounded before the auxiliary charge.
    QTest::newRow("rounded read-back")
        << QStringList{"95.5", "2.5",   "22.6", "11.4", "1.1",  "5",  "0.33", "0.28",
                       "55",   "68.75", "0.25", "45",   "0.26", "40", "1.8"}
        << QStringList{"263",   "0.8", "0.625", "42",  "26",  "0.65", "25",   "16",
                       "0.825", "5",   "4.125", "217", "0.7", "310",  "22mm", S("382个")};
    // 24.25 / 0.5 + 1 = 49.5 rounds half away from zero to 50, and so does
    // 0.63 × 50 = 31.5 to 32; the cut count is copied as typed.
    QTest::newRow("half up, text copied")
        << QStringList{"110.63", "1.8",  "24.25", "13.1", "0.7", " 6", "0.35", "0.32",
                       "50",     "62.5", "0.35",  "50",   "0.3", "35", "1.5"}
        << QStringList{"139",  "0.8", "0.63", "50", "32",    "0.54", "26",   "14",
                       "0.63", " 6",  "3.78", "89", "0.576", "155",  "23mm", S("237个")};
}

void TestSmoothBlast::Calculation() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    BlastForm form(QDir::tempPath());
    SetInputs(form, inputs);
    BlastView view;
    CalculateBlast(form, view);
    for (int i = 0; i < 16; ++i) QCOMPARE(form.Text(S(kResults[i])), results[i]);
    QCOMPARE(form.Caption(S("标签1_进度条")), S("计算成功，请稍候！"));
    QVERIFY(form.scripted.messages.isEmpty());
}

void TestSmoothBlast::PerimeterChargeFollowsTheAdvance_data() {
    QTest::addColumn<QString>("advance");
    QTest::addColumn<QString>("perHole");
    QTest::addColumn<QString>("charge");  // of the 49 perimeter holes
    // L × 0.35 kg/m: a fixed 2 m of charge overfilled the 1.8 m hole and
    // underfilled the 3 m one.
    QTest::newRow("1.8 m") << "1.8"
                           << "0.63"
                           << "31";
    QTest::newRow("2 m") << "2"
                         << "0.7"
                         << "34";
    QTest::newRow("3 m") << "3"
                         << "1.05"
                         << "51";
}

void TestSmoothBlast::PerimeterChargeFollowsTheAdvance() {
    QFETCH(QString, advance);
    BlastForm form(QDir::tempPath());
    form.SetText(S("编辑框1_隧道进尺"), advance);
    BlastView view;
    CalculateBlast(form, view);
    QTEST(form.Text(S("编辑框8_周边眼单孔装药量")), "perHole");
    QTEST(form.Text(S("编辑框8_周边眼装药量")), "charge");
}

void TestSmoothBlast::EmptyAndZeroInputs() {
    BlastForm form(QDir::tempPath());
    for (const char *id : kInputs) form.SetText(S(id), QString());
    BlastView view;
    CalculateBlast(form, view);
    QCOMPARE(form.Text(S("编辑框10_总装药量")), S("0"));
    QCOMPARE(form.Text(S("编辑框6_掏槽眼总装药量")), S("0"));
    QCOMPARE(form.Text(S("编辑框8_周边眼集密系数")), S("nan"));

    // A zero spacing makes the perimeter count infinite; the charge built on
    // it reads the text "inf" back as 0, and so does the chart.
    BlastForm zero(QDir::tempPath());
    zero.SetText(S("编辑框4_周边眼间距"), S("0"));
    zero.SetText(S("编辑框4_光爆层厚"), S("62.5"));
    CalculateBlast(zero, view);
    QCOMPARE(zero.Text(S("编辑框8_周边眼集密系数")), S("0"));
    QCOMPARE(zero.Text(S("编辑框8_周边眼数量")), S("inf"));
    QCOMPARE(zero.Text(S("编辑框8_周边眼装药量")), S("0"));
    QCOMPARE(view.chart.Value(0, 2), 0.0);
}

void TestSmoothBlast::Charts() {
    // Counts and charges on their own axes, each scaled above its largest
    // value (156 holes, 90 kg), so no bar is cut off.
    BlastForm form(QDir::tempPath());
    BlastView view;
    CalculateBlast(form, view);
    struct Expected {
        const BarChart &chart;
        const char *title, *unit, *series;
        Rgb colour;
        double values[4];
        int max, divisions;
    };
    const Expected charts[] = {
        {view.chart,
         "炮眼数量对比柱状表",
         "个",
         "炮眼数量（个）",
         {0, 0, 255},
         {6, 156, 49, 26},
         160,
         8},
        {view.charges,
         "装药量对比柱状表",
         "kg",
         "装药量（kg）",
         {255, 0, 0},
         {3.78, 90, 31, 14},
         100,
         10},
    };
    const QStringList names{S("掏槽眼"), S("辅助眼"), S("周边眼"), S("底板眼")};
    for (const Expected &e : charts) {
        QCOMPARE(e.chart.Title(), S(e.title));
        QCOMPARE(e.chart.UnitText(), S(e.unit));
        QCOMPARE(e.chart.SeriesCount(), 1);
        QCOMPARE(e.chart.SeriesName(0), S(e.series));
        QCOMPARE(e.chart.SeriesColor(0), e.colour);
        QCOMPARE(e.chart.CategoryCount(), 4);
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(e.chart.CategoryName(c), names[c]);
            QCOMPARE(e.chart.Value(0, c), e.values[c]);
        }
        QCOMPARE(e.chart.MaxValue(), e.max);
        QCOMPARE(e.chart.DivisionCount(), e.divisions);
        QVERIFY(e.chart.Visible());
    }
}

void TestSmoothBlast::SlideSteps() {
    // A width off the 142 px grid stops at the open width instead of
    // growing on.
    BlastView view;
    view.width = 1200;
    view.running = true;
    SlideStep(view);
    QCOMPARE(view.width, kBlastOpenWidth);
    QVERIFY(!view.running);
}

void TestSmoothBlast::LimitWarning_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("advance");
    QTest::addColumn<QString>("specificCharge");
    QTest::addColumn<QString>("auxiliary");
    QTest::addColumn<bool>("warned");
    QTest::newRow("presets") << "110.63"
                             << "1.8"
                             << "0.7"
                             << "90" << false;
    QTest::newRow("small specific charge") << "110.63"
                                           << "1.8"
                                           << "0.2"
                                           << "-9" << true;
    // 27 − 17 − 8 − 2.1 = −0.1 shows as −0, which is not below the limit.
    QTest::newRow("negative zero") << "27"
                                   << "1"
                                   << "1"
                                   << "-0" << false;
    QTest::newRow("minus one") << "26"
                               << "1"
                               << "1"
                               << "-1" << true;
}

void TestSmoothBlast::LimitWarning() {
    QFETCH(QString, area);
    QFETCH(QString, advance);
    QFETCH(QString, specificCharge);
    QFETCH(QString, auxiliary);
    QFETCH(bool, warned);
    BlastForm form(QDir::tempPath());
    form.SetText(S("编辑框1_断面面积"), area);
    form.SetText(S("编辑框1_隧道进尺"), advance);
    form.SetText(S("编辑框1_单位体积岩体的耗药量"), specificCharge);
    QString shownAuxiliary;
    form.scripted.onMessage = [&](const auto &) {
        shownAuxiliary = form.Text(S("编辑框7_辅助眼总装药量"));
    };
    BlastView view;
    CalculateBlast(form, view);
    QCOMPARE(form.Text(S("编辑框7_辅助眼总装药量")), auxiliary);
    QCOMPARE(form.scripted.MessageTexts(), warned ? QStringList{kLimit} : QStringList{});
    // The report's check says the same.
    QCOMPARE(SmoothBlastChecks(form), warned ? QStringList{kOverdrawn} : QStringList{});
    if (warned) {
        // Shown over the new results and the open caption.
        QCOMPARE(shownAuxiliary, auxiliary);
        // A plain box: the house caption, OK only, no icon.
        QCOMPARE(form.scripted.messages[0].caption, S("信息："));
        QCOMPARE(form.scripted.messages[0].buttons, Buttons::Ok);
        QCOMPARE(form.scripted.messages[0].icon, Icon::None);
    }
}

void TestSmoothBlast::LimitWarningFollowsTheCurrentInputs() {
    BlastForm form(QDir::tempPath());
    BlastView view;
    form.SetText(S("编辑框1_单位体积岩体的耗药量"), S("0.2"));
    CalculateBlast(form, view);
    QCOMPARE(form.scripted.messages.size(), 1);

    // Closing the result half recalculates without a warning.
    view.width = kBlastOpenWidth;
    CalculateBlast(form, view);
    QCOMPARE(form.Caption(S("按钮1")), S("计算"));
    QCOMPARE(form.scripted.messages.size(), 1);

    // With the inputs fixed, the next opening stays silent although the
    // charge on screen before it was negative.
    form.SetText(S("编辑框1_单位体积岩体的耗药量"), S("0.7"));
    CalculateBlast(form, view);
    QCOMPARE(form.Text(S("编辑框7_辅助眼总装药量")), S("90"));
    QCOMPARE(form.scripted.messages.size(), 1);

    // Opening again with a negative charge warns at once.
    view.width = kBlastOpenWidth;
    CalculateBlast(form, view);
    form.SetText(S("编辑框1_单位体积岩体的耗药量"), S("0.2"));
    CalculateBlast(form, view);
    QCOMPARE(form.scripted.MessageTexts(), (QStringList{kLimit, kLimit}));
}

void TestSmoothBlast::ChangeReactions_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<Rgb>("preset");
    QTest::addColumn<bool>("notice");
    QTest::newRow("area") << S("编辑框1_断面面积") << kBlack << true;
    QTest::newRow("advance") << S("编辑框1_隧道进尺") << kBlack << true;
    QTest::newRow("outline") << S("编辑框1_开挖面外弧长") << kBlack << true;
    QTest::newRow("floor width") << S("编辑框1_底板长") << kBlack << true;
    QTest::newRow("specific charge") << S("编辑框1_单位体积岩体的耗药量") << kGrey128 << true;
    QTest::newRow("cut count") << S("编辑框2_掏槽眼数量") << kGrey192 << true;
    QTest::newRow("cut per metre") << S("编辑框2_掏槽装药集中系数") << kGrey192 << true;
    QTest::newRow("auxiliary per metre") << S("编辑框3_辅助眼装填集中系数") << kGrey128 << true;
    QTest::newRow("spacing") << S("编辑框4_周边眼间距") << kGrey128 << true;
    QTest::newRow("burden") << S("编辑框4_光爆层厚") << kGrey128 << true;
    QTest::newRow("perimeter per metre") << S("编辑框4_周边眼装填集中系数") << kGrey128 << true;
    QTest::newRow("floor spacing") << S("编辑框5_底板眼间距") << kGrey128 << true;
    QTest::newRow("floor per metre") << S("编辑框5_底板眼装填集中系数") << kGrey128 << true;
    QTest::newRow("hole diameter") << S("编辑框3_炮眼钻孔直径") << kGrey128 << true;
    QTest::newRow("decoupling") << S("编辑框3_装药不耦合系数") << kGrey128 << true;
    QTest::newRow("a result") << S("编辑框10_总装药量") << kBlack << false;
}

void TestSmoothBlast::ChangeReactions() {
    QFETCH(QString, field);
    QFETCH(Rgb, preset);
    QFETCH(bool, notice);
    BlastForm form(QDir::tempPath());
    QCOMPARE(form.TextColor(field), preset);
    form.SetText(field, form.Text(field));  // the same value again is a change too
    QCOMPARE(form.TextColor(field), kBlack);
    QCOMPARE(form.Caption(S("标签1_说明")), notice ? S("参数已修改请重新计算") : QString());
}

void TestSmoothBlast::SaveAllPresets() {
    QTemporaryDir dir;
    BlastForm form(dir.path());
    const QString path = dir.filePath(S("光爆.tac"));
    form.scripted.files << path;
    QVERIFY(SaveParameters(form, SmoothBlastTable()));
    QCOMPARE(form.scripted.MessageTexts(), QStringList{S("保存成功！")});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(FromGbk(file.readAll()),
             S("[2.3]\r\n1=110.63\r\n2=1.8\r\n3=24.22\r\n4=13.1\r\n5=0.7\r\n6=6\r\n7=0.35\r\n"
               "8=0.32\r\n9=1.5\r\n10=35\r\n11=50\r\n12=62.5\r\n13=0.35\r\n14=50\r\n15=0.3\r\n"));
    QCOMPARE(form.scripted.requests.value(0).initialFolder, dir.path() + S("/Data"));
}

void TestSmoothBlast::OpenForeignSection() {
    // The vibration window writes two items into the same section.
    QTemporaryDir dir;
    const QString path = dir.filePath(S("v.tac"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[2.3]\r\n1=30\r\n2=150\r\n");
    file.close();
    BlastForm form(dir.path());
    form.scripted.files << path;
    OpenParameters(form, SmoothBlastTable());
    QCOMPARE(form.Text(S("编辑框1_断面面积")), S("30"));
    QCOMPARE(form.Text(S("编辑框1_隧道进尺")), S("150"));
    for (int i = 2; i < 15; ++i) QCOMPARE(form.Text(S(kInputs[i])), QString());
}

void TestSmoothBlast::ExportTable() {
    QTemporaryDir dir;
    BlastForm form(dir.path());
    BlastView view;
    CalculateBlast(form, view);
    form.notices.clear();
    ExportReport(form, *SmoothBlastTable().report);

    const QString path = dir.path() + S("/导出的方案/光面爆破参数及成果表.docx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(file.readAll()));
    const QString text = document.MainText();
    QVERIFY(!text.contains(S("编辑框")));
    QVERIFY(text.contains(S("0.576")));
    QVERIFY(text.contains(S("周边眼密集系数E/V值")));
    // The delay table's sum, 237 holes of 138.546 kg, beside the design
    // total of 139 kg.
    QVERIFY(text.contains(
        QRegularExpression(S("合计\\s+237\\s+138\\.546\\s+设计总装药量Q\\s+139\\s"))));

    QStringList expected{S("导出准备中，请稍候……")};
    for (int i = 14; i >= 11; --i) expected << S("正在写入隧道基本参数信息，导出倒计时%1").arg(i);
    for (int i = 10; i >= 6; --i) expected << S("正在写入隧道爆破参数信息，导出倒计时%1").arg(i);
    for (int i = 5; i >= 3; --i) expected << S("写入的信息整理中，导出倒计时%1").arg(i);
    for (int i = 2; i >= 0; --i) expected << S("数据处理完毕，导出倒计时%1").arg(i);
    for (int p = 1; p <= 100; ++p) expected << S("已导出 %1%  ").arg(p);
    QCOMPARE(form.notices, expected);

    // No end action: the bar stays full and nothing waits.
    QCOMPARE(form.Progress(), 100);
    QVERIFY(form.scripted.pauses.isEmpty());
    QCOMPARE(form.scripted.waits, 0);
    QCOMPARE(form.scripted.MessageTexts(),
             (QStringList{S("确定开始导出，中途请勿进行其他操作！"),
                          S("导出成功！\r\n文件：") +
                              QDir::toNativeSeparators(
                                  dir.path() + S("/导出的方案/光面爆破参数及成果表.docx"))}));
    QCOMPARE(form.scripted.openedFolders, QStringList{dir.path() + S("/导出的方案")});
    QCOMPARE(form.LogText(), QString());
}

void TestSmoothBlast::SecondExportStaysFull() {
    QTemporaryDir dir;
    BlastForm form(dir.path());
    form.scripted.answers << kAnswerYes << kAnswerOk << kAnswerOk << kAnswerYes;
    ExportReport(form, *SmoothBlastTable().report);
    form.notices.clear();
    ExportReport(form, *SmoothBlastTable().report);
    QCOMPARE(form.Progress(), 100);
    QCOMPARE(form.notices.mid(16), QStringList(100, S("已导出 100%  ")));
    QCOMPARE(form.Caption(S("标签1_进度条")), S("已导出 100%  "));
}

QTEST_GUILESS_MAIN(TestSmoothBlast)
#include "test_smoothblast.moc"
