#include <QtTest>
#include <cmath>
#include <memory>

#include "core/conversions.h"
#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/vibration/core/vibration.h"
#include "modules/vibration/core/vibration_formulas.h"
#include "support/memory_form.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

namespace {

// WCAG contrast ratio of two colours, from 1 to 21.
double ContrastRatio(Rgb a, Rgb b) {
    const auto luminance = [](Rgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const QString kNotice = QStringLiteral("标签2");
const QString kCategory = QStringLiteral("组合框5");
const QString kVelocity = QStringLiteral("编辑框5_求振动速度");
const QString kEvaluation = QStringLiteral("编辑框13_评价结果");
const QString kPasses = QStringLiteral("振速符合要求，验算通过！");
const QString kFails =
    QStringLiteral("超过爆破临界值，不符合要求！请降低一次起爆炸药总重量或采取分段起爆，重新计算");
const QString kSignLine = QStringLiteral("参数输入超过上限，请重新输入！\r\n");
const QString kBand = QStringLiteral("组合框6_主振频率");
const QString kRange = QStringLiteral("编辑框5_规范临界值");
const QString kFactorCheck = QStringLiteral("K、α超出GB 6722-2014表列范围，应通过现场试验确定");
const QString kShelterCheck = QStringLiteral(
    "一次爆破药量大于25kg，Rk公式不适用；地下爆破的空气冲击波安全允许距离应由设计确定。");

// A check as the log shows it.
QString Logged(const QString &check) {
    return QStringLiteral("校核：") + check + QStringLiteral("\r\n");
}

QString QmaxCheck(const QString &t, const QString &r, const QString &qmax) {
    return QStringLiteral("按允许振速%1 cm/s、距离%2 m，最大段药量应不大于%3 kg").arg(t, r, qmax);
}

// Keeps every notice the window shows, in order.
class NoticeForm : public MemoryForm {
public:
    using MemoryForm::MemoryForm;
    void SetCaption(QAnyStringView id, const QString &text) override {
        if (id == kNotice) notices << text;
        MemoryForm::SetCaption(id, text);
    }
    QStringList notices;
};

std::unique_ptr<NoticeForm> NewForm(const QString &folder) {
    auto form = std::make_unique<NoticeForm>(folder, &VibrationTable());
    PrepareVibrationForm(*form);
    form->SetLogText(QString());
    return form;
}

// The memory form keeps a list's text apart from its index: set both.
void Pick(Form &form, const QString &name) {
    form.SetCurrentIndex(kCategory, int(form.Items(kCategory).indexOf(name)));
    form.SetText(kCategory, name);
}

}  // namespace

class TestVibration : public QObject {
    Q_OBJECT
private slots:
    void velocity_data();
    void velocity();
    void limitOfEachCategory_data();
    void limitOfEachCategory();
    void limitInEachBand_data();
    void limitInEachBand();
    void rockFactorCheck_data();
    void rockFactorCheck();
    void maxCharge_data();
    void maxCharge();
    void safeDistance_data();
    void safeDistance();
    void exportNoticesAndDocument();
    void exportBeforeCalculating();
    void exportWithoutCategoryAsks();
    void fileWithoutBandOpensWithDefault_data();
    void fileWithoutBandOpensWithDefault();

private:
    QTemporaryDir m_folder;
};

void TestVibration::velocity_data() {
    QTest::addColumn<QString>("q");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("log");
    const QString fail = QStringLiteral("计算爆破振速成功，分析评价不合格！\r\n");
    // The velocities are the formula's (test_vibration_formulas); here the
    // verdict and the log lines that go with them.
    // clang-format off
    // A failed evaluation says what charge the limit allows: 40³ × (10 / 150)^2.
    QTest::newRow("hand check") << "300" << "40" << "150" << "1.5" << "水工隧洞" << kFails
                                << fail + Logged(QmaxCheck("10", "40", "284.44"));
    QTest::newRow("negative alpha") << "120" << "25" << "250" << "-2" << "矿山巷道" << kFails
                                    << fail + kSignLine + Logged(kFactorCheck) +
                                       Logged(QmaxCheck("25", "25",
                                                        ToText(MaxChargePerDelay({-2, 250, 25, 25}))));
    // No real cube root of a negative charge: no verdict can be given.
    QTest::newRow("negative charge") << "-120" << "25" << "250" << "2.0" << "交通隧道" << "" << kSignLine;
    // At the blast the velocity is unbounded, which no object withstands.
    QTest::newRow("zero distance") << "120" << "0" << "250" << "2.0" << "矿山巷道" << kFails
                                   << fail + Logged(QmaxCheck("25", "0", "0"));
    // clang-format on
}

void TestVibration::velocity() {
    QFETCH(QString, q);
    QFETCH(QString, r);
    QFETCH(QString, k);
    QFETCH(QString, alpha);
    QFETCH(QString, category);
    auto form = NewForm(m_folder.path());
    form->SetText(QStringLiteral("编辑框5_炸药总量"), q);
    form->SetText(QStringLiteral("编辑框5_距离R"), r);
    form->SetText(QStringLiteral("编辑框5_系数K"), k);
    form->SetText(QStringLiteral("编辑框5_衰减系数"), alpha);
    Pick(*form, category);
    form->SetLogText(QString());
    VibrationVelocity(*form);
    QCOMPARE(form->Text(kVelocity),
             ToText(BlastVelocity({ToNumber(q), ToNumber(k), ToNumber(r), ToNumber(alpha)})));
    QTEST(form->Text(kEvaluation), "verdict");
    QTEST(form->LogText(), "log");
    QCOMPARE(form->Caption(kNotice), QString());
}

// Each class is looked up by its text: a velocity at its limit passes and
// one a hundredth above fails.
void TestVibration::limitOfEachCategory_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<double>("limit");
    const double limits[] = {0.9, 2.5, 4.5, 0.3, 0.7, 10, 15, 25, 12, 2.5, 5, 10};
    QCOMPARE(BuildingCategories().size(), std::size(limits));
    for (std::size_t i = 0; i < std::size(limits); ++i) {
        const QString name = U(BuildingCategories()[i].name);
        QTest::newRow(qPrintable(name)) << name << limits[i];
    }
}

void TestVibration::limitOfEachCategory() {
    QFETCH(QString, category);
    QFETCH(double, limit);
    auto form = NewForm(m_folder.path());
    // ∛1000 / 100 is 0.1 (just under), so V = K / 10 after rounding.
    form->SetText(QStringLiteral("编辑框5_炸药总量"), QStringLiteral("1000"));
    form->SetText(QStringLiteral("编辑框5_距离R"), QStringLiteral("100"));
    form->SetText(QStringLiteral("编辑框5_衰减系数"), QStringLiteral("1"));
    Pick(*form, category);
    form->SetText(QStringLiteral("编辑框5_系数K"), ToText(10 * limit));
    VibrationVelocity(*form);
    QCOMPARE(form->Text(kVelocity), ToText(limit));
    QCOMPARE(form->Text(kEvaluation), kPasses);
    QCOMPARE(form->TextColor(kEvaluation), (Rgb{0, 97, 0}));
    QCOMPARE(form->backColours.value(kEvaluation), (Rgb{198, 239, 206}));
    QVERIFY(ContrastRatio(form->TextColor(kEvaluation), form->backColours.value(kEvaluation)) >=
            4.5);
    form->SetText(QStringLiteral("编辑框5_系数K"), ToText(10 * (limit + 0.01)));
    VibrationVelocity(*form);
    QCOMPARE(form->Text(kEvaluation), kFails);
    QCOMPARE(form->TextColor(kEvaluation), (Rgb{156, 0, 6}));
    QCOMPARE(form->backColours.value(kEvaluation), (Rgb{255, 199, 206}));
    QVERIFY(ContrastRatio(form->TextColor(kEvaluation), form->backColours.value(kEvaluation)) >=
            4.5);
}

// Three classes, one in each band: the range beside the list and the limit
// the velocity is held against both come from the band.
void TestVibration::limitInEachBand_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("range");
    QTest::addColumn<double>("limit");
    QTest::newRow("adobe houses, f ≤ 10 Hz")
        << "土窑洞、土坯房、毛石房屋" << 0 << "≤0.15～0.45cm/s" << 0.45;
    QTest::newRow("dwellings, 10 Hz < f ≤ 50 Hz")
        << "一般民用建筑物" << 1 << "2.0～2.5 cm/s" << 2.5;
    QTest::newRow("mine roadways, f > 50 Hz") << "矿山巷道" << 2 << "≤20～30cm/s" << 30.0;
}

void TestVibration::limitInEachBand() {
    QFETCH(QString, category);
    QFETCH(int, band);
    QFETCH(double, limit);
    auto form = NewForm(m_folder.path());
    QCOMPARE(form->Items(kBand), (QStringList{"f≤10Hz", "10Hz<f≤50Hz", "f>50Hz"}));
    QCOMPARE(form->CurrentIndex(kBand), 1);
    Pick(*form, category);
    form->SetCurrentIndex(kBand, band);
    VibrationCategorySelected(*form);
    QTEST(form->Text(kRange), "range");
    form->SetText(QStringLiteral("编辑框5_炸药总量"), QStringLiteral("1000"));
    form->SetText(QStringLiteral("编辑框5_距离R"), QStringLiteral("100"));
    form->SetText(QStringLiteral("编辑框5_衰减系数"), QStringLiteral("1.5"));
    // (∛1000 / 100)^1.5 = 0.1^1.5: V = K × 0.0316228.
    form->SetText(QStringLiteral("编辑框5_系数K"), ToText(limit / 0.0316228));
    VibrationVelocity(*form);
    QCOMPARE(form->Text(kVelocity), ToText(limit));
    QCOMPARE(form->Text(kEvaluation), kPasses);
    form->SetText(QStringLiteral("编辑框5_系数K"), ToText((limit + 0.01) / 0.0316228));
    VibrationVelocity(*form);
    QCOMPARE(form->Text(kEvaluation), kFails);
}

void TestVibration::rockFactorCheck_data() {
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<bool>("outside");
    QTest::newRow("lowest of both") << "50"
                                    << "1.3" << false;
    QTest::newRow("highest of both") << "350"
                                     << "2.0" << false;
    QTest::newRow("K below") << "49"
                             << "1.5" << true;
    QTest::newRow("K above") << "351"
                             << "1.5" << true;
    QTest::newRow("α below") << "200"
                             << "1.2" << true;
    QTest::newRow("α above") << "200"
                             << "2.1" << true;
}

// The rock factors are checked in every mode, and the report says it too.
void TestVibration::rockFactorCheck() {
    QFETCH(QString, k);
    QFETCH(QString, alpha);
    QFETCH(bool, outside);
    auto form = NewForm(m_folder.path());
    form->SetText(QStringLiteral("编辑框5_系数K"), k);
    form->SetText(QStringLiteral("编辑框5_衰减系数"), alpha);
    const QStringList expected = outside ? QStringList{kFactorCheck} : QStringList{};
    VibrationVelocity(*form);
    QCOMPARE(VelocityChecks(*form), expected);
    QCOMPARE(form->LogText().endsWith(Logged(kFactorCheck)), outside);
    QCOMPARE(VibrationChecks(*form), expected);
}

void TestVibration::maxCharge_data() {
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("qmax");
    QTest::addColumn<QString>("rk");
    QTest::addColumn<QString>("checks");  // as logged
    // The shelter distance is computed from the charge as shown, and shown
    // above 25 kg too, with the check that it does not hold there.
    const double qmax = MaxChargePerDelay({2.0, 250, 25, 9.73});
    QTest::newRow("presets") << "9.73"
                             << "25"
                             << "250"
                             << "2.0" << ToText(qmax) << ToText(ShelterDistance(qmax))
                             << Logged(kShelterCheck);
    // 5³ × (1 / 250)^1.5 = 0.0316 kg: the formula holds.
    QTest::newRow("small charge") << "1"
                                  << "5"
                                  << "250"
                                  << "2.0" << ToText(MaxChargePerDelay({2.0, 250, 5, 1}))
                                  << ToText(ShelterDistance(MaxChargePerDelay({2.0, 250, 5, 1})))
                                  << "";
    // An unbounded charge carries on as such, not read back as 0.
    QTest::newRow("zero K") << "9.73"
                            << "25"
                            << "0"
                            << "2.0"
                            << "inf"
                            << "inf" << Logged(kFactorCheck) + Logged(kShelterCheck);
}

void TestVibration::maxCharge() {
    auto form = NewForm(m_folder.path());
    QFETCH(QString, v);
    QFETCH(QString, r);
    QFETCH(QString, k);
    QFETCH(QString, alpha);
    form->SetText(QStringLiteral("编辑框2本项目安全允许质点振动速度实际取值"), v);
    form->SetText(QStringLiteral("编辑框2距离R"), r);
    form->SetText(QStringLiteral("编辑框5_系数K"), k);
    form->SetText(QStringLiteral("编辑框5_衰减系数"), alpha);
    VibrationMaxCharge(*form);
    QTEST(form->Text(QStringLiteral("编辑框5计算一次爆破最大用药量")), "qmax");
    QTEST(form->Text(QStringLiteral("编辑框2避让距离")), "rk");
    QFETCH(QString, checks);
    QCOMPARE(form->LogText(), QStringLiteral("计算单次最大爆破用药量成功！\r\n") + checks);
}

void TestVibration::safeDistance_data() {
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("q");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("rk");
    QTest::addColumn<QString>("checks");  // as logged
    const QString shelter = ToText(ShelterDistance(120));
    QTest::newRow("presets") << "9.73"
                             << "120"
                             << "250"
                             << "2.0" << ToText(SafeDistance({2.0, 250, 120, 9.73})) << shelter
                             << Logged(kShelterCheck);
    QTest::newRow("zero V") << "0"
                            << "120"
                            << "250"
                            << "2.0" << ToText(SafeDistance({2.0, 250, 120, 0})) << shelter
                            << Logged(kShelterCheck);
    // The typed charge decides: 25 kg is within the formula.
    QTest::newRow("25 kg") << "9.73"
                           << "25"
                           << "250"
                           << "2.0" << ToText(SafeDistance({2.0, 250, 25, 9.73}))
                           << ToText(ShelterDistance(25)) << "";
}

void TestVibration::safeDistance() {
    auto form = NewForm(m_folder.path());
    QFETCH(QString, v);
    QFETCH(QString, q);
    QFETCH(QString, k);
    QFETCH(QString, alpha);
    form->SetText(QStringLiteral("编辑框3本项目安全允许质点振动速度实际取值"), v);
    form->SetText(QStringLiteral("编辑框3单次起爆炸药总重量"), q);
    form->SetText(QStringLiteral("编辑框5_系数K"), k);
    form->SetText(QStringLiteral("编辑框5_衰减系数"), alpha);
    VibrationSafeDistance(*form);
    QTEST(form->Text(QStringLiteral("编辑框5自爆源到被保护建筑或构筑物的距离R")), "r");
    QTEST(form->Text(QStringLiteral("编辑框3避让距离")), "rk");
    QFETCH(QString, checks);
    QCOMPARE(form->LogText(), QStringLiteral("计算最大安全距离成功！\r\n") + checks);
}

void TestVibration::exportNoticesAndDocument() {
    auto form = NewForm(m_folder.path());
    Pick(*form, QStringLiteral("交通隧道"));
    VibrationCategorySelected(*form);
    VibrationVelocity(*form);
    form->notices.clear();
    form->SetLogText(QString());
    ExportReport(*form, *VibrationTable().report);

    QStringList expected = {
        "方案导出准备中……",          "处理计算参数，导出倒计时8",
        "处理计算参数，导出倒计时7", "处理计算参数，导出倒计时6",
        "数据写入，导出倒计时5",     "数据写入，导出倒计时4",
        "数据写入，导出倒计时3",     "数据写入，导出倒计时2",
        "数据写入，导出倒计时1",     "数据导出准备……",
    };
    for (int p = 1; p <= 100; ++p) expected << QStringLiteral("已导出 %1%  ").arg(p);
    expected << QStringLiteral("下载完成  ");
    QCOMPARE(form->notices, expected);
    QCOMPARE(form->Progress(), 0);
    QCOMPARE(form->scripted.pauses, QList<int>{500});
    QCOMPARE(form->LogText(),
             QStringLiteral("方案导出准备，开始数据写入！\r\n数据写入完毕，开始导出计算书！\r\n"
                            "计算书导出完毕！ \r\n"));
    QCOMPARE(form->scripted.MessageTexts(),
             (QStringList{
                 "确定开始导出，中途请勿进行其他操作！",
                 "自动生成计算书成功！\r\n文件：" +
                     QDir::toNativeSeparators(ExportFolder(*form) + "/爆破影响评价计算书.docx")}));
    const QString folder = ExportFolder(*form);
    QCOMPARE(form->scripted.openedFolders, QStringList{folder});

    QFile file(folder + QStringLiteral("/爆破影响评价计算书.docx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(file.readAll()));
    const QString text = document.MainText();
    for (const char *placeholder :
         {"Q炸药量", "K系数", "α衰减指数", "R距离", "安全质点振速v", "规范临界值V", "评价结果Z"})
        QVERIFY2(!text.contains(U(placeholder), Qt::CaseInsensitive), placeholder);
    QVERIFY(text.contains(QStringLiteral("本工程中取值如下：Q=120；K =250；α=2.0 ；R= 25")));
    QVERIFY(text.contains(QStringLiteral("V’=250×(∛120/25)2.0=9.73(cm/s)")));
    QVERIFY2(text.contains(
                 QStringLiteral("“交通隧道”，主振频率10Hz<f≤50Hz，允许振速范围 12～15 cm/s，")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("本工程计算结果V’=9.73(cm/s)")));
    QVERIFY(text.contains(QStringLiteral("比较得到以下结果：\n") + kPasses));
    for (const char *chapter : {"爆破影响方案", "工程概况", "二、编制依据", "GB 6722-2014",
                                "三、计算书", "（一）计算规则及参数选取", "（二）振动速度验算",
                                "1. 爆破振动速度对建筑物影响计算", "（3）计算结论"})
        QVERIFY2(text.contains(U(chapter)), chapter);
}

void TestVibration::exportBeforeCalculating() {
    QTemporaryDir folder;  // no earlier report takes the name
    auto form = NewForm(folder.path());
    form->scripted.answers.enqueue(kAnswerYes);
    ExportReport(*form, *VibrationTable().report);
    QFile file(ExportFolder(*form) + QStringLiteral("/爆破影响评价计算书.docx"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(file.readAll()));
    const QString text = document.MainText();
    QVERIFY(text.contains(QStringLiteral("允许振速范围  cm/s，")));
    QVERIFY(text.contains(QStringLiteral("本工程计算结果V’=(cm/s)")));
    QVERIFY(text.contains(QStringLiteral("比较得到以下结果：\n\n")));
}

// A velocity without a class to hold it against is no evaluation: the
// export asks before printing an empty class.
void TestVibration::exportWithoutCategoryAsks() {
    QTemporaryDir folder;
    auto form = NewForm(folder.path());
    VibrationVelocity(*form);
    QVERIFY(!form->Text(kVelocity).isEmpty());
    form->scripted.answers.enqueue(kAnswerNo);
    ExportReport(*form, *VibrationTable().report);
    QCOMPARE(form->scripted.MessageTexts(),
             QStringList{QStringLiteral("计算结果为空或参数已修改，请先计算。仍要导出吗？")});
    QVERIFY(!QFile::exists(ExportFolder(*form) + QStringLiteral("/爆破影响评价计算书.docx")));
}

void TestVibration::fileWithoutBandOpensWithDefault_data() {
    QTest::addColumn<QByteArray>("stored");  // the band item, if any
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("range");
    QTest::newRow("written before the band") << QByteArray() << 1 << "≤12～15cm/s";
    QTest::newRow("band stored") << QByteArray("7=2\r\n") << 2 << "≤15～20cm/s";
    QTest::newRow("band empty") << QByteArray("7=\r\n") << 1 << "≤12～15cm/s";
}

// The band is stored beside the category; a file without it opens with the
// default band, whatever the window showed before.
void TestVibration::fileWithoutBandOpensWithDefault() {
    QFETCH(QByteArray, stored);
    QFETCH(int, band);
    const QString path = m_folder.filePath(QStringLiteral("band.tac"));
    QVERIFY(test::WriteFileBytes(
        path, "[2.1]\r\n1=6\r\n2=120\r\n3=25\r\n4=250\r\n5=2.0\r\n" + stored + "[2.2]\r\n"));
    auto form = NewForm(m_folder.path());
    form->SetCurrentIndex(kBand, 0);
    form->scripted.files.enqueue(path);
    OpenVibrationParameters(*form);
    QCOMPARE(form->CurrentIndex(kBand), band);
    VibrationCategorySelected(*form);
    QTEST(form->Text(kRange), "range");

    const QString saved = m_folder.filePath(QStringLiteral("saved.tac"));
    form->scripted.files.enqueue(saved);
    SaveVibrationParameters(*form);
    QVERIFY(FromGbk(test::ReadFileBytes(saved))
                .startsWith(QStringLiteral("[2.1]\r\n1=6\r\n2=120\r\n3=25\r\n4=250\r\n5=2.0\r\n"
                                           "6=%1\r\n7=%2\r\n")
                                .arg(form->Text(kRange))
                                .arg(band)));
}

QTEST_GUILESS_MAIN(TestVibration)
#include "test_vibration.moc"
