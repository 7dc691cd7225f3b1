#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/bar_chart.h"
#include "core/docx_document.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/period/core/period.h"
#include "modules/period/core/rock_grade_list.h"
#include "support/memory_form.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

const QString kNotice = U(kPeriodNotice);
const QString kChanged = QStringLiteral("参数已经改变，请重新计算！");

constexpr const char *kResults[] = {kCyclesBase,     kMonthCyclesBase,  kDayCyclesBase,
                                    kDayAdvanceBase, kMonthAdvanceBase, kDaysBase,
                                    kMonthsBase,     kYearsBase};

// Records every caption the notice label shows.
class PeriodForm : public MemoryForm {
public:
    explicit PeriodForm(const QString &folder) : MemoryForm(folder, &PeriodTable()) {}
    void SetCaption(QAnyStringView id, const QString &text) override {
        if (id == kNotice) notices << text;
        MemoryForm::SetCaption(id, text);
    }
    QStringList notices;
};

void SetRow(Form &form, int row, const QString &l, const QString &a, const QString &t) {
    form.SetText(RowId(kLengthBase, row), l);
    form.SetText(RowId(kAdvanceBase, row), a);
    form.SetText(RowId(kCycleTimeBase, row), t);
}

QStringList RowResults(const Form &form, int row) {
    QStringList texts;
    for (const char *base : kResults) texts << form.Text(RowId(base, row));
    return texts;
}

QStringList TotalTexts(const Form &form) {
    QStringList texts;
    for (const char *id : {kTotalLength, kTotalCycles, kTotalDays, kTotalMonths, kTotalYears})
        texts << form.Text(U(id));
    return texts;
}

}  // namespace

class TestPeriod : public QObject {
    Q_OBJECT
private slots:
    void Row_data();
    void Row();
    void IncompleteRowEmptiesOldResults();
    void Totals_data();
    void Totals();
    void Chart();
    void LeadingInteger_data();
    void LeadingInteger();
    void SaveWritesIndicesAndTexts();
    void OpenLoadsListBeforeIndices();
    void Export();
    void ExportBeforeCalculation();
    void ExportCancelled();
    void ExportWithoutStretchAsks();

private:
    QTemporaryDir m_dir;
};

void TestPeriod::Row_data() {
    QTest::addColumn<QString>("l");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("t");
    QTest::addColumn<QStringList>("expected");  // Nc Nm Nd Ad Am Pd Pm Py

    // Which stretches count is test_period_formulas'; here the row as a
    // chain, each step reading the earlier ones back from their fields.
    const QStringList none(8, QString());
    QTest::newRow("300 3 12") << "300"
                              << "3"
                              << "12"
                              << QStringList{"100", "60", "2", "6", "180", "50", "1.67", "0.14"};
    // Nm from 24/9 directly, Ad from the displayed 2.67.
    QTest::newRow("534 2 9") << "534"
                             << "2"
                             << "9" << QStringList{"267",   "80",  "2.67", "5.34",
                                                   "160.2", "100", "3.33", "0.27"};
    QTest::newRow("full-width digits")
        << "３００"
        << "３"
        << "１２" << QStringList{"100", "60", "2", "6", "180", "50", "1.67", "0.14"};
    QTest::newRow("length only") << "300"
                                 << ""
                                 << "" << none;
    QTest::newRow("no length") << ""
                               << "3"
                               << "12" << none;
    QTest::newRow("text length") << "abc"
                                 << "3"
                                 << "12" << none;
    QTest::newRow("blank advance") << "300"
                                   << " "
                                   << "12" << none;
    QTest::newRow("just above threshold")
        << "0.0000002"
        << "0.0000002"
        << "24" << QStringList{"1", "30", "1", "0", "0", "inf", "inf", "inf"};
    // Nd rounds to 0, so Ad is 0 and the periods divide by zero.
    QTest::newRow("cycle time above 4800 h")
        << "100"
        << "3"
        << "5000" << QStringList{"33.33", "0.14", "0", "0", "0", "inf", "inf", "inf"};
    QTest::newRow("daily advance below 0.005")
        << "100"
        << "0.001"
        << "12" << QStringList{"100000", "60", "2", "0", "0", "inf", "inf", "inf"};
}

void TestPeriod::Row() {
    QFETCH(QString, l);
    QFETCH(QString, a);
    QFETCH(QString, t);
    QFETCH(QStringList, expected);
    // Every row position gives the same results.
    for (int row : {0, 5}) {
        PeriodForm form(m_dir.path());
        SetRow(form, row, l, a, t);
        CalculatePeriod(form);
        QCOMPARE(RowResults(form, row), expected);
    }
}

void TestPeriod::IncompleteRowEmptiesOldResults() {
    PeriodForm form(m_dir.path());
    SetRow(form, 0, "300", "3", "12");
    SetRow(form, 1, "534", "2", "9");
    CalculatePeriod(form);
    QCOMPARE(form.Text(U(kTotalCycles)), QStringLiteral("367循环"));
    form.SetText(RowId(kLengthBase, 0), QString());
    CalculatePeriod(form);
    QCOMPARE(RowResults(form, 0), QStringList(8, QString()));
    QCOMPARE(form.Text(U(kTotalCycles)), QStringLiteral("267循环"));
    QCOMPARE(form.Chart(U(kPeriodChart))->Value(0, 0), 0.0);
    QCOMPARE(form.Chart(U(kPeriodChart))->Value(0, 1), 267.0);
}

void TestPeriod::Totals_data() {
    QTest::addColumn<QList<QStringList>>("rows");  // L, A, T per row
    QTest::addColumn<QStringList>("expected");

    // No stretch calculated: nothing to add up.
    QTest::newRow("all empty") << QList<QStringList>{} << QStringList(5, QString());
    QTest::newRow("only an incomplete row")
        << QList<QStringList>{{"250.5", "", ""}} << QStringList(5, QString());
    // Months and years are summed from the displayed texts, unrounded.
    QTest::newRow("three rows of 1.67 months")
        << QList<QStringList>{{"300", "3", "12"}, {"300", "3", "12"}, {"300", "3", "12"}}
        << QStringList{"900m", "300循环", "150天", "5.01月", "0.42年"};
    // Days and cycles are rounded to whole numbers.
    QTest::newRow("two rows of 50.4 days")
        << QList<QStringList>{{"302.4", "3", "12"}, {"302.4", "3", "12"}}
        << QStringList{"604.8m", "202循环", "101天", "3.36月", "0.28年"};
    QTest::newRow("incomplete row counts its length")
        << QList<QStringList>{{"300", "3", "12"}, {"250.5", "", ""}}
        << QStringList{"550.5m", "100循环", "50天", "1.67月", "0.14年"};
    QTest::newRow("inf periods read as 0")
        << QList<QStringList>{{"300", "3", "12"}, {"100", "3", "5000"}}
        << QStringList{"400m", "133循环", "50天", "1.67月", "0.14年"};
    QTest::newRow("six rows") << QList<QStringList>{{"300", "3", "12"},
                                                    {"534", "2", "9"},
                                                    {"820", "1.5", "14"},
                                                    {"1600", "4", "11.8"},
                                                    {"260", "1.2", "15.25"},
                                                    {"450", "2.5", "12.75"}}
                              << QStringList{"3964m", "1710循环", "900天", "30.01月", "2.46年"};
}

void TestPeriod::Totals() {
    QFETCH(QList<QStringList>, rows);
    QFETCH(QStringList, expected);
    PeriodForm form(m_dir.path());
    for (int row = 0; row < rows.size(); ++row)
        SetRow(form, row, rows[row][0], rows[row][1], rows[row][2]);
    CalculatePeriod(form);
    QCOMPARE(TotalTexts(form), expected);
}

void TestPeriod::Chart() {
    PeriodForm form(m_dir.path());
    BarChart *chart = form.Chart(U(kPeriodChart));
    *chart = BarChart::PeriodDesign();
    int changes = 0;
    chart->SetChangeCallback([&] { ++changes; });
    SetRow(form, 0, "300", "3", "12");
    SetRow(form, 2, "1600", "", "");  // incomplete, longer than the axis
    SetRow(form, 5, "534", "2", "9");
    CalculatePeriod(form);

    QCOMPARE(chart->Title(), QStringLiteral("各段循环数、工期与长度"));
    QCOMPARE(chart->UnitText(), QStringLiteral("个/天/m"));
    QCOMPARE(chart->AxisTitle(), QString());
    // Scaled to the longest stretch, 1600 m.
    QCOMPARE(chart->MaxValue(), 1800);
    QCOMPARE(chart->DivisionCount(), 9);
    QCOMPARE(chart->SeriesCount(), 3);
    QCOMPARE(chart->CategoryCount(), 6);
    QVERIFY(chart->Visible());
    const Rgb colours[] = {{0, 0, 255}, {255, 0, 0}, {0, 255, 0}};
    const QString names[] = {QStringLiteral("循环数（个）"), QStringLiteral("工期（天）"),
                             QStringLiteral("长度（m）")};
    for (int s = 0; s < 3; ++s) {
        QCOMPARE(chart->SeriesColor(s), colours[s]);
        QCOMPARE(chart->SeriesName(s), names[s]);
    }
    for (int k = 0; k < 6; ++k)
        QCOMPARE(chart->CategoryName(k), QStringLiteral("第%1段").arg(k + 1));
    const double expected[3][6] = {
        {100, 0, 0, 0, 0, 267}, {50, 0, 0, 0, 0, 100}, {300, 0, 1600, 0, 0, 534}};
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 6; ++k) QCOMPARE(chart->Value(s, k), expected[s][k]);
    // 5 axis settings, per series its cursor, colour and name and per
    // category cursor, name and value, the fitted axis, then Visible.
    QCOMPARE(changes, 5 + 3 * (3 + 6 * 3) + 1 + 1);
}

void TestPeriod::LeadingInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("five") << "5" << 5;
    QTest::newRow("none") << "-1" << -1;
    QTest::newRow("plus") << "+2" << 2;
    QTest::newRow("trailing text") << "3abc" << 3;
    QTest::newRow("decimal") << "2.9" << 2;
    QTest::newRow("text") << "abc" << 0;
    QTest::newRow("huge") << "99999999999999" << std::numeric_limits<int>::max();
}

void TestPeriod::LeadingInteger() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(tunnel::StoredIndex(text), expected);
}

void TestPeriod::SaveWritesIndicesAndTexts() {
    PeriodForm form(m_dir.path());
    form.SetItems(RowId(kGradeBase, 0), {"Ⅰ级", "Ⅱ级"});
    form.SetCurrentIndex(RowId(kGradeBase, 0), 1);
    form.SetCurrentIndex(RowId(kGradeBase, 1), -1);
    SetRow(form, 0, "300", "3", "12");
    SetRow(form, 5, "534", "2", "9");
    const QString path = m_dir.filePath("save.tac");
    form.scripted.files.enqueue(path);
    SavePeriodParameters(form);

    QCOMPARE(form.scripted.MessageTexts(), QStringList{"保存成功！"});
    QVERIFY(form.scripted.requests[0].save);
    QCOMPARE(form.scripted.requests[0].defaultExtension, QStringLiteral(".tac"));
    QCOMPARE(form.scripted.requests[0].initialFolder, m_dir.path() + "/Data");
    QByteArray expected =
        "[2.4]\r\n1=1\r\n2=-1\r\n3=-1\r\n4=-1\r\n5=-1\r\n6=-1\r\n7=300\r\n8=\r\n9=\r\n10=\r\n11="
        "\r\n"
        "12=534\r\n13=3\r\n14=\r\n15=\r\n16=\r\n17=\r\n18=2\r\n19=12\r\n20=\r\n21=\r\n22=\r\n"
        "23=\r\n24=9\r\n";
    QCOMPARE(ReadFileBytes(path), expected);

    // A file that cannot be written is reported, not called a success.
    form.scripted.files.enqueue(m_dir.filePath("no such folder/x.tac"));
    SavePeriodParameters(form);
    QCOMPARE(form.scripted.messages.size(), 2);
    QVERIFY(form.scripted.messages[1].text.startsWith(QStringLiteral("保存失败！")));
    QCOMPARE(form.scripted.messages[1].icon, Icon::Error);
}

void TestPeriod::OpenLoadsListBeforeIndices() {
    QTemporaryDir program;
    QCOMPARE(WriteRockGradeList(program.path(), {"Ⅲ级", "Ⅳ级", "Ⅴ级"}), QString());
    const QString path = program.filePath("open.tac");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Key 3 missing reads as 0; key 4 is past the list; key 6 holds none.
    file.write("[2.4]\r\n1=2\r\n2=0\r\n4=3\r\n5=1\r\n6=-1\r\n7=120\r\n12=\r\n24=10.5\r\n");
    file.close();

    PeriodForm form(program.path());
    form.SetText(RowId(kLengthBase, 5), QStringLiteral("old"));
    form.SetCaption(kNotice, QString());
    form.scripted.files.enqueue(path);
    OpenPeriodParameters(form);

    QCOMPARE(form.scripted.requests[0].defaultExtension, QStringLiteral(".tac"));
    QVERIFY(form.scripted.messages.isEmpty());
    const int expected[] = {2, 0, 0, -1, 1, -1};
    for (int row = 0; row < kPeriodRows; ++row) {
        QCOMPARE(form.Items(RowId(kGradeBase, row)), (QStringList{"Ⅲ级", "Ⅳ级", "Ⅴ级"}));
        QCOMPARE(form.CurrentIndex(RowId(kGradeBase, row)), expected[row]);
    }
    QCOMPARE(form.Text(RowId(kLengthBase, 0)), QStringLiteral("120"));
    QCOMPARE(form.Text(RowId(kLengthBase, 5)), QString());
    QCOMPARE(form.Text(RowId(kCycleTimeBase, 5)), QStringLiteral("10.5"));
    QCOMPARE(form.Caption(kNotice), kChanged);
}

void TestPeriod::Export() {
    QTemporaryDir program;
    PeriodForm form(program.path());
    SetRow(form, 0, "300", "3", "12");
    SetRow(form, 1, "534", "2", "9");
    // The list's typical advance and cycle time stay out of the table, which
    // gives the stretch's own.
    form.SetText(RowId(kGradeBase, 0), QStringLiteral("Ⅲ级 进尺3.0m 循环12h"));
    CalculatePeriod(form);
    form.notices.clear();
    QVERIFY(PeriodTable().report);
    ExportReport(form, *PeriodTable().report);

    QStringList expected{"参数导出准备中……"};
    for (int n = 12; n >= 0; --n) expected << QStringLiteral("参数导出倒计时%1").arg(n);
    QCOMPARE(form.notices.mid(0, expected.size()), expected);
    QCOMPARE(form.notices.last(), QStringLiteral("导出完成！"));
    QCOMPARE(form.notices.size(), expected.size() + 100 + 1);
    QCOMPARE(form.scripted.pauses, (QList<int>{500, 500}));
    QCOMPARE(form.Progress(), 0);
    QCOMPARE(form.scripted.MessageTexts(),
             (QStringList{"确定开始导出，中途请勿进行其他操作！",
                          "自动生成计算书成功！\r\n文件：" +
                              QDir::toNativeSeparators(program.path() +
                                                       "/导出的方案/隧道进尺及工期计算书.docx")}));
    QCOMPARE(form.scripted.openedFolders, QStringList{program.path() + "/导出的方案"});

    DocxDocument document;
    QVERIFY(document.Open(ReadFileBytes(program.path() + "/导出的方案/隧道进尺及工期计算书.docx")));
    const QString text = document.MainText();
    QVERIFY2(!text.contains("编辑框") && !text.contains("组合框"), qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("Ⅲ级")), 4);
    QVERIFY(!text.contains(QStringLiteral("进尺3.0m")));
    QVERIFY(text.contains(QStringLiteral("各类围岩总长度（m）=834")));
    for (const char *value :
         {"267", "2.67", "5.34", "160.2", "3.33", "0.27", "计算工期合计\n150\n5\n0.41\n"})
        QVERIFY2(text.contains(U(value)), value);
    // The unfilled stretches have no rows; the total rows carry no number.
    QCOMPARE(text.count(QStringLiteral("Ⅲ级")), 4);
    QVERIFY(!text.contains(QStringLiteral("\n7\n")));
}

void TestPeriod::ExportBeforeCalculation() {
    QTemporaryDir program;
    PeriodForm form(program.path());
    SetRow(form, 0, "300", "3", "12");
    form.scripted.answers.enqueue(kAnswerYes);
    ExportReport(form, *PeriodTable().report);
    QCOMPARE(form.scripted.messages[0].buttons, Buttons::YesNo);

    DocxDocument document;
    QVERIFY(document.Open(ReadFileBytes(program.path() + "/导出的方案/隧道进尺及工期计算书.docx")));
    const QString text = document.MainText();
    // The inputs go in as they stand; the results are empty, not recomputed.
    QVERIFY2(!text.contains("编辑框") && !text.contains("组合框"), qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("300")), 4);
    QVERIFY(!text.contains(QStringLiteral("100")));
    QVERIFY(!text.contains(QStringLiteral("1.67")));
    QVERIFY(text.contains(QStringLiteral("各类围岩总长度（m）=")));
    QVERIFY(!text.contains(QStringLiteral("各类围岩总长度（m）=300")));
    QCOMPARE(form.Text(RowId(kCyclesBase, 0)), QString());
    // Only the one stretch with a length has rows: no row numbered 2 to 6.
    for (const char *number : {"\n2\n", "\n6\n"}) QVERIFY2(!text.contains(number), number);
    QVERIFY(text.contains(QStringLiteral("\n1\n")));
}

void TestPeriod::ExportCancelled() {
    QTemporaryDir program;
    PeriodForm form(program.path());
    form.scripted.answers.enqueue(kAnswerCancel);
    ExportReport(form, *PeriodTable().report);
    QVERIFY(!QDir(program.path() + "/导出的方案").exists());
    QCOMPARE(form.scripted.messages.size(), 1);
}

// Without a stretch the report would print a total of nothing.
void TestPeriod::ExportWithoutStretchAsks() {
    QTemporaryDir program;
    PeriodForm form(program.path());
    CalculatePeriod(form);
    form.scripted.answers.enqueue(kAnswerNo);
    ExportReport(form, *PeriodTable().report);
    QCOMPARE(form.scripted.MessageTexts(),
             QStringList{QStringLiteral("计算结果为空或参数已修改，请先计算。仍要导出吗？")});
    QVERIFY(!QDir(program.path() + "/导出的方案").exists());
}

QTEST_GUILESS_MAIN(TestPeriod)
#include "test_period.moc"
