#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <vector>

#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/report_export.h"
#include "modules/vibration/core/vibration.h"
#include "modules/vibration/core/vibration_regression.h"
#include "support/memory_form.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;
using Records = std::vector<VibrationRecord>;

Q_DECLARE_METATYPE(Records)

namespace {

VibrationRecord Rec(double q, double r, double v, bool used = true) {
    return VibrationRecord{.charge = q, .distance = r, .velocity = v, .used = used};
}

// Readings that follow V = K (∛Q / R)^α exactly.
Records Exact(double k, double alpha, int n) {
    Records records;
    for (int i = 0; i < n; ++i) {
        const double q = 6 + 5 * i;
        const double r = 12 + 11 * i * (i % 2 ? 1.3 : 1.0);
        records.push_back(Rec(q, r, k * std::pow(std::cbrt(q) / r, alpha)));
    }
    return records;
}

// Eight readings with scatter. Expected values: numpy.polyfit(ln(∛Q/R),
// ln V, 1) on these numbers, r from numpy.corrcoef, s from its residuals.
const Records kNoisy = {
    Rec(8, 15, 9.35),   Rec(12, 22, 4.641), Rec(15, 30, 4.119), Rec(20, 38, 2.771),
    Rec(24, 50, 2.703), Rec(30, 65, 1.293), Rec(36, 80, 1.351), Rec(45, 100, 0.971),
};
constexpr double kNoisyK = 222.40823548612835;
constexpr double kNoisyAlpha = 1.626409288765982;
constexpr double kNoisyR = 0.9799444875840406;
constexpr double kNoisyS = 0.16425881020359662;

Records Plus(Records records, const Records &more) {
    records.insert(records.end(), more.begin(), more.end());
    return records;
}

const QString kFewer = QStringLiteral("测点少于6个，回归结果仅供参考");
const QString kAlphaRefusal =
    QStringLiteral("拟合得到的衰减指数α≤0，数据不符合衰减规律，请检查数据或增加测点距离的范围");

std::unique_ptr<MemoryForm> RegressionForm(const QString &folder) {
    auto form = std::make_unique<MemoryForm>(folder, &RegressionTable());
    PrepareRegressionForm(*form);
    return form;
}

const QString kHeader =
    QStringLiteral("序号,爆破日期,测点,最大段药量Q(kg),距离R(m),实测振速V(cm/s),参与回归\r\n");

}  // namespace

class TestVibrationRegression : public QObject {
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
    void refusals_data();
    void refusals();
    void warnings_data();
    void warnings();
    void resultBoxes_data();
    void resultBoxes();
    void refusalEmptiesBoxes();
    void recordsChangedEmptiesBoxes();
    void applyToVibrationWindow();
    void applyWithoutResult();
    void parse_data();
    void parse();
    void decode_data();
    void decode();
    void fileRoundTrip();
    void unreadableFile();
    void replaceQuestion();
    void report();
};

void TestVibrationRegression::fit_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("exact K=200 α=1.6") << Exact(200, 1.6, 8) << 200.0 << 1.6 << 1.0 << 0.0 << 1e-9;
    QTest::newRow("exact, n=3: s is 0") << Exact(200, 1.6, 3) << 200.0 << 1.6 << 1.0 << 0.0 << 1e-9;
    // numpy's values to 1e-9 relative; the rows left out, unusable as they
    // are, change nothing.
    QTest::newRow("noisy") << kNoisy << kNoisyK << kNoisyAlpha << kNoisyR << kNoisyS << 1e-9;
    QTest::newRow("noisy, rows left out")
        << Plus(kNoisy, {Rec(10, 20, 0, false), Rec(-1, 0, 3, false), Rec(5, 5, 50, false)})
        << kNoisyK << kNoisyAlpha << kNoisyR << kNoisyS << 1e-9;
}

void TestVibrationRegression::fit() {
    QFETCH(Records, records);
    QFETCH(double, k);
    QFETCH(double, alpha);
    QFETCH(double, r);
    QFETCH(double, s);
    QFETCH(double, tolerance);
    const AttenuationFit fit = FitAttenuation(records);
    QVERIFY2(fit.refusal.isEmpty(), qPrintable(fit.refusal));
    QVERIFY2(std::abs(fit.k / k - 1) < tolerance, qPrintable(QString::number(fit.k, 'g', 17)));
    QVERIFY2(std::abs(fit.alpha / alpha - 1) < tolerance,
             qPrintable(QString::number(fit.alpha, 'g', 17)));
    QVERIFY2(std::abs(fit.r - r) < tolerance, qPrintable(QString::number(fit.r, 'g', 17)));
    QVERIFY2(std::abs(fit.r2 - r * r) < tolerance, qPrintable(QString::number(fit.r2, 'g', 17)));
    QVERIFY2(std::abs(fit.s - s) < tolerance, qPrintable(QString::number(fit.s, 'g', 17)));
}

void TestVibrationRegression::refusals_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<QString>("refusal");
    const QString few = QStringLiteral("参与回归的有效测点少于3个，无法回归，请至少输入3组Q、R、V");
    QTest::newRow("no records") << Records{} << few;
    QTest::newRow("two records") << Exact(200, 1.6, 2) << few;
    QTest::newRow("three, one left out")
        << Records{Rec(8, 15, 9), Rec(12, 22, 5), Rec(15, 30, 4, false)} << few;
    // 2/10, 3/15 and 4/20: one scaled distance.
    QTest::newRow("no spread")
        << Records{Rec(8, 10, 5), Rec(27, 15, 6), Rec(64, 20, 7)}
        << QStringLiteral("各测点的比例距离∛Q/R全部相同，无法回归，请增加不同距离或药量的测点");
    const Records good = Exact(200, 1.6, 4);
    QTest::newRow("Q zero, row 5")
        << Plus(good, {Rec(0, 20, 3)})
        << QStringLiteral("第5行的最大段药量Q须为大于0的数，请修改该行或取消其“参与回归”");
    QTest::newRow("R negative, row 1")
        << Plus({Rec(10, -20, 3)}, good)
        << QStringLiteral("第1行的距离R须为大于0的数，请修改该行或取消其“参与回归”");
    QTest::newRow("V not given, row 3")
        << Records{good[0], good[1], Rec(10, 20, std::nan("")), good[2]}
        << QStringLiteral("第3行的实测振速V须为大于0的数，请修改该行或取消其“参与回归”");
    QTest::newRow("V rises with distance")
        << Records{Rec(10, 10, 1), Rec(10, 20, 2), Rec(10, 40, 4)} << kAlphaRefusal;
    QTest::newRow("V the same everywhere")
        << Records{Rec(10, 10, 2), Rec(10, 20, 2), Rec(10, 40, 2)} << kAlphaRefusal;
}

void TestVibrationRegression::refusals() {
    QFETCH(Records, records);
    QFETCH(QString, refusal);
    QCOMPARE(FitAttenuation(records).refusal, refusal);
}

void TestVibrationRegression::warnings_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("none") << kNoisy << QStringList{};
    QTest::newRow("five records") << Exact(200, 1.6, 5) << QStringList{kFewer};
    QTest::newRow("six records") << Exact(200, 1.6, 6) << QStringList{};
    // K 330.08, α 1.990, R² 0.5151 by numpy.
    const double r[] = {20, 25, 32, 40, 50, 63, 80, 100};
    const double v[] = {7.691, 0.728, 4.007, 0.311, 1.775, 0.166, 0.925, 0.079};
    Records scattered;
    for (int i = 0; i < 8; ++i) scattered.push_back(Rec(10, r[i], v[i]));
    QTest::newRow("R² below 0.6")
        << scattered
        << QStringList{
               QStringLiteral("决定系数R²=0.5151小于0.6，测点数据离散性大，回归结果仅供参考")};
    QTest::newRow("K above 350")
        << Exact(400, 1.6, 6)
        << QStringList{
               QStringLiteral("回归得到的K=400不在规范表列的50～350范围内，请核查测点数据")};
    QTest::newRow("K at 350, α at 2.0") << Exact(350, 2.0, 6) << QStringList{};
    QTest::newRow("K below 50, α below 1.3, four records")
        << Exact(40, 1.2, 4)
        << QStringList{
               kFewer, QStringLiteral("回归得到的K=40不在规范表列的50～350范围内，请核查测点数据"),
               QStringLiteral("回归得到的α=1.2不在规范表列的1.3～2.0范围内，请核查测点数据")};
    QTest::newRow("α above 2.0")
        << Exact(200, 2.25, 7)
        << QStringList{
               QStringLiteral("回归得到的α=2.25不在规范表列的1.3～2.0范围内，请核查测点数据")};
}

void TestVibrationRegression::warnings() {
    QFETCH(Records, records);
    QFETCH(QStringList, warnings);
    const AttenuationFit fit = FitAttenuation(records);
    QVERIFY2(fit.refusal.isEmpty(), qPrintable(fit.refusal));
    QCOMPARE(fit.warnings, warnings);
}

void TestVibrationRegression::resultBoxes_data() {
    QTest::addColumn<int>("confidence");
    QTest::addColumn<QString>("designK");
    // K exp(z s) with numpy's K and s.
    QTest::newRow("50%") << 0 << "222.41";
    QTest::newRow("90%") << 1 << "274.52";
    QTest::newRow("95%") << 2 << "291.4";
}

void TestVibrationRegression::resultBoxes() {
    QFETCH(int, confidence);
    QFETCH(QString, designK);
    QTemporaryDir dir;
    auto form = RegressionForm(dir.path());
    QCOMPARE(form->Items(kConfidenceId), (QStringList{"50%", "90%", "95%"}));
    QCOMPARE(form->CurrentIndex(kConfidenceId), kDefaultConfidence);
    form->SetCurrentIndex(kConfidenceId, confidence);
    RegressionCalculate(*form, kNoisy);
    QCOMPARE(form->Text(kFitKId), "222.41");
    QCOMPARE(form->Text(kFitAlphaId), "1.626");
    QCOMPARE(form->Text(kFitRId), "0.9799");
    QCOMPARE(form->Text(kFitR2Id), "0.9603");
    QCOMPARE(form->Text(kFitNId), "8");
    QCOMPARE(form->Text(kFitSId), "0.1643");
    QCOMPARE(form->Text(kDesignKId), designK);
    QCOMPARE(form->Text(kWarningsId), QString());
    QVERIFY(form->scripted.messages.isEmpty());
}

void TestVibrationRegression::refusalEmptiesBoxes() {
    QTemporaryDir dir;
    auto form = RegressionForm(dir.path());
    RegressionCalculate(*form, Exact(200, 1.6, 4));
    QCOMPARE(form->Text(kWarningsId), kFewer);
    RegressionCalculate(*form, Exact(200, 1.6, 2));
    for (const char *id :
         {kFitKId, kFitAlphaId, kFitRId, kFitR2Id, kFitNId, kFitSId, kDesignKId, kWarningsId})
        QVERIFY2(form->Text(id).isEmpty(), id);
    QCOMPARE(form->scripted.messages.size(), 1);
    QVERIFY(
        form->scripted.messages[0].text.startsWith(QStringLiteral("参与回归的有效测点少于3个")));
    QCOMPARE(form->scripted.messages[0].icon, Icon::Warning);
}

void TestVibrationRegression::recordsChangedEmptiesBoxes() {
    QTemporaryDir dir;
    auto form = RegressionForm(dir.path());
    const QString preset = form->Caption(kRegressionNoticeId);
    RegressionRecordsChanged(*form);
    QCOMPARE(form->Caption(kRegressionNoticeId), preset);
    RegressionCalculate(*form, kNoisy);
    RegressionRecordsChanged(*form);
    QCOMPARE(form->Text(kFitKId), QString());
    QCOMPARE(form->Text(kDesignKId), QString());
    QCOMPARE(form->Caption(kRegressionNoticeId), QStringLiteral("数据已修改，请重新回归计算！"));
}

void TestVibrationRegression::applyToVibrationWindow() {
    QTemporaryDir dir;
    auto regression = RegressionForm(dir.path());
    MemoryForm vibration(dir.path(), &VibrationTable());
    vibration.SetCaption("标签2", QString());
    vibration.SetLogText(QString());
    regression->SetCurrentIndex(kConfidenceId, 1);
    RegressionCalculate(*regression, kNoisy);
    QVERIFY(ApplyRegression(*regression, vibration));
    QCOMPARE(vibration.Text(kSiteFactorId), "274.52");
    QCOMPARE(vibration.Text(kSiteExponentId), "1.626");
    QCOMPARE(vibration.Caption("标签2"), QStringLiteral("参数已修改，请重新计算！"));
    QCOMPARE(vibration.LogText(),
             QStringLiteral("已采用实测回归结果：K=274.52，α=1.626（测点数n=8，置信度90%）\r\n"));
}

void TestVibrationRegression::applyWithoutResult() {
    QTemporaryDir dir;
    auto regression = RegressionForm(dir.path());
    MemoryForm vibration(dir.path(), &VibrationTable());
    const QString k = vibration.Text(kSiteFactorId);
    QVERIFY(!ApplyRegression(*regression, vibration));
    QCOMPARE(vibration.Text(kSiteFactorId), k);
    QCOMPARE(regression->scripted.MessageTexts(),
             QStringList{QStringLiteral("请先进行回归计算！")});
}

void TestVibrationRegression::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("skipped");
    auto full = [](QString date, QString point, double q, double r, double v, bool used) {
        return VibrationRecord{date, point, q, r, v, used};
    };
    QTest::newRow("own file") << kHeader +
                                     "1,2024-05-01,1#,12,20,3.5,是\r\n2,2024-05-02,2#,8.5,"
                                     "31.5,1.25,否\r\n"
                              << Records{full("2024-05-01", "1#", 12, 20, 3.5, true),
                                         full("2024-05-02", "2#", 8.5, 31.5, 1.25, false)}
                              << QStringList{};
    QTest::newRow("header in another order, other names")
        << QStringLiteral("V (cm/s),R,Q,测点名称,日期\n2.5,40,18,K1+200,5月3日\n")
        << Records{full("5月3日", "K1+200", 18, 40, 2.5, true)} << QStringList{};
    QTest::newRow("no header, tabs, five columns, a blank line first")
        << QStringLiteral("  \n2024/5/1\t1#\t12\t20\t3.5\n2024/5/1\t2#\t12\t35\t1.5\n")
        << Records{full("2024/5/1", "1#", 12, 20, 3.5, true),
                   full("2024/5/1", "2#", 12, 35, 1.5, true)}
        << QStringList{};
    QTest::newRow("no header, three columns, trailing empty cells")
        << QStringLiteral("12,20,3.5,,\r\n") << Records{full("", "", 12, 20, 3.5, true)}
        << QStringList{};
    QTest::newRow("seven columns, blank lines kept in the count")
        << QStringLiteral("\r\n7,6-1,A,10,25,2,0\r\n\r\n8,6-1,B,10,30,x,1\r\n")
        << Records{full("6-1", "A", 10, 25, 2, false)}
        << QStringList{QStringLiteral("第4行：实测振速V(cm/s)“x”不是数字")};
    QTest::newRow("bad lines listed and skipped")
        << kHeader + "1,d,p,12,2O,3\r\n2,d,p,12,20,3\r\n3,d,p,,20,3\r\n4,d,p,12,20,3,也许\r\n"
        << Records{full("d", "p", 12, 20, 3, true)}
        << QStringList{QStringLiteral("第2行：距离R(m)“2O”不是数字"),
                       QStringLiteral("第4行：最大段药量Q(kg)为空"),
                       QStringLiteral("第5行：参与回归“也许”应为是或否")};
    QTest::newRow("wrong number of cells")
        << QStringLiteral("12,20,3.5\n1,2,3,4\n") << Records{full("", "", 12, 20, 3.5, true)}
        << QStringList{QStringLiteral("第2行：有4列，应为3、5、6或7列")};
    QTest::newRow("quoted cells")
        << QStringLiteral("\"2024-05-01\",\"K1+200, 左\"\"洞\"\"\",12,20,3.5\n")
        << Records{full("2024-05-01", "K1+200, 左\"洞\"", 12, 20, 3.5, true)} << QStringList{};
    QTest::newRow("a number with more after it")
        << QStringLiteral("12kg,20,3.5\n") << Records{}
        << QStringList{QStringLiteral("第1行：最大段药量Q(kg)“12kg”不是数字")};
    QTest::newRow("empty") << QString() << Records{} << QStringList{};
    QTest::newRow("header only") << kHeader << Records{} << QStringList{};
}

void TestVibrationRegression::parse() {
    QFETCH(QString, text);
    QFETCH(Records, records);
    QFETCH(QStringList, skipped);
    const RecordsRead read = ParseRecordsText(text);
    QCOMPARE(read.skipped, skipped);
    QCOMPARE(read.records.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) QVERIFY(read.records[i] == records[i]);
}

void TestVibrationRegression::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = kHeader + QStringLiteral("1,五月一日,拱顶测点,12,20,3.5,是\r\n");
    QTest::newRow("GBK") << ToGbk(text);
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 with BOM") << utf16;
}

void TestVibrationRegression::decode() {
    QFETCH(QByteArray, bytes);
    const RecordsRead read = ParseRecordsText(DecodeRecordsBytes(bytes));
    QVERIFY(read.skipped.isEmpty());
    QCOMPARE(read.records.size(), 1u);
    QCOMPARE(read.records[0].date, QStringLiteral("五月一日"));
    QCOMPARE(read.records[0].point, QStringLiteral("拱顶测点"));
}

void TestVibrationRegression::fileRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("监测记录.csv"));
    const Records records = {
        VibrationRecord{"2024-05-01", "K1+200, 左洞", 12.5, 20, 3.25, true},
        VibrationRecord{"", "\"2#\"", 0.1, 1e3, 0.0625, false},
        VibrationRecord{"2024/5/3", "3#", 45, 100, 0.971, true},
    };
    QCOMPARE(WriteRecordsFile(path, records), QString());
    const QByteArray bytes = test::ReadFileBytes(path);
    QVERIFY(bytes.startsWith(ToGbk(kHeader)));
    QCOMPARE(FromGbk(bytes), RecordsText(records));
    RecordsRead read;
    QCOMPARE(ReadRecordsFile(path, read), QString());
    QVERIFY(read.skipped.isEmpty());
    QCOMPARE(read.records.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) QVERIFY(read.records[i] == records[i]);
}

void TestVibrationRegression::unreadableFile() {
    QTemporaryDir dir;
    RecordsRead read;
    read.skipped << "untouched";
    QVERIFY(!ReadRecordsFile(dir.filePath("missing.csv"), read).isEmpty());
    QCOMPARE(read.skipped, QStringList{"untouched"});
    // A folder in the way of the file: the write fails, and says so.
    QVERIFY(QDir(dir.path()).mkdir("taken.csv"));
    QVERIFY(!WriteRecordsFile(dir.filePath("taken.csv"), kNoisy).isEmpty());
}

void TestVibrationRegression::replaceQuestion() {
    QTemporaryDir dir;
    auto form = RegressionForm(dir.path());
    QVERIFY(ConfirmReplaceRecords(*form, 0));
    QVERIFY(form->scripted.messages.isEmpty());
    QVERIFY(ConfirmReplaceRecords(*form, 3));  // unanswered: its default, 是
    form->scripted.answers.enqueue(kAnswerNo);
    QVERIFY(!ConfirmReplaceRecords(*form, 3));
    QCOMPARE(form->scripted.messages.size(), 2);
    QCOMPARE(form->scripted.messages[0].text, QStringLiteral("导入将替换表中现有数据，是否继续？"));
    QCOMPARE(form->scripted.messages[0].buttons, Buttons::YesNoDefaultYes);
}

void TestVibrationRegression::report() {
    QTemporaryDir dir;
    auto form = RegressionForm(dir.path());
    Records records = kNoisy;
    records[0].point = QStringLiteral("拱顶1#");
    records.push_back(Rec(50, 12, 30, false));
    form->SetText(kRecordsTableId, RecordsText(records));
    RegressionCalculate(*form, records);
    ExportReport(*form, *RegressionTable().report);
    const QString path =
        ExportFolder(*form) + QStringLiteral("/爆破振动衰减规律回归分析报告.docx");
    QCOMPARE(form->scripted.MessageTexts().last(),
             QStringLiteral("回归分析报告导出成功！\r\n文件：") + QDir::toNativeSeparators(path));
    DocxDocument document;
    QVERIFY(document.Open(test::ReadFileBytes(path)));
    const QString text = document.MainText();
    QVERIFY2(!text.contains(QStringLiteral("编辑框_")) && !text.contains(QStringLiteral("回归_")),
             qPrintable(text));
    const QStringList lines = text.split(u'\n');
    QVERIFY(lines.contains(QStringLiteral("V=222.41×(∛Q/R)1.626")));
    QVERIFY(lines.contains(QStringLiteral("V=291.4×(∛Q/R)1.626")));
    QVERIFY(text.contains(QStringLiteral("置信度95%")));
    QVERIFY(text.contains(QStringLiteral("本次回归的测点数、决定系数及K、α值均未见异常。")));
    // The records table, a cell a line: the first row, and the last, left out.
    QVERIFY(text.contains(QStringLiteral("\n1\n\n拱顶1#\n8\n15\n0.1333\n9.35\n是\n")));
    QVERIFY(text.contains(QStringLiteral("\n9\n\n\n50\n12\n0.307\n30\n否\n")));
}

QTEST_GUILESS_MAIN(TestVibrationRegression)
#include "test_vibration_regression.moc"
