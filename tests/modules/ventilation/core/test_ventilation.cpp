#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "core/conversions.h"
#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/parameter_file.h"
#include "core/project_info.h"
#include "core/report_export.h"
#include "modules/ventilation/core/ventilation.h"
#include "modules/ventilation/core/ventilation_checks.h"
#include "support/docx_builder.h"
#include "support/memory_form.h"
#include "support/preset_colours.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;
using tunnel::test::ScriptedDialogs;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

// Records, in one list, every field write, caption, log line and pause, so
// that the order of a command's steps can be checked.
class RecordingDialogs : public ScriptedDialogs {
public:
    explicit RecordingDialogs(QStringList &events) : m_events(events) {}
    void Pause(int ms) override {
        m_events << QStringLiteral("P %1").arg(ms);
        ScriptedDialogs::Pause(ms);
    }

private:
    QStringList &m_events;
};

class RecordingForm : public MemoryForm {
public:
    RecordingForm(const QString &folder)
        : MemoryForm(folder, &VentilationTable()), recorder(events) {}
    void SetText(QAnyStringView id, const QString &text) override {
        events << QStringLiteral("T %1=%2").arg(id.toString(), text);
        MemoryForm::SetText(id, text);
    }
    void SetCaption(QAnyStringView id, const QString &text) override {
        events << QStringLiteral("C %1=%2").arg(id.toString(), text);
        MemoryForm::SetCaption(id, text);
    }
    void AppendLog(const QString &text) override {
        events << QStringLiteral("L ") + text;
        MemoryForm::AppendLog(text);
    }
    Dialogs &DialogService() override { return recorder; }

    QStringList events;
    RecordingDialogs recorder;
};

const QString kNotice = QStringLiteral("标签1_提示信息");
const QString kChangeNotice = QStringLiteral("参数已修改，请重新计算！");

QString T(const char *id, const char *text) {
    return QStringLiteral("T %1=%2").arg(U(id), U(text));
}
QString L(const char *text) {
    return QStringLiteral("L ") + U(text);
}
QString C(const char *text) {
    return QStringLiteral("C 标签1_提示信息=") + U(text);
}

// The main text of a Word package as paragraphs.
QStringList DocumentLines(const QByteArray &package) {
    DocxDocument document;
    if (!document.Open(package)) return {};
    return document.MainText().split(u'\n');
}

// Parameter table rows of the scheme: label and field, in row order.
QList<QPair<QString, QString>> ParameterRows(bool gas) {
    QList<QPair<QString, QString>> rows = {
        {"隧道开挖面积（m2）", "编辑框1_隧道开挖面积"},
        {"隧道开挖进尺（m）", "编辑框1_隧道开挖进尺"},
        {"隧道最大作业人数（人）", "编辑框1_隧道最大作业人数"},
        {"隧道通风长度（m）", "编辑框1_隧道通风长度"},
        {"风量备用系数", "编辑框1_风量备用系数"},
        {"每人每分钟所需新鲜空气（m3/min）", "编辑框1_每人每分钟所需新鲜空气"},
        {"每立方米所需药量（kg/m3）", "编辑框1_每立方米所需药量"},
        {"允许最低风速m/s", "编辑框1_允许最低风速"},
        {"爆破后通风排烟时间（min）", "编辑框1_爆破后通风排烟时间"},
        {"炮烟扩散长度（m）", "编辑框1_炮烟扩散长度"},
        {"选定风筒直径（m）", "编辑框1_选定风筒直径"},
        {"挖机单机功率（kW）", "编辑框2_挖掘机单机功率"},
        {"装载机单机功率（kW）", "编辑框2_装载机单机功率"},
        {"自卸车装机功率（kW）", "编辑框2_自卸车装机功率"},
        {"其它设备功率（kW）", "编辑框2_其它设备功率"},
        {"挖机数量（辆）", "编辑框3_挖机数量"},
        {"装载机数量（辆）", "编辑框3_装载机数量"},
        {"自卸车重载数（辆）", "编辑框3_自卸车重载数"},
        {"自卸空载数（辆）", "编辑框3_自卸空载数"},
        {"其它设备数量（台）", "编辑框3_其它设备数量"},
        {"重车负荷率", "编辑框2_重车负荷率"},
        {"设备利用率", "编辑框2_设备利用率"},
        {"空车负荷率", "编辑框2_空车负荷率"},
        {"内燃机械作业供风量（m3/(min·kW)）", "编辑框2_内燃机械作业供风量"},
        {"风管百米漏风率", "编辑框4_风管百米漏风率"},
    };
    if (gas) {
        rows.append(
            qMakePair(QString("瓦斯绝对涌出量(m3/min)"), QString("编辑框3_瓦斯绝对涌出量")));
        rows.append(
            qMakePair(QString("工作面允许瓦斯浓度"), QString("编辑框3_工作面允许瓦斯浓度")));
        rows.append(
            qMakePair(QString("送入风流中瓦斯浓度"), QString("编辑框3_送入风流中瓦斯浓度")));
    }
    rows.append(qMakePair(QString("其他压力损失"), QString("编辑框5_其他压力损失")));
    return rows;
}

}  // namespace

class TestVentilation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void calculateWithPresets();
    void calculateWithGas();
    void allCountsZero();
    void nonNumericInput();
    void tieTakesFirstCandidate();
    void staleDemandIsNotKept();
    void onlyDiameterFilled();
    void otherLossAlone();
    void leakageEdges_data();
    void leakageEdges();
    void zeroDivisorsDoNotStopTheCommand();

    void gasOptionTickAndClear();
    void clearingGasAfterCalculation();
    void changeReactions();

    void saveWritesSection();
    void saveAndOpenRoundTrip();
    void openVibrationFile();
    void openFileWithoutFanKeys();
    void overviewFromProjectInfo();

    void templatePlaceholders_data();
    void templatePlaceholders();
    void exportCancel();
    void exportSequence_data();
    void exportSequence();
    void exportFillsScheme_data();
    void exportFillsScheme();
    void exportWithoutCalculation();
    void exportOverwrites();

private:
    QTemporaryDir *m_dir = nullptr;
    RecordingForm *m_form = nullptr;

    QString Text(const char *id) const { return m_form->Text(U(id)); }
    void Set(const char *id, const char *text) { m_form->SetText(U(id), U(text)); }
    void TickGas(bool on) {
        m_form->SetChecked(U(kGasOptionId), on);
        GasOptionChanged(*m_form);
    }
    QString Output(bool gas) const {
        return m_dir->filePath(U("导出的方案/") + U(VentilationReport(gas).outputName));
    }
    QString DataFile(const char *name) const { return m_dir->filePath(U("Data/") + U(name)); }
};

void TestVentilation::init() {
    m_dir = new QTemporaryDir;
    QDir(m_dir->path()).mkdir(QStringLiteral("Data"));
    m_form = new RecordingForm(m_dir->path());
    m_form->events.clear();
}

void TestVentilation::cleanup() {
    delete m_form;
    delete m_dir;
}

void TestVentilation::calculateWithPresets() {
    CalculateVentilation(*m_form);
    const QStringList expected = {
        C(""),
        L("参数准备，开始计算\r\n"),
        "P 300",
        T("编辑框3_功率合计", "711.36"),
        L("计算洞内总功率完成！\r\n"),
        T("编辑框4_风管漏风系数", "1.235642316662"),
        T("编辑框2_按人", "207"),
        T("编辑框2_按风速", "540"),
        "P 300",
        T("编辑框2_按排除炮排烟", "405"),
        T("编辑框2_按废气", "3201.12"),
        T("编辑框2_按瓦斯绝对涌出量计算", ""),
        L("不考虑瓦斯隧道绝对涌出计算\r\n"),
        T("编辑框2_总体选取", "3201.12"),
        C("参数已修改，请重新计算！"),
        C(""),
        T("编辑框4_洞口风机供风量Q供", "3955.44"),
        "P 300",
        L("最大需风量Q需计算成功，取最大值！\r\n"),
        T("编辑框4_风管漏风系数", "1.236"),
        T("编辑框4_风管截面积S", "2.54"),
        T("编辑框5_风管摩擦力", "3726"),
        T("编辑框5_局部压力损失", "447.12"),
        T("编辑框5_通风总风压", "4173.12"),
        L("通风总风压计算成功！\r\n"),
    };
    QCOMPARE(m_form->events, expected);
    QCOMPARE(m_form->Caption(kNotice), QString());
    QCOMPARE(m_form->recorder.pauses, (QList<int>{300, 300, 300}));
}

void TestVentilation::calculateWithGas() {
    TickGas(true);
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_按瓦斯绝对涌出量计算"), QStringLiteral("690"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3201.12"));
    QVERIFY(!m_form->LogText().contains(U("不考虑瓦斯")));
    QCOMPARE(Text("编辑框5_通风总风压"), QStringLiteral("4173.12"));

    // A larger emission makes Q5 govern.
    Set("编辑框3_瓦斯绝对涌出量", "15");
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_按瓦斯绝对涌出量计算"), QStringLiteral("3450"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3450"));
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), QStringLiteral("4262.97"));
}

void TestVentilation::allCountsZero() {
    for (const char *id : {"编辑框3_挖机数量", "编辑框3_装载机数量", "编辑框3_其它设备数量",
                           "编辑框3_自卸车重载数", "编辑框3_自卸空载数"})
        Set(id, "0");
    m_form->SetLogText(QString());
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框3_功率合计"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框2_按废气"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("540"));  // Q2
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), QStringLiteral("667.25"));
    QCOMPARE(m_form->LogText(), U("参数准备，开始计算\r\n计算总功率失败，请填写设备数量或设备参数！"
                                  "\r\n不考虑瓦斯隧道绝对涌出计算\r\n"
                                  "最大需风量Q需计算成功，取最大值！\r\n通风总风压计算成功！\r\n"));
}

void TestVentilation::nonNumericInput() {
    Set("编辑框1_隧道最大作业人数", "六十人");
    Set("编辑框1_隧道开挖面积", "60m2");
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_按人"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框2_按风速"), QStringLiteral("540"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3201.12"));
    QCOMPARE(Text("编辑框1_隧道最大作业人数"), U("六十人"));
}

void TestVentilation::tieTakesFirstCandidate() {
    // Q1 = 180 × 1 × 3 = 540 and Q2 = 540.000000009 tie within 1e-7; the
    // power is zeroed so that Q4 drops out.
    Set("编辑框1_隧道最大作业人数", "180");
    Set("编辑框1_风量备用系数", "1");
    Set("编辑框1_隧道开挖面积", "60.000000001");
    Set("编辑框2_内燃机械作业供风量", "0");
    Set("编辑框1_每立方米所需药量", "0.1");
    Set("编辑框2_总体选取", "999");
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_按人"), QStringLiteral("540"));
    QCOMPARE(Text("编辑框2_按风速"), QStringLiteral("540.000000009"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("540"));
    QVERIFY(m_form->LogText().contains(U("最大需风量Q需计算成功，取最大值！\r\n")));
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), QStringLiteral("667.25"));
}

void TestVentilation::staleDemandIsNotKept() {
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3201.12"));
    // Now every candidate is 0: the old 3201.12 must not carry on.
    for (const char *id :
         {"编辑框1_隧道最大作业人数", "编辑框1_隧道开挖面积", "编辑框2_内燃机械作业供风量"})
        Set(id, "0");
    m_form->SetLogText(QString());
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_总体选取"), QString());
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框5_风管摩擦力"), QStringLiteral("0"));
    QCOMPARE(m_form->LogText().count(U("计算最大需风量Q需失败，请填写相应参数！\r\n")), 1);
    QVERIFY(m_form->LogText().endsWith(U("通风总风压计算失败，请填写相应参数！\r\n")));
}

void TestVentilation::onlyDiameterFilled() {
    for (const FieldRow &field : VentilationTable().fields)
        if (field.kind == FieldKind::Input && U(field.id) != U("编辑框1_选定风筒直径"))
            m_form->SetText(U(field.id), QString());
    m_form->SetLogText(QString());
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框3_功率合计"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框2_总体选取"), QString());
    QCOMPARE(Text("编辑框4_风管漏风系数"), QStringLiteral("1"));
    QCOMPARE(Text("编辑框4_风管截面积S"), QStringLiteral("2.54"));
    for (const char *id : {"编辑框4_洞口风机供风量Q供", "编辑框5_风管摩擦力",
                           "编辑框5_局部压力损失", "编辑框5_通风总风压"})
        QCOMPARE(Text(id), QStringLiteral("0"));
    QCOMPARE(
        m_form->LogText(),
        U("参数准备，开始计算\r\n计算总功率失败，请填写设备数量或设备参数！\r\n不考虑瓦斯隧道绝对涌"
          "出计算\r\n"
          "计算最大需风量Q需失败，请填写相应参数！\r\n通风总风压计算失败，请填写相应参数！\r\n"));
}

void TestVentilation::otherLossAlone() {
    for (const FieldRow &field : VentilationTable().fields)
        if (field.kind == FieldKind::Input) m_form->SetText(U(field.id), QString());
    Set("编辑框1_选定风筒直径", "1.5");
    Set("编辑框5_其他压力损失", "120");
    m_form->SetLogText(QString());
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框5_通风总风压"), QStringLiteral("120"));
    QVERIFY(m_form->LogText().contains(U("计算最大需风量Q需失败")));
    QVERIFY(m_form->LogText().endsWith(U("通风总风压计算成功！\r\n")));
}

void TestVentilation::leakageEdges_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("supply");
    QTest::addColumn<QString>("friction");
    QTest::newRow("beta 0") << "编辑框4_风管百米漏风率"
                            << "0"
                            << "1"
                            << "3201.12"
                            << "3016";
    QTest::newRow("length 0") << "编辑框1_隧道通风长度"
                              << "0"
                              << "1"
                              << "3201.12"
                              << "0";
}

void TestVentilation::leakageEdges() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, coefficient);
    QFETCH(QString, supply);
    QFETCH(QString, friction);
    m_form->SetText(field, value);
    CalculateVentilation(*m_form);
    QVERIFY(m_form->events.contains(T("编辑框4_风管漏风系数", "1")));
    QCOMPARE(Text("编辑框4_风管漏风系数"), coefficient);
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), supply);
    QCOMPARE(Text("编辑框5_风管摩擦力"), friction);
}

void TestVentilation::zeroDivisorsDoNotStopTheCommand() {
    TickGas(true);
    Set("编辑框1_爆破后通风排烟时间", "0");
    Set("编辑框3_工作面允许瓦斯浓度", "0");
    Set("编辑框1_选定风筒直径", "0");
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框2_按排除炮排烟"), QStringLiteral("inf"));
    QCOMPARE(Text("编辑框2_按瓦斯绝对涌出量计算"), QStringLiteral("inf"));
    // Non-finite texts read as 0, so Q4 still governs.
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3201.12"));
    QCOMPARE(Text("编辑框5_风管摩擦力"), QStringLiteral("inf"));
    QVERIFY(m_form->LogText().endsWith(U("\r\n")));
    QCOMPARE(Text("编辑框1_隧道开挖面积"), QStringLiteral("60"));
}

void TestVentilation::gasOptionTickAndClear() {
    PrepareVentilation(*m_form);
    QCOMPARE(m_form->enabledUnits.value(U("编辑框3_瓦斯绝对涌出量"), true), false);
    QCOMPARE(m_form->visibleUnits.value(U("编辑框2_按瓦斯绝对涌出量计算"), true), false);
    QCOMPARE(m_form->visibleUnits.value(U(kGasNoteId)), true);
    QCOMPARE(m_form->Caption(U("标签37")), U("①~④取最大需风量Q需"));

    m_form->events.clear();
    TickGas(true);
    for (const char *id :
         {"编辑框3_瓦斯绝对涌出量", "编辑框3_工作面允许瓦斯浓度", "编辑框3_送入风流中瓦斯浓度"}) {
        QCOMPARE(m_form->enabledUnits.value(U(id)), true);
        QCOMPARE(m_form->TextColor(U(id)), kBlack);
    }
    QCOMPARE(Text("编辑框3_瓦斯绝对涌出量"), QStringLiteral("3"));
    QCOMPARE(Text("编辑框3_工作面允许瓦斯浓度"), QStringLiteral("0.005"));
    QCOMPARE(Text("编辑框3_送入风流中瓦斯浓度"), QStringLiteral("0"));
    QCOMPARE(m_form->visibleUnits.value(U("标签52")), true);
    QCOMPARE(m_form->visibleUnits.value(U("编辑框2_按瓦斯绝对涌出量计算")), true);
    QCOMPARE(m_form->visibleUnits.value(U(kGasNoteId)), false);
    QCOMPARE(m_form->Caption(U("标签37")), U("①~⑤取最大需风量Q需"));
    // The results are emptied in this order, after the gas texts.
    QStringList writes;
    for (const QString &e : m_form->events)
        if (e.startsWith(u'T')) writes << e.mid(2, e.indexOf(u'=') - 2);
    QCOMPARE(writes,
             (QStringList{"编辑框3_瓦斯绝对涌出量", "编辑框3_工作面允许瓦斯浓度",
                          "编辑框3_送入风流中瓦斯浓度", "编辑框2_总体选取",
                          "编辑框2_按瓦斯绝对涌出量计算", "编辑框2_按人", "编辑框2_按风速",
                          "编辑框2_按排除炮排烟", "编辑框2_按废气", "编辑框4_洞口风机供风量Q供",
                          "编辑框5_风管摩擦力", "编辑框5_局部压力损失", "编辑框5_通风总风压"}));

    TickGas(false);
    for (const char *id :
         {"编辑框3_瓦斯绝对涌出量", "编辑框3_工作面允许瓦斯浓度", "编辑框3_送入风流中瓦斯浓度"}) {
        QCOMPARE(m_form->enabledUnits.value(U(id)), false);
        QCOMPARE(Text(id), U("不考虑"));
    }
    QCOMPARE(m_form->visibleUnits.value(U("标签52")), false);
    QCOMPARE(m_form->visibleUnits.value(U("编辑框2_按瓦斯绝对涌出量计算")), false);
    QCOMPARE(m_form->visibleUnits.value(U(kGasNoteId)), false);
    QCOMPARE(m_form->Caption(U("标签37")), U("①~④取最大需风量Q需"));
}

void TestVentilation::clearingGasAfterCalculation() {
    TickGas(true);
    CalculateVentilation(*m_form);
    QCOMPARE(m_form->Caption(kNotice), QString());
    TickGas(false);
    for (const char *id :
         {"编辑框2_按人", "编辑框2_按风速", "编辑框2_按排除炮排烟", "编辑框2_按废气",
          "编辑框2_按瓦斯绝对涌出量计算", "编辑框2_总体选取", "编辑框4_洞口风机供风量Q供",
          "编辑框5_风管摩擦力", "编辑框5_局部压力损失", "编辑框5_通风总风压"})
        QCOMPARE(Text(id), QString());
    QCOMPARE(Text("编辑框3_功率合计"), QStringLiteral("711.36"));
    QCOMPARE(Text("编辑框4_风管漏风系数"), QStringLiteral("1.236"));
    QCOMPARE(Text("编辑框4_风管截面积S"), QStringLiteral("2.54"));
    // Emptying Q需 is a change of it.
    QCOMPARE(m_form->Caption(kNotice), kChangeNotice);
}

void TestVentilation::changeReactions() {
    struct Case {
        const char *field;
        Rgb before;
        bool notice;
    };
    const Case cases[] = {
        {"编辑框1_风量备用系数", kGrey192, true},
        {"编辑框5_其他压力损失", kGrey128, true},
        {"编辑框4_风管百米漏风率", kGrey192, true},
        {"编辑框1_隧道开挖面积", kBlack, true},
        {"编辑框3_瓦斯绝对涌出量", kGrey128, false},
        {"编辑框3_送入风流中瓦斯浓度", kGrey128, false},
        {"编辑框2_总体选取", kBlack, true},
        {"编辑框2_按人", kBlack, false},
    };
    for (const Case &c : cases) {
        m_form->SetCaption(kNotice, QString());
        QCOMPARE(m_form->TextColor(U(c.field)), c.before);
        Set(c.field, "1");
        QCOMPARE(m_form->TextColor(U(c.field)), kBlack);
        QCOMPARE(m_form->Caption(kNotice), c.notice ? kChangeNotice : QString());
    }
}

void TestVentilation::saveWritesSection() {
    m_form->recorder.files.enqueue(DataFile("v.tac"));
    QVERIFY(SaveParameters(*m_form, VentilationTable()));
    QCOMPARE(m_form->recorder.MessageTexts(), QStringList{U("保存成功！")});
    QCOMPARE(m_form->recorder.requests.constFirst().defaultExtension, QStringLiteral(".tac"));
    QCOMPARE(FromGbk(ReadFileBytes(DataFile("v.tac"))),
             U("[2.2]\r\n1=60\r\n2=2.5\r\n3=60\r\n4=1.15\r\n5=3.0\r\n6=0.15\r\n7=30\r\n8=100\r\n9="
               "1400\r\n"
               "10=1.8\r\n11=0.7\r\n12=220\r\n13=150\r\n14=206\r\n15=1\r\n16=1\r\n17=2\r\n18="
               "2\r\n19=0\r\n"
               "20=0.8\r\n21=0.4\r\n22=0.9\r\n23=0\r\n24=0.015\r\n25=0\r\n26=4.5\r\n"
               "27=SDF(C)-No12.5\r\n28=2100\r\n29=5000\r\n30=220\r\n31=2\r\n"));
}

void TestVentilation::saveAndOpenRoundTrip() {
    TickGas(true);
    CalculateVentilation(*m_form);
    QStringList saved;
    int i = 0;
    for (const ParamKey &key : VentilationTable().params) {
        const QString text = i % 3 == 0   ? QStringLiteral("%1.5").arg(i)
                             : i % 3 == 1 ? U("不考虑")
                                          : U("六十");
        m_form->SetText(U(key.field), text);
        saved << text;
        ++i;
    }
    m_form->recorder.files.enqueue(DataFile("round.tac"));
    QVERIFY(SaveParameters(*m_form, VentilationTable()));
    for (const ParamKey &key : VentilationTable().params)
        m_form->SetText(U(key.field), QStringLiteral("x"));
    Set("编辑框3_瓦斯绝对涌出量", "7");
    m_form->SetCaption(kNotice, QString());

    m_form->recorder.files.enqueue(DataFile("round.tac"));
    QVERIFY(OpenParameters(*m_form, VentilationTable()));
    QStringList loaded;
    for (const ParamKey &key : VentilationTable().params) loaded << m_form->Text(U(key.field));
    QCOMPARE(loaded, saved);
    // Neither the gas option nor its fields nor the results are stored.
    QVERIFY(m_form->Checked(U(kGasOptionId)));
    QCOMPARE(Text("编辑框3_瓦斯绝对涌出量"), QStringLiteral("7"));
    QCOMPARE(Text("编辑框2_按瓦斯绝对涌出量计算"), QStringLiteral("690"));
    QCOMPARE(Text("编辑框5_通风总风压"), QStringLiteral("4173.12"));
    QCOMPARE(m_form->Caption(kNotice), kChangeNotice);
    QCOMPARE(m_form->TextColor(U("编辑框1_风量备用系数")), kBlack);
}

void TestVentilation::openVibrationFile() {
    QVERIFY(WriteFileBytes(DataFile("vib.tac"),
                           "[2.1]\r\n1=5\r\n[2.2]\r\n1=12\r\n2=34\r\n[2.3]\r\n1=9\r\n"));
    m_form->recorder.files.enqueue(DataFile("vib.tac"));
    QVERIFY(OpenParameters(*m_form, VentilationTable()));
    QCOMPARE(Text("编辑框1_隧道开挖面积"), QStringLiteral("12"));
    QCOMPARE(Text("编辑框1_隧道开挖进尺"), QStringLiteral("34"));
    int empty = 0;
    for (const ParamKey &key : VentilationTable().params)
        empty += m_form->Text(U(key.field)).isEmpty();
    QCOMPARE(empty, 29);
    QVERIFY(m_form->recorder.messages.isEmpty());
}

// A file saved before the fan items existed opens and computes as before,
// with no fan selected and so no fan check.
void TestVentilation::openFileWithoutFanKeys() {
    CalculateVentilation(*m_form);
    const QString supply = Text("编辑框4_洞口风机供风量Q供");
    const QString pressure = Text("编辑框5_通风总风压");
    QVERIFY(WriteFileBytes(
        DataFile("old.tac"),
        "[2.2]\r\n1=60\r\n2=2.5\r\n3=60\r\n4=1.15\r\n5=3.0\r\n6=0.15\r\n7=30\r\n8=100\r\n"
        "9=1400\r\n10=1.8\r\n11=0.7\r\n12=220\r\n13=150\r\n14=206\r\n15=1\r\n16=1\r\n17=2\r\n"
        "18=2\r\n19=0\r\n20=0.8\r\n21=0.4\r\n22=0.9\r\n23=0\r\n24=0.015\r\n25=0\r\n26=4.5\r\n"));
    m_form->recorder.files.enqueue(DataFile("old.tac"));
    QVERIFY(OpenParameters(*m_form, VentilationTable()));
    for (const char *fan : {"编辑框6_风机型号", "编辑框6_风机额定风量", "编辑框6_风机额定风压",
                            "编辑框6_电机功率", "编辑框6_风机台数"})
        QCOMPARE(Text(fan), QString());
    CalculateVentilation(*m_form);
    QCOMPARE(Text("编辑框4_洞口风机供风量Q供"), supply);
    QCOMPARE(Text("编辑框5_通风总风压"), pressure);
    QCOMPARE(VentilationChecks(*m_form), QStringList{});
    QVERIFY(m_form->recorder.messages.isEmpty());
}

// The overview names the project from 工程信息; empty items are left out.
void TestVentilation::overviewFromProjectInfo() {
    ProjectInfo info;
    info.name = U("青山隧道");
    info.contractor = U("某工程局");
    QCOMPARE(WriteProjectInfo(m_dir->path(), info), QString());
    CalculateVentilation(*m_form);
    m_form->SetText(U("编辑框3_挖机数量"), QStringLiteral("0"));
    m_form->SetText(U("编辑框3_自卸空载数"), QStringLiteral("0"));
    m_form->recorder.answers.enqueue(kAnswerYes);
    ExportVentilationScheme(*m_form);
    const QStringList lines = DocumentLines(ReadFileBytes(Output(false)));
    QVERIFY(lines.contains(U(
        "青山隧道采用钻爆法施工，开挖断面面积60m2，独头掘进最大通风长度1400m，施工通风采用压入式。施工单位为某工程局。")));
    QVERIFY(lines.contains(U(
        "施工高峰期洞内同时作业的内燃机械：装载机1辆（单机功率150kW），自卸车重载2辆、空载0辆（装机功率206kW）；计算高峰期内燃机械总功率711.36kW。")));
}

void TestVentilation::templatePlaceholders_data() {
    QTest::addColumn<bool>("gas");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<int>("passes");
    for (bool gas : {false, true})
        for (const ReportFill &fill : Fills(VentilationReport(gas)))
            QTest::addRow("%s %s", gas ? "gas" : "plain", fill.placeholder)
                << gas << U(fill.placeholder) << fill.passes;
}

// Every placeholder occurs in its template, at most as often as its passes
// replace, each time inside one run; the duct cross-section has none.
void TestVentilation::templatePlaceholders() {
    QFETCH(bool, gas);
    QFETCH(QString, placeholder);
    QFETCH(int, passes);
    const QByteArray package = TemplateBytes(VentilationReport(gas).templateName);
    DocxDocument document;
    QVERIFY(document.Open(package));
    const qsizetype count = document.MainText().count(placeholder);
    if (placeholder == U("编辑框4_风管截面积S")) {
        QCOMPARE(count, 0);
        return;
    }
    QVERIFY2(count >= 1 && count <= passes, qPrintable(QString::number(count)));
    const QString xml =
        QString::fromUtf8(test::EntryData(test::ReadPackage(package), "word/document.xml"));
    static const QRegularExpression text(QStringLiteral("<w:t(?: [^>]*)?>([^<]*)</w:t>"));
    qsizetype whole = 0;
    for (const QRegularExpressionMatch &m : text.globalMatch(xml))
        whole += m.captured(1).count(placeholder);
    QCOMPARE(whole, count);
}

void TestVentilation::exportCancel() {
    m_form->recorder.answers << kAnswerYes << kAnswerCancel;
    ExportVentilationScheme(*m_form);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(U("导出的方案"))));
    QCOMPARE(m_form->recorder.MessageTexts(),
             (QStringList{U("计算结果为空或参数已修改，请先计算。仍要导出吗？"),
                          U("确定开始导出，中途请勿进行其他操作！")}));
}

void TestVentilation::exportSequence_data() {
    QTest::addColumn<bool>("gas");
    QTest::newRow("plain") << false;
    QTest::newRow("gas") << true;
}

void TestVentilation::exportSequence() {
    QFETCH(bool, gas);
    TickGas(gas);
    CalculateVentilation(*m_form);
    m_form->events.clear();
    ExportVentilationScheme(*m_form);

    QStringList steps;
    for (const QString &e : m_form->events) {
        if (e.startsWith(U("C 标签1_提示信息=已导出"))) break;
        steps << e;
    }
    QStringList expected = {C("参数导出准备中，请稍候……"),
                            L("数据整理录入参数表中，开始制作方案……\r\n")};
    for (int n = 18; n >= 10; --n) expected << C("参数写入与处理，导出倒计时") + QString::number(n);
    expected << L("方案格式调整与设置……\r\n");
    for (int n = 9; n >= 1; --n) expected << C("数据整理写入，导出倒计时") + QString::number(n);
    expected << L("开始导出方案……\r\n") << C("数据整理写入，方案即将导出！");
    QCOMPARE(steps, expected);

    QCOMPARE(m_form->Caption(kNotice), U("已导出 100%  "));
    QCOMPARE(m_form->Progress(), 0);
    QVERIFY(m_form->LogText().endsWith(U("方案制作完成！\r\n")));
    QCOMPARE(m_form->recorder.MessageTexts().last(),
             U("隧道通风方案导出成功！\r\n文件：") + QDir::toNativeSeparators(Output(gas)));
    QCOMPARE(m_form->recorder.openedFolders, QStringList{m_dir->filePath(U("导出的方案"))});
    QVERIFY(QFileInfo::exists(Output(gas)));
    QVERIFY(!QFileInfo::exists(Output(!gas)));
}

void TestVentilation::exportFillsScheme_data() {
    exportSequence_data();
}

void TestVentilation::exportFillsScheme() {
    QFETCH(bool, gas);
    TickGas(gas);
    CalculateVentilation(*m_form);
    ExportVentilationScheme(*m_form);
    const QStringList lines = DocumentLines(ReadFileBytes(Output(gas)));
    QVERIFY(!lines.isEmpty());
    const QString text = lines.join(u'\n');
    QVERIFY2(!text.contains(U("编辑框")), qPrintable(text));

    // Table cells are paragraphs: number, label, value.
    const auto rows = ParameterRows(gas);
    for (int i = 0; i < rows.size(); ++i) {
        const qsizetype at = lines.indexOf(rows[i].first);
        QVERIFY2(at > 0 && at + 1 < lines.size(), qPrintable(rows[i].first));
        QCOMPARE(lines[at - 1], QString::number(i + 1));
        QCOMPARE(lines[at + 1], m_form->Text(rows[i].second));
    }
    QVERIFY(lines.contains(U("Q人员=n×K×E=60×1.15×3.0=207(m3/min)")));
    QVERIFY(lines.contains(U("Q内燃=Q0×N=4.5×711.36=3201.12(m3/min)")));
    QVERIFY(lines.contains(U("h局=0.12×h摩=0.12×3726=447.12(Pa)")));
    QVERIFY(lines.contains(U("H=h摩+h局+h其他=3726+447.12+0=4173.12(Pa)")));
    QVERIFY(text.contains(U("=1.236×3201.12≈3955.44(m3/min)")));
    QVERIFY(text.contains(U("α=0.0022")));
    QVERIFY(text.contains(U("6.5")));
    // Chapters stand in the text and, with their page, in the table of contents.
    const QRegularExpression tocEntry(QStringLiteral("^(.+)\\t\\d+$"));
    QStringList contents;
    for (const QString &line : lines)
        if (const auto m = tocEntry.match(line); m.hasMatch()) contents << m.captured(1);
    for (const char *chapter : {"一、编制依据和原则", "二、工程概况", "三、通风设计标准",
                                "四、通风设计原则", "五、通风方案", "六、施工通风检测",
                                "七、施工通风安全措施", "（一）风量和风压计算", "（二）风机选型"}) {
        QVERIFY2(lines.contains(U(chapter)), chapter);
        QVERIFY2(contents.contains(U(chapter)), chapter);
    }
    for (const char *heading :
         {"1. 计算参数", "2. 风量计算",
          gas ? "（7）风管漏风损失修正风量" : "（6）风管漏风损失修正风量", "4. 风压计算"})
        QVERIFY2(lines.contains(U(heading)), heading);
    QVERIFY(!text.contains(U("请自行添加！")) && !text.contains(U("请填写")));
    // The overview is written out, with no lines left to fill in.
    const qsizetype overview = lines.lastIndexOf(U("二、工程概况"));
    const qsizetype standards = lines.lastIndexOf(U("三、通风设计标准"));
    QVERIFY(overview > 0 && standards > overview);
    for (qsizetype i = overview; i < standards; ++i) QVERIFY(!lines[i].contains(U("____")));
    QVERIFY(lines.contains(U(
        "本隧道采用钻爆法施工，开挖断面面积60m2，独头掘进最大通风长度1400m，施工通风采用压入式。")));
    QVERIFY(lines.contains(U(
        "施工高峰期洞内同时作业的内燃机械：挖掘机1辆（单机功率220kW），装载机1辆（单机功率150kW），自卸车重载2辆、空载2辆（装机功率206kW）；计算高峰期内燃机械总功率711.36kW。")));
    // The fan table: item, then the selected value.
    const std::pair<const char *, const char *> fan[] = {
        {"风机型号", "SDF(C)-No12.5"},  {"风机数量（台）", "2"},
        {"额定风量（m3/min）", "2100"}, {"额定全压（Pa）", "5000"},
        {"电机功率（kW）", "220"},      {"风管类型及直径（m）", "拉链式软质风管，1.8"}};
    for (const auto &[item, value] : fan) {
        const qsizetype at = lines.indexOf(U(item));
        QVERIFY2(at > 0 && at + 1 < lines.size(), item);
        QCOMPARE(lines[at + 1], U(value));
    }
    if (gas) {
        QVERIFY(lines.contains(U("Q瓦斯=K×q瓦/(Bg−B0)=1.15×3/(0.005−0)=690(m3/min)")));
        QVERIFY(lines.contains(U("Q需=max（Q人员、Q风速、Q炸药、Q内燃、Q瓦斯）=3201.12 (m3/min)")));
    } else {
        QVERIFY(!text.contains(U("Q瓦斯")));
        QVERIFY(lines.contains(U("Q需=max（Q人员、Q风速、Q炸药、Q内燃）=3201.12 (m3/min)")));
    }
}

void TestVentilation::exportWithoutCalculation() {
    m_form->recorder.answers.enqueue(kAnswerYes);
    ExportVentilationScheme(*m_form);
    const QStringList lines = DocumentLines(ReadFileBytes(Output(false)));
    QVERIFY(!lines.isEmpty());
    QVERIFY(!lines.join(u'\n').contains(U("编辑框")));
    QVERIFY(lines.contains(U("Q人员=n×K×E=60×1.15×3.0=(m3/min)")));
}

// An earlier scheme, perhaps edited in Word, stays; the new one goes beside it.
void TestVentilation::exportOverwrites() {
    QVERIFY(QDir(m_dir->path()).mkdir(U("导出的方案")));
    QVERIFY(WriteFileBytes(Output(true), "old"));
    TickGas(true);
    m_form->recorder.answers.enqueue(kAnswerYes);
    ExportVentilationScheme(*m_form);
    QCOMPARE(ReadFileBytes(Output(true)), QByteArray("old"));
    QVERIFY(ReadFileBytes(Output(true).chopped(5) + U("(2).docx")).startsWith("PK"));
    QCOMPARE(m_form->recorder.MessageTexts().size(), 3);  // no question about the name
}

QTEST_GUILESS_MAIN(TestVentilation)
#include "test_ventilation.moc"
