#include <QTemporaryDir>
#include <QtTest>

#include "core/docx_document.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_report.h"
#include "modules/formwork/core/lateral_pressure.h"
#include "support/evaluation_texts.h"
#include "support/memory_form.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

using tunnel::test::kNoDanger;
using tunnel::test::kOverScale;
using tunnel::test::kScheme;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// The preset t0 of 2 h is below 200 / (20 + 15), so each lateral pressure
// ends with this check.
const QString kSetTimeCheck = S("校核：初凝时间t0小于按200/(T+15)计算的值，应有试验资料\r\n");

// The window's form without widgets; the drop-downs start on "    否".
class FormworkForm : public MemoryForm {
public:
    explicit FormworkForm(const QString &folder) : MemoryForm(folder, &FormworkTable()) {
        PrepareQuestions(*this);
    }
    void SetCaption(QAnyStringView id, const QString &text) override {
        if (id == S(kFormworkNoticeId)) notices << text;
        MemoryForm::SetCaption(id, text);
    }
    void AppendLog(const QString &text) override {
        events << QStringLiteral("log:") + text;
        MemoryForm::AppendLog(text);
    }
    void Set(const char *id, const QString &text) { SetText(S(id), text); }
    QString Get(const char *id) const { return Text(S(id)); }

    QStringList notices;
    QStringList events;
};

}  // namespace

class TestFormwork : public QObject {
    Q_OBJECT
private slots:
    void combinationsWithDefaults();
    void combinationsOfOtherInputs_data();
    void combinationsOfOtherInputs();
    void incompleteInputStopsEverything_data();
    void incompleteInputStopsEverything();
    void classifyThresholds_data();
    void classifyThresholds();
    void evaluationItemLines_data();
    void evaluationItemLines();
    void verdictPhrases_data();
    void verdictPhrases();
    void unselectedQuestionWritesHeaderOnly();
    void lateralPressureVariants_data();
    void lateralPressureVariants();
    void memberDimensionBands_data();
    void memberDimensionBands();
    void equalStandardValuesTakeF();
    void missingInputsContinueWithOldValues();
    void temperatureGivesSettingTime();
    void hoverLabelGeometry();
    void reportSequenceAndContent();
    void reportCancelWritesNothing();

private:
    QTemporaryDir m_dir;
};

void TestFormwork::combinationsWithDefaults() {
    FormworkForm form(m_dir.path());
    QCOMPARE(form.LogText(), S(kStandbyLine));
    CalculateLoads(form);
    QCOMPARE(form.Get(kSlabLiveId), S("14.803"));
    QCOMPARE(form.Get(kSlabDeadId), S("15.315"));
    QCOMPARE(form.Get(kSlabMaxId), S("15.315"));
    QCOMPARE(form.Get(kLineLiveId), S("28.436"));
    QCOMPARE(form.Get(kLineDeadId), S("31.348"));
    QCOMPARE(form.Get(kLineMaxId), S("31.348"));
    const Rgb blue{0, 96, 192};
    QCOMPARE(form.backColours.value(S(kSlabMaxId)), blue);
    QCOMPARE(form.backColours.value(S(kLineMaxId)), blue);
    QCOMPARE(form.backColours.value(S(kVerdictId)), blue);
    // Four pauses for the combinations, six for the evaluation items.
    QCOMPARE(form.scripted.pauses, QList<int>(10, 300));

    const QString log = form.LogText();
    QVERIFY(log.startsWith(
        S("刷新日志，系统准备完成，待命……施工总荷载-R活计算完成！\r\n施工总荷载-R恒计算完成！\r\n"
          "施工总荷载-承载能力极限状态荷载效应基本组合Rmax=15.315KN/m2\r\n"
          "集中线荷载-R活计算完成！\r\n集中线荷载-R恒计算完成！\r\n"
          "集中线荷载-承载能力极限状态荷载效应基本组合Rmax=31.348KN/m\r\n") +
        QString(41, QLatin1Char('-')) + S("\r\n1、 搭设高度评价\r\n")));
    QVERIFY(
        log.endsWith(S("\r\n\r\n\r\n\r\n\r\n\r\n开始执行评价系统……\r\n\r\n自动行评价完成！\r\n")));

    QCOMPARE(form.Get(kEvaluations[0]),
             S("1、 搭设高度评价\r\n   本项目模板支架搭设高度9m≥8m,") + kOverScale);
    QCOMPARE(form.Get(kEvaluations[1]),
             S("2、 搭设跨度评价\r\n    本项目模板支架搭设跨度8.1m<10m,") + kNoDanger);
    QCOMPARE(form.Get(kEvaluations[2]),
             S("3、施工总荷载组合设计值评价\r\n   "
               "本项目施工总荷载（荷载效应基本组合的设计值）15.315kN/m2≥15kN/m2,") +
                 kOverScale);
    QCOMPARE(form.Get(kEvaluations[3]),
             S("4、集中线荷载组合设计值评价\r\n   "
               "本项目集中线荷载（荷载效应基本组合的设计值）31.348kN/m≥20kN/m,") +
                 kOverScale);
    QCOMPARE(
        form.Get(kEvaluations[4]),
        S("5、高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程评价\r\n"
          "   本项目不存在高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程，") +
            kNoDanger);
    QCOMPARE(form.Get(kEvaluations[5]),
             S("6、本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载评价\r\n"
               "   本项目不存在用于钢结构安装等满堂支撑体系，") +
                 kNoDanger);
    QCOMPARE(form.Get(kVerdictId), S("本工程") + kOverScale);
    // The log repeats each line with its own break.
    QVERIFY(log.contains(S("31.348kN/m≥20kN/m,") + kOverScale + S("\r\n5、")));
}

void TestFormwork::combinationsOfOtherInputs_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");  // the six result texts

    // A thickness typed as millimetres is taken as metres: G2k × a = 9600.
    QTest::newRow("slab 400") << S(kSlabId) << S("400")
                              << QStringList{S("10847.16"), S("12201.716"), S("12201.716"),
                                             S("28.436"),   S("31.348"),    S("31.348")};
    // A large live load makes the live-load combination govern.
    QTest::newRow("live governs") << S(kQ1kId) << S("10")
                                  << QStringList{S("24.253"), S("21.93"),  S("24.253"),
                                                 S("28.436"), S("31.348"), S("31.348")};
    QTest::newRow("blank reads 0")
        << S(kQ1kId) << S(" ")
        << QStringList{S("11.653"), S("13.11"), S("13.11"), S("28.436"), S("31.348"), S("31.348")};
    QTest::newRow("text prefix") << S(kBeamBId) << S("1.2m")
                                 << QStringList{S("14.803"), S("15.315"), S("15.315"),
                                                S("56.873"), S("62.697"), S("62.697")};
}

void TestFormwork::combinationsOfOtherInputs() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    FormworkForm form(m_dir.path());
    form.SetText(field, value);
    CalculateLoads(form);
    const char *ids[] = {kSlabLiveId, kSlabDeadId, kSlabMaxId,
                         kLineLiveId, kLineDeadId, kLineMaxId};
    for (int i = 0; i < 6; ++i) QCOMPARE(form.Get(ids[i]), expected[i]);
}

void TestFormwork::incompleteInputStopsEverything_data() {
    QTest::addColumn<QString>("field");
    for (const char *id :
         {kSlabId, kBeamBId, kBeamHId, kG1kId, kG2kId, kG3kSlabId, kG3kBeamId, kQ1kId, kQ2kId})
        QTest::newRow(id) << S(id);
}

void TestFormwork::incompleteInputStopsEverything() {
    QFETCH(QString, field);
    FormworkForm form(m_dir.path());
    CalculateLoads(form);
    form.scripted.pauses.clear();
    form.SetText(field, QString());
    CalculateLoads(form);
    QCOMPARE(form.LogText(),
             S("刷新日志，系统准备完成，待命……参数输入不完整，请查证后重新输入\r\n"));
    for (const char *id :
         {kSlabLiveId, kSlabDeadId, kSlabMaxId, kLineLiveId, kLineDeadId, kLineMaxId, kVerdictId})
        QCOMPARE(form.Get(id), QString());
    for (const char *id : kEvaluations) QCOMPARE(form.Get(id), QString());
    QVERIFY(form.scripted.pauses.isEmpty());
}

void TestFormwork::classifyThresholds_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("danger");
    QTest::newRow("8") << 8.0 << int(Danger::OverScale);
    QTest::newRow("7.99999999 within 1e-7") << 7.99999999 << int(Danger::OverScale);
    QTest::newRow("7.9999") << 7.9999 << int(Danger::Scheme);
    QTest::newRow("5") << 5.0 << int(Danger::Scheme);
    QTest::newRow("4.99999995") << 4.99999995 << int(Danger::Scheme);
    QTest::newRow("4.9999") << 4.9999 << int(Danger::None);
    QTest::newRow("0") << 0.0 << int(Danger::None);
    QTest::newRow("negative") << -9.0 << int(Danger::None);
}

void TestFormwork::classifyThresholds() {
    QFETCH(double, x);
    QFETCH(int, danger);
    QCOMPARE(int(Classify(x, 5, 8)), danger);
}

void TestFormwork::evaluationItemLines_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");

    const QString h3 = S("   本项目模板支架搭设高度");
    const QString h4 = S("    本项目模板支架搭设高度");
    const QString b4 = S("    本项目模板支架搭设跨度");
    QTest::newRow("H 8") << S("8") << S("8.1") << h3 + S("8m≥8m,") + kOverScale
                         << b4 + S("8.1m<10m,") + kNoDanger;
    QTest::newRow("H 7.99999999") << S("7.99999999") << S("18")
                                  << h3 + S("7.99999999m≥8m,") + kOverScale
                                  << b4 + S("18m≥18m,") + kOverScale;
    QTest::newRow("H 7.9999") << S("7.9999") << S("17.9999") << h4 + S("7.9999m≥5m,") + kScheme
                              << b4 + S("17.9999m≥10m,") + kScheme;
    QTest::newRow("span 12, H 20")
        << S("20") << S("12") << h3 + S("20m≥8m,") + kOverScale << b4 + S("12m≥10m,") + kScheme;
    QTest::newRow("H 4.9999, text kept")
        << S("4.9999") << S("09.90") << h4 + S("4.9999m<5m,") + kNoDanger
        << b4 + S("09.90m<10m,") + kNoDanger;
    QTest::newRow("empty reads 0")
        << S("") << S("") << h4 + S("m<5m,") + kNoDanger << b4 + S("m<10m,") + kNoDanger;
}

void TestFormwork::evaluationItemLines() {
    QFETCH(QString, height);
    QFETCH(QString, span);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    FormworkForm form(m_dir.path());
    form.Set(kHeightId, height);
    form.Set(kSpanId, span);
    CalculateLoads(form);
    QCOMPARE(form.Get(kEvaluations[0]), S("1、 搭设高度评价\r\n") + line1);
    QCOMPARE(form.Get(kEvaluations[1]), S("2、 搭设跨度评价\r\n") + line2);
    QVERIFY(form.LogText().contains(line1 + S("\r\n2、")));
}

void TestFormwork::verdictPhrases_data() {
    QTest::addColumn<int>("question1");
    QTest::addColumn<int>("question2");
    QTest::addColumn<QString>("line6");  // item 6 after its header
    QTest::addColumn<QString>("verdict");
    const QString none6 = S("   本项目不存在用于钢结构安装等满堂支撑体系，") + kNoDanger;
    const QString over6 =
        S("   本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载≥ 7kN,") + kOverScale;
    const QString below6 = S(
        "   本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载<7kN，属危险性较大的分部分项工程范围，需编制专项施工方案");
    QTest::newRow("all low") << 1 << 1 << none6 << S("本工程") + kNoDanger;
    QTest::newRow("question 1 yes") << 0 << 1 << none6 << S("本工程") + kScheme;
    QTest::newRow("item 6 ≥7kN") << 1 << 0 << over6 << S("本工程") + kOverScale;
    QTest::newRow("item 6 <7kN is dangerous") << 1 << 2 << below6 << S("本工程") + kScheme;
    QTest::newRow("both yes") << 0 << 0 << over6 << S("本工程") + kOverScale;
}

void TestFormwork::verdictPhrases() {
    QFETCH(int, question1);
    QFETCH(int, question2);
    QFETCH(QString, line6);
    QFETCH(QString, verdict);
    FormworkForm form(m_dir.path());
    // Everything below its lower limit.
    form.Set(kHeightId, S("3"));
    form.Set(kSpanId, S("6"));
    form.Set(kSlabId, S("0.1"));
    form.Set(kBeamBId, S("0.2"));
    form.Set(kBeamHId, S("0.4"));
    form.SetCurrentIndex(S(kQuestion1Id), question1);
    form.SetCurrentIndex(S(kQuestion2Id), question2);
    CalculateLoads(form);
    QVERIFY(form.Get(kEvaluations[2]).endsWith(S("kN/m2<10kN/m2,") + kNoDanger));
    QVERIFY(form.Get(kEvaluations[3]).endsWith(S("kN/m<15kN/m,") + kNoDanger));
    QCOMPARE(form.Get(kEvaluations[5]),
             S("6、本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载评价\r\n") + line6);
    QCOMPARE(form.Get(kVerdictId), verdict);
    QCOMPARE(VerdictFor(form.LogText()), verdict);
    QCOMPARE(VerdictFor(S("开始执行评价系统……")), QString());
}

void TestFormwork::unselectedQuestionWritesHeaderOnly() {
    FormworkForm form(m_dir.path());
    form.SetCurrentIndex(S(kQuestion1Id), -1);
    CalculateLoads(form);
    QCOMPARE(form.Get(kEvaluations[4]),
             S("5、高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程评价\r\n"));
    QVERIFY(form.LogText().contains(S("工程评价\r\n6、")));
}

void TestFormwork::lateralPressureVariants_data() {
    QTest::addColumn<bool>("wall");
    QTest::addColumn<bool>("steel");
    QTest::addColumn<QString>("thick");
    QTest::addColumn<QStringList>("diagram");  // h, Q3d, X, then the seven labels

    QTest::newRow("wall plain") << true << false << S("28.98")
                                << QStringList{S("0.8"),       S("7.56"),
                                               S("0.31"),      S("3.0m"),
                                               S("0.8m"),      S("19.28KN/m2"),
                                               S("7.56KN/m2"), S("2.2m"),
                                               S("0.31m"),     S("墙体侧压力设计值分布图")};
    QTest::newRow("wall steel") << true << true << S("25.5")
                                << QStringList{S("0.76"),      S("7.18"),
                                               S("0.27"),      S("3.0m"),
                                               S("0.76m"),     S("18.31KN/m2"),
                                               S("7.18KN/m2"), S("2.24m"),
                                               S("0.27m"),     S("墙体钢模侧压力设计值分布图")};
    QTest::newRow("beam steel unrounded")
        << false << true << S("25.4961")
        << QStringList{S("0.76"),      S("7.18"),
                       S("0.27"),      S("3.0m"),
                       S("0.76m"),     S("18.31KN/m2"),
                       S("7.18KN/m2"), S("2.24m"),
                       S("0.27m"),     S("梁拱柱钢模侧压力设计值分布图")};
    QTest::newRow("beam plain") << false << false << S("28.98")
                                << QStringList{S("0.8"),       S("7.56"),
                                               S("0.31"),      S("3.0m"),
                                               S("0.8m"),      S("19.28KN/m2"),
                                               S("7.56KN/m2"), S("2.2m"),
                                               S("0.31m"),     S("梁拱柱侧压力设计值分布图")};
}

void TestFormwork::lateralPressureVariants() {
    QFETCH(bool, wall);
    QFETCH(bool, steel);
    QFETCH(QString, thick);
    QFETCH(QStringList, diagram);
    FormworkForm form(m_dir.path());
    form.SetChecked(S(wall ? kWallSteelId : kMemberSteelId), steel);
    (wall ? WallPressure : MemberPressure)(form);
    QCOMPARE(form.Get(kFPrimeId), S("17.85"));
    QCOMPARE(form.Get(kFId), S("72"));
    QCOMPARE(form.Get(kG4kId), S("17.85"));
    QCOMPARE(form.Get(kThickResultId), thick);
    QCOMPARE(form.Get(kThinResultId), QString());
    QCOMPARE(form.visibleUnits.value(S(kThickGroupId)), true);
    QCOMPARE(form.visibleUnits.value(S(kThinGroupId)), false);
    QCOMPARE(form.Get(kEffectiveHeadId), diagram[0]);
    QCOMPARE(form.Get(kDumpingDesignId), diagram[1]);
    QCOMPARE(form.Get(kActingHeightId), diagram[2]);
    for (int i = 0; i < 7; ++i) QCOMPARE(form.Caption(S(kDiagramLabels[i])), diagram[3 + i]);
    QCOMPARE(form.Caption(S(kThickHeadingId)),
             wall ? S("大体积墙厚度>100mm的侧面模板计算结果")
                  : S("大体积结构、柱（边长> 300mm）的侧面模板计算结果"));
    QCOMPARE(form.Caption(S(kThinHeadingId)),
             wall ? S("墙厚度<100mm的侧面模板计算结果")
                  : S("梁、拱、柱（边长< 300mm）的侧面模板计算结果"));
    QCOMPARE(form.backColours.value(S(kThinResultId)), (Rgb{0, 96, 192}));
    QCOMPARE(form.LogText(), S(kStandbyLine) +
                                 S("侧压力标准值F'计算结果：17.85\r\n侧压力标准值F计算结果：72\r\n"
                                   "侧压力标准值F'与F计算结果取较小值17.85\r\n") +
                                 QString(44, QLatin1Char('-')) + S("\r\n") + kSetTimeCheck);
}

void TestFormwork::memberDimensionBands_data() {
    QTest::addColumn<bool>("wall");
    QTest::addColumn<QString>("dimension");
    QTest::addColumn<QString>("thin");
    QTest::addColumn<QString>("thick");
    // Thin: 1.2 × 17.85 + 1.26 × 4.
    QTest::newRow("beam 299.99999999 thick") << false << S("299.99999999") << S("") << S("28.98");
    QTest::newRow("beam 299.9999 thin") << false << S("299.9999") << S("26.46") << S("");
    QTest::newRow("wall 100 thick") << true << S("100") << S("") << S("28.98");
    QTest::newRow("wall 99.9 thin") << true << S("99.9") << S("26.46") << S("");
    QTest::newRow("beam 0 error") << false << S("0") << S("") << S("");
    QTest::newRow("wall negative error") << true << S("-5") << S("") << S("");
}

void TestFormwork::memberDimensionBands() {
    QFETCH(bool, wall);
    QFETCH(QString, dimension);
    QFETCH(QString, thin);
    QFETCH(QString, thick);
    FormworkForm form(m_dir.path());
    form.Set(wall ? kWallThicknessId : kMemberSideId, dimension);
    (wall ? WallPressure : MemberPressure)(form);
    QCOMPARE(form.Get(kThinResultId), thin);
    QCOMPARE(form.Get(kThickResultId), thick);
    QCOMPARE(form.visibleUnits.value(S(kThinGroupId)), !thin.isEmpty());
    QCOMPARE(form.visibleUnits.value(S(kThickGroupId)), !thick.isEmpty());
    const bool error = thin.isEmpty() && thick.isEmpty();
    QCOMPARE(form.LogText().endsWith(S("参数输入错误（边长），请查证17.85\r\n") + kSetTimeCheck),
             error);
    // The diagram values follow in every case.
    QCOMPARE(form.Get(kActingHeightId), S("0.31"));
    QCOMPARE(form.Caption(S(kDiagramLabels[4])), S("2.2m"));
}

void TestFormwork::equalStandardValuesTakeF() {
    FormworkForm form(m_dir.path());
    // Without t0, F' and F keep the texts given here and only G4k is chosen.
    form.Set(kSetTimeId, QString());
    const struct {
        const char *fPrime;
        const char *f;
        const char *g4k;
    } cases[] = {
        {"17.850", "17.85", "17.85"},                                        // equal values take F
        {"17.85", "17.850", "17.850"},   {"17.85000005", "17.85", "17.85"},  // within 1e-7
        {"17.8499", "17.85", "17.8499"}, {"80", "72", "72"},
    };
    for (const auto &c : cases) {
        form.Set(kFPrimeId, S(c.fPrime));
        form.Set(kFId, S(c.f));
        WallPressure(form);
        QCOMPARE(form.Get(kG4kId), S(c.g4k));
        QVERIFY(form.LogText().endsWith(
            S("请输入完整的计算参数，请查证！\r\n侧压力标准值F'与F计算结果取较小值") + S(c.g4k) +
            S("\r\n") + QString(44, QLatin1Char('-')) + S("\r\n")));
    }
}

void TestFormwork::missingInputsContinueWithOldValues() {
    FormworkForm form(m_dir.path());
    // On first use nothing is there to continue with.
    form.Set(kPourRateId, QString());
    WallPressure(form);
    QCOMPARE(form.LogText(), S(kStandbyLine) + S("请输入完整的计算参数，请查证！\r\n"));
    QCOMPARE(form.Get(kG4kId), QString());
    QCOMPARE(form.Get(kEffectiveHeadId), QString());

    form.Set(kPourRateId, S("1.5"));
    WallPressure(form);
    form.Set(kGammaCId, QString());
    form.Set(kHeadId, S("9"));
    form.SetLogText(QString());
    WallPressure(form);
    QVERIFY(form.LogText().startsWith(
        S("请输入完整的计算参数，请查证！\r\n侧压力标准值F'与F计算结果取较小值17.85")));
    QCOMPARE(form.Get(kFId), S("72"));
    QCOMPARE(form.Caption(S(kDiagramLabels[0])), S("9m"));

    // An empty member dimension ends the command after G4k, silently.
    form.Set(kWallThicknessId, QString());
    form.Set(kEffectiveHeadId, S("x"));
    WallPressure(form);
    QCOMPARE(form.Get(kEffectiveHeadId), S("x"));
}

void TestFormwork::temperatureGivesSettingTime() {
    FormworkForm form(m_dir.path());
    form.SetChecked(S(kTempBoxId), true);
    TemperatureToggled(form);
    QCOMPARE(form.visibleUnits.value(S(kTemperatureId)), true);
    form.Set(kTemperatureId, S("25"));
    QCOMPARE(form.Get(kSetTimeId), S("5"));
    form.Set(kTemperatureId, S("20"));
    QCOMPARE(form.Get(kSetTimeId), S("5.714"));

    form.SetChecked(S(kTempBoxId), false);
    TemperatureToggled(form);
    QCOMPARE(form.visibleUnits.value(S(kTemperatureId)), false);
    QCOMPARE(form.Get(kTemperatureId), QString());
    QCOMPARE(form.Get(kSetTimeId), QString());
    QCOMPARE(form.Checked(S(kTempBoxId)), false);
}

void TestFormwork::hoverLabelGeometry() {
    // 9 ideographs and 7 ASCII characters: 25 GBK bytes × 6.2 = 155.
    const QString hint = S("混凝土的重力密度取24KN/m3");
    QCOMPARE(HoverLabelGeometry(QRect(300, 24, 80, 22), hint, 20), QRect(370, 309, 155, 20));
    // 3 bytes × 6.2 = 18.6 is cut to 18.
    QCOMPARE(HoverLabelGeometry(QRect(0, 0, 10, 10), S("a1b"), 16), QRect(0, 285, 18, 16));
    QCOMPARE(HoverHints().size(), size_t(5));
    QCOMPARE(S(HoverHints()[0].field), S(kG3kSlabId));
    QCOMPARE(S(HoverHints()[4].field), S(kQ2kId));
}

void TestFormwork::reportSequenceAndContent() {
    QTemporaryDir dir;
    FormworkForm form(dir.path());
    CalculateLoads(form);
    form.events.clear();
    form.scripted.pauses.clear();
    form.scripted.onMessage = [&form](const auto &shown) {
        form.events << QStringLiteral("box:") + shown.text;
    };
    ExportFormworkReport(form);

    QStringList expectedNotices{S("参数导出准备中……"), S("参数导出倒计时5"), S("参数导出倒计时4"),
                                S("参数导出倒计时3"),  S("参数导出倒计时2"), S("参数导出倒计时1"),
                                S("参数导出倒计时0")};
    for (int p = 1; p <= 100; ++p) expectedNotices << S("已导出 ") + QString::number(p) + S("%  ");
    expectedNotices << S("导出完成！");
    QCOMPARE(form.notices, expectedNotices);
    QCOMPARE(
        form.events,
        (QStringList{
            S("box:确定开始导出，中途请勿进行其他操作！"), S("log:导出程序准备，开始写入……\r\n"),
            S("log:写入完毕，数据排版，请稍候……\r\n"), S("log:排版完毕，导出数据！\r\n"),
            S("box:自动生成计算书成功！\r\n文件：") +
                QDir::toNativeSeparators(dir.filePath(S("导出的方案/") + S(kFormworkReportName))),
            S("log:计算书导出完成！\r\n")}));
    QCOMPARE(form.scripted.pauses, (QList<int>{500, 500}));
    QCOMPARE(form.Progress(), 0);
    QCOMPARE(form.scripted.openedFolders, QStringList{dir.filePath(S("导出的方案"))});
    QCOMPARE(form.busyChanges, (QList<bool>{true, false}));

    QFile file(dir.filePath(S("导出的方案/") + S(kFormworkReportName)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(file.readAll()));
    const QString text = document.MainText();
    QVERIFY(!text.contains(S("编辑框")));
    QVERIFY(!text.contains(S("组合框")));
    QVERIFY(text.contains(S("=0.9×[1.2×(0.75+24×0.4+1.1×0.4)+1.4×2.5]")));
    QVERIFY(text.contains(S("=0.9×0.6×[1.35×(0.75+24×1.6+1.5×1.6)+1.4×0.7×2]")));
    QVERIFY(text.contains(S("楼板最大板厚a(m)\n0.4\n")));
    QVERIFY(text.contains(S("0.6×1.6")));
    QVERIFY(text.contains(S("\n    否\n")));
    // Every input of the verdict is listed, the span too; the line load is R.
    QVERIFY(text.contains(S("混凝土结构梁、板的最大跨度B(m)\n8.1\n")));
    QVERIFY(text.contains(S("即集中线荷载R=max[R活，R恒]= ")));
    QVERIFY(!text.contains(S("S1")));
    QVERIFY(text.contains(S("《工程结构通用规范》GB 55001-2021")));
    QVERIFY(text.contains(S("综上所述，本工程") + kOverScale + S("。")));
    // The evaluation texts keep their line breaks.
    QVERIFY(text.contains(S("1、 搭设高度评价\n   本项目模板支架搭设高度9m≥8m,")));

    // A second export goes beside the first.
    form.Set(kSlabId, S("0.25"));
    ExportFormworkReport(form);
    QFile second(dir.filePath(S("导出的方案/") + S(kFormworkReportName).chopped(5) + S("(2).docx")));
    QVERIFY(second.open(QIODevice::ReadOnly));
    QVERIFY(document.Open(second.readAll()));
    QVERIFY(document.MainText().contains(S("24×0.25+1.1×0.25")));
}

void TestFormwork::reportCancelWritesNothing() {
    QTemporaryDir dir;
    FormworkForm form(dir.path());
    form.scripted.answers.enqueue(kAnswerCancel);
    ExportFormworkReport(form);
    QVERIFY(!QDir(dir.filePath(S("导出的方案"))).exists());
    QCOMPARE(form.LogText(), S(kStandbyLine));
    QVERIFY(form.notices.isEmpty());
    QVERIFY(form.busyChanges.isEmpty());
}

QTEST_GUILESS_MAIN(TestFormwork)
#include "test_formwork.moc"
