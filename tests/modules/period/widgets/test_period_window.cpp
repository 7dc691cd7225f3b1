#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "modules/period/core/period.h"
#include "modules/period/core/rock_grade_list.h"
#include "modules/period/widgets/period_window.h"
#include "modules/period/widgets/rock_grade_window.h"
#include "support/office_check.h"
#include "support/reference_check.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/module_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

const QString kChanged = QStringLiteral("参数已经改变，请重新计算！");
const QStringList kGrades{"Ⅱ级", "Ⅲ级", "Ⅳ级", "Ⅴ级", "Ⅵ级"};

// The six stretches of a typical tunnel: length, advance, cycle time.
const char *const kStretches[6][3] = {{"300", "3", "12"},      {"534", "2", "9"},
                                      {"820", "1.5", "14"},    {"1600", "4", "11.8"},
                                      {"260", "1.2", "15.25"}, {"450", "2.5", "12.75"}};

QLineEdit *Edit(PeriodWindow &w, const char *base, int row) {
    return qobject_cast<QLineEdit *>(w.Unit(RowId(base, row)));
}

void Type(QLineEdit *edit, const QString &text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Opens the selector's drop-down and clicks an entry in it.
void PickGrade(PeriodWindow &w, int row, int index) {
    QComboBox *box = w.Selector(row);
    box->showPopup();
    QAbstractItemView *view = box->view();
    QTRY_VERIFY(view->isVisible());
    const QRect rect = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(box->currentIndex(), index);
}

void EnterStretches(PeriodWindow &w) {
    for (int row = 0; row < 6; ++row) {
        Type(Edit(w, kLengthBase, row), kStretches[row][0]);
        Type(Edit(w, kAdvanceBase, row), kStretches[row][1]);
        Type(Edit(w, kCycleTimeBase, row), kStretches[row][2]);
    }
}

QAction *MenuItem(PeriodWindow &w, const QString &text) {
    for (QAction *menu : w.menuBar()->actions())
        if (menu->text() == QStringLiteral("文件"))
            for (QAction *item : menu->menu()->actions())
                if (item->text() == text) return item;
    return nullptr;
}

struct Window {
    explicit Window(const QString &folder)
        : window(static_cast<PeriodWindow *>(
              CreateModuleWindow(*FindModule("period"), WindowContext{dialogs, folder}))) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    ~Window() {
        if (window) window->close();
    }
    PeriodWindow &operator*() { return *window; }
    PeriodWindow *operator->() { return window; }

    ScriptedDialogs dialogs;
    QPointer<PeriodWindow> window;
};

}  // namespace

class TestPeriodWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void OpensFromCatalog();
    void OpensEmpty();
    void InputsRaiseNotice();
    void CalculateFillsRowsTotalsAndChart();
    void SelectorReloadsOnDropDown();
    void FreshInstallOffersDefaultGrades();
    void EditorNamesReachSelectors();
    void SavedFileReopensInFreshWindow();
    void OpenLeavesResultsAlone();
    void ExportedReportInOffice();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPeriodWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("Data"));
}

void TestPeriodWindow::OpensFromCatalog() {
    ScriptedDialogs dialogs;
    QVERIFY((FindShellWindow("period") != nullptr));
    QVERIFY(!FindShellWindow("period")->modal);
    std::unique_ptr<QWidget> window(
        CreateShellWindow("period", WindowContext{dialogs, m_dir->path()}));
    QVERIFY(qobject_cast<PeriodWindow *>(window.get()));
}

void TestPeriodWindow::OpensEmpty() {
    Window w(m_dir->path());
    QCOMPARE(w->windowTitle(), QStringLiteral("隧道工期计算"));
    for (int row = 0; row < 6; ++row) {
        QComboBox *box = w->Selector(row);
        QVERIFY(box);
        QVERIFY(!box->isEditable());
        QCOMPARE(box->count(), 0);
        for (const char *base : {kLengthBase, kAdvanceBase, kCycleTimeBase, kCyclesBase,
                                 kMonthCyclesBase, kDayCyclesBase, kDayAdvanceBase,
                                 kMonthAdvanceBase, kDaysBase, kMonthsBase, kYearsBase}) {
            QLineEdit *edit = Edit(*w, base, row);
            QVERIFY2(edit, qPrintable(RowId(base, row)));
            QCOMPARE(edit->text(), QString());
        }
    }
    for (const char *id : {kTotalLength, kTotalCycles, kTotalDays, kTotalMonths, kTotalYears})
        QVERIFY(qobject_cast<QLineEdit *>(w->Unit(U(id))));
    const char *groups[] = {"参数输入", "循环计算2", "进尺计算", "工期计算"};
    for (int g = 0; g < 4; ++g) QCOMPARE(w->Group(g)->title(), U(groups[g]));
    const struct {
        const char *id;
        const char *caption;
        bool enabled;
    } buttons[] = {{"按钮5", "添加围岩等级", true},  {"按钮2", "查进尺", true},
                   {"按钮3", "查用时", true},        {"按钮4_打开数据", "打开", true},
                   {"按钮2_保存数据", "保存", true}, {"按钮1", "计算", true},
                   {"按钮4", "数据导出", true}};
    for (const auto &b : buttons) {
        QPushButton *button = w->Button(b.id);
        QVERIFY2(button, b.id);
        QCOMPARE(button->text(), U(b.caption));
        QCOMPARE(button->isEnabled(), b.enabled);
    }
    // The two reference windows open beside the period window.
    QCOMPARE(test::ClickReference(w->Button("按钮2")).caption, QStringLiteral("进尺参考表"));
    QCOMPARE(test::ClickReference(w->Button("按钮3")).caption,
             QStringLiteral("隧道循环时间参考表"));
    QCOMPARE(w->Caption(U(kPeriodNotice)),
             QStringLiteral("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    QVERIFY(w->findChild<QProgressBar *>(QStringLiteral("进度条1")));
    const BarChart &chart = w->Chart()->Chart();
    QCOMPARE(w->Chart()->objectName(), QStringLiteral("柱状图控件1"));
    // Titles over an empty plot until the first calculation.
    QCOMPARE(chart.Title(), BarChart::PeriodDesign().Title());
    for (int k = 0; k < chart.CategoryCount(); ++k) QCOMPARE(chart.Value(0, k), 0.0);

    const struct {
        const char *text;
        const char *keys;
    } items[] = {{"打开", "Ctrl+O"}, {"保存", "Ctrl+S"}, {"退出", "Ctrl+Q"}};
    for (const auto &item : items) {
        QAction *action = MenuItem(*w, U(item.text));
        QVERIFY2(action, item.text);
        QCOMPARE(action->shortcut(), QKeySequence(U(item.keys)));
        QVERIFY(action->isEnabled());
    }
    MenuItem(*w, QStringLiteral("退出"))->trigger();
    QTRY_VERIFY(!w.window);
}

void TestPeriodWindow::InputsRaiseNotice() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), kGrades), QString());
    Window w(m_dir->path());
    for (const char *base : {kLengthBase, kAdvanceBase, kCycleTimeBase}) {
        for (int row = 0; row < 6; ++row) {
            w->SetCaption(U(kPeriodNotice), QString());
            Type(Edit(*w, base, row), QStringLiteral("5"));
            QCOMPARE(w->Caption(U(kPeriodNotice)), kChanged);
        }
    }
    w->SetCaption(U(kPeriodNotice), QString());
    PickGrade(*w, 0, 2);
    QCOMPARE(w->Caption(U(kPeriodNotice)), QString());
}

void TestPeriodWindow::CalculateFillsRowsTotalsAndChart() {
    Window w(m_dir->path());
    EnterStretches(*w);
    Type(Edit(*w, kAdvanceBase, 4), QString());  // row 4 keeps only its length
    QTest::mouseClick(w->Button("按钮1"), Qt::LeftButton);

    const QStringList row1{"267", "80", "2.67", "5.34", "160.2", "100", "3.33", "0.27"};
    const char *results[] = {kCyclesBase,       kMonthCyclesBase, kDayCyclesBase, kDayAdvanceBase,
                             kMonthAdvanceBase, kDaysBase,        kMonthsBase,    kYearsBase};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Edit(*w, results[i], 1)->text(), row1[i]);
        QCOMPARE(Edit(*w, results[i], 4)->text(), QString());
    }
    QCOMPARE(w->Text(U(kTotalLength)), QStringLiteral("3964m"));
    QCOMPARE(w->Text(U(kTotalCycles)), QStringLiteral("1494循环"));
    QCOMPARE(w->Text(U(kTotalDays)), QStringLiteral("762天"));
    QCOMPARE(w->Text(U(kTotalMonths)), QStringLiteral("25.4月"));
    QCOMPARE(w->Text(U(kTotalYears)), QStringLiteral("2.08年"));
    QCOMPARE(w->Caption(U(kPeriodNotice)), QString());

    const BarChart &chart = w->Chart()->Chart();
    QCOMPARE(chart.Value(0, 1), 267.0);
    QCOMPARE(chart.Value(1, 1), 100.0);
    QCOMPARE(chart.Value(2, 3), 1600.0);
    QCOMPARE(chart.Value(0, 4), 0.0);
    QCOMPARE(chart.Value(2, 4), 260.0);
    // The longest stretch stands below the top of the axis, whose labels
    // and the stretch names all keep apart.
    const BarChartGeometry geometry = w->Chart()->Geometry();
    QVERIFY(geometry.Bar(chart, 2, 3).height() < geometry.plot.height());
    const QFontMetrics metrics(w->Chart()->font());
    for (int k = 0; k < chart.CategoryCount(); ++k)
        QVERIFY(metrics.horizontalAdvance(chart.CategoryName(k)) < geometry.Slot(k).width() - 4);
    QVERIFY(geometry.plot.height() / chart.DivisionCount() * geometry.labelStep >
            QFontMetricsF(geometry.labelFont).capHeight());
}

void TestPeriodWindow::FreshInstallOffersDefaultGrades() {
    // No data.ini yet: the window can be used at once.
    Window w(m_dir->path());
    PickGrade(*w, 0, 2);
    QCOMPARE(w->Items(RowId(kGradeBase, 0)), DefaultRockGrades());
    QCOMPARE(w->Text(RowId(kGradeBase, 0)), DefaultRockGrades()[2]);
    QVERIFY(!QFile::exists(RockGradeListPath(m_dir->path())));
}

void TestPeriodWindow::SelectorReloadsOnDropDown() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), {"A", "B"}), QString());
    Window w(m_dir->path());
    PickGrade(*w, 3, 1);
    QCOMPARE(w->Text(RowId(kGradeBase, 3)), QStringLiteral("B"));
    QCOMPARE(w->Selector(0)->count(), 0);  // each selector loads on its own drop-down

    QCOMPARE(WriteRockGradeList(m_dir->path(), {"C", "D", "E"}), QString());
    QComboBox *box = w->Selector(3);
    box->showPopup();
    QCOMPARE(w->Items(RowId(kGradeBase, 3)), (QStringList{"C", "D", "E"}));
    QCOMPARE(box->currentIndex(), -1);
    box->hidePopup();
    QCOMPARE(w->Text(RowId(kGradeBase, 3)), QString());
}

void TestPeriodWindow::EditorNamesReachSelectors() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), {"Ⅲ级"}), QString());
    Window w(m_dir->path());
    bool sawEditor = false;
    QTimer::singleShot(0, w.window, [&] {
        auto *editor = w->findChild<RockGradeWindow *>();
        QVERIFY(editor);
        sawEditor = true;
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::activeModalWidget(), editor);
        QCOMPARE(editor->Items(U(kGradeListBox)), QStringList{"Ⅲ级"});
        editor->NameBox()->setText(QStringLiteral("Ⅴ级"));
        QTest::mouseClick(editor->Button("按钮1添加"), Qt::LeftButton);
        editor->close();
    });
    QTest::mouseClick(w->Button("按钮5"), Qt::LeftButton);  // returns when the editor is gone
    QVERIFY(sawEditor);
    QVERIFY(!w->findChild<RockGradeWindow *>());
    QCOMPARE(ReadRockGradeList(m_dir->path()), (QStringList{"Ⅲ级", "Ⅴ级"}));
    for (int row : {0, 5}) {
        PickGrade(*w, row, 1);
        QCOMPARE(w->Text(RowId(kGradeBase, row)), QStringLiteral("Ⅴ级"));
    }
}

void TestPeriodWindow::SavedFileReopensInFreshWindow() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), kGrades), QString());
    const QString path = m_dir->filePath("Data/工程.tac");
    {
        Window w(m_dir->path());
        EnterStretches(*w);
        Type(Edit(*w, kLengthBase, 4), QString());
        for (int row : {0, 1, 2, 3, 5}) PickGrade(*w, row, (row + 2) % 5);
        w.dialogs.files.enqueue(path);
        QTest::mouseClick(w->Button("按钮2_保存数据"), Qt::LeftButton);
        QCOMPARE(w.dialogs.MessageTexts(), QStringList{"保存成功！"});
        QCOMPARE(w.dialogs.requests[0].filter, QStringLiteral("（*.tac）|*.tac"));
    }
    const QByteArray saved = ReadFileBytes(path);
    QVERIFY(saved.startsWith("[2.4]\r\n1=2\r\n2=3\r\n3=4\r\n4=0\r\n5=-1\r\n6=2\r\n7=300\r\n"));
    QVERIFY(saved.contains("\r\n11=\r\n"));
    QVERIFY(saved.endsWith("\r\n24=12.75\r\n"));

    // No selector of the new window has dropped down: the file brings the list.
    Window fresh(m_dir->path());
    fresh.dialogs.files.enqueue(path);
    MenuItem(*fresh, QStringLiteral("打开"))->trigger();
    QCOMPARE(fresh.dialogs.requests[0].defaultExtension, QStringLiteral(".tac"));
    QCOMPARE(fresh.dialogs.requests[0].initialFolder, m_dir->path() + "/Data");
    const QString shown[] = {"Ⅳ级", "Ⅴ级", "Ⅵ级", "Ⅱ级", "", "Ⅳ级"};
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(fresh->Selector(row)->currentText(), shown[row]);
        QCOMPARE(fresh->Items(RowId(kGradeBase, row)), kGrades);
        const bool empty = row == 4;
        QCOMPARE(Edit(*fresh, kLengthBase, row)->text(), empty ? QString() : U(kStretches[row][0]));
        QCOMPARE(Edit(*fresh, kCycleTimeBase, row)->text(), U(kStretches[row][2]));
    }
    QCOMPARE(fresh->Caption(U(kPeriodNotice)), kChanged);
    QVERIFY(fresh.dialogs.messages.isEmpty());

    // Saved again, the file is the same.
    fresh.dialogs.files.enqueue(m_dir->filePath("again.tac"));
    MenuItem(*fresh, QStringLiteral("保存"))->trigger();
    QCOMPARE(ReadFileBytes(m_dir->filePath("again.tac")), saved);
}

void TestPeriodWindow::OpenLeavesResultsAlone() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), {}), QString());
    Window w(m_dir->path());
    Type(Edit(*w, kLengthBase, 0), "300");
    Type(Edit(*w, kAdvanceBase, 0), "3");
    Type(Edit(*w, kCycleTimeBase, 0), "12");
    QTest::mouseClick(w->Button("按钮1"), Qt::LeftButton);
    const QString path = m_dir->filePath("other.tac");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[2.4]\r\n1=0\r\n7=534\r\n");
    file.close();
    w.dialogs.files.enqueue(path);
    QTest::mouseClick(w->Button("按钮4_打开数据"), Qt::LeftButton);
    QCOMPARE(Edit(*w, kLengthBase, 0)->text(), QStringLiteral("534"));
    QCOMPARE(Edit(*w, kAdvanceBase, 0)->text(), QString());
    QCOMPARE(Edit(*w, kCyclesBase, 0)->text(), QStringLiteral("100"));
    QCOMPARE(w->Text(U(kTotalLength)), QStringLiteral("300m"));
    // An empty list: the selector stays empty.
    QCOMPARE(w->Selector(0)->currentIndex(), -1);

    w.dialogs.files.enqueue(QString());
    QTest::mouseClick(w->Button("按钮4_打开数据"), Qt::LeftButton);
    QCOMPARE(Edit(*w, kLengthBase, 0)->text(), QStringLiteral("534"));
}

void TestPeriodWindow::ExportedReportInOffice() {
    QCOMPARE(WriteRockGradeList(m_dir->path(), kGrades), QString());
    Window w(m_dir->path());
    EnterStretches(*w);
    for (int row = 0; row < 6; ++row) PickGrade(*w, row, row % 5);
    QTest::mouseClick(w->Button("按钮1"), Qt::LeftButton);
    QTest::mouseClick(w->Button("按钮4"), Qt::LeftButton);

    QCOMPARE(w.dialogs.MessageTexts(),
             (QStringList{"确定开始导出，中途请勿进行其他操作！",
                          "自动生成计算书成功！\r\n文件：" +
                              QDir::toNativeSeparators(test::LatestReport(
                                  m_dir->path() + "/导出的方案", "隧道进尺及工期计算书.docx"))}));
    QCOMPARE(w->Caption(U(kPeriodNotice)), QStringLiteral("导出完成！"));
    QCOMPARE(w->Progress(), 0);
    QVERIFY(w->Button("按钮4")->isEnabled());
    const QString report = m_dir->path() + "/导出的方案/隧道进尺及工期计算书.docx";
    QVERIFY(QFile::exists(report));

    if (!test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    QString error;
    const QString text = test::OfficeText(report, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QVERIFY2(!text.contains(QStringLiteral("编辑框")) && !text.contains(QStringLiteral("组合框")),
             qPrintable(text));
    for (const char *heading : {"隧道工程基本参数表", "循环计算成果表", "进尺计算成果表",
                                "隧道工期计算成果表", "进尺计算", "工期计算", "计算工期合计"})
        QVERIFY2(text.contains(U(heading)), heading);
    // Every table names the grade of each stretch: Ⅱ级 stands in rows 1 and 6.
    QCOMPARE(text.count(QStringLiteral("Ⅱ级")), 8);
    for (const QString &grade : kGrades.mid(1)) QCOMPARE(text.count(grade), 4);
    // The layout may set blanks between figures and Chinese text.
    const QString packed = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
    for (const char *value :
         {"各类围岩总长度（m）=3964", "计算工期合计90030.012.46", "319.07", "243.6", "546.67"})
        QVERIFY2(packed.contains(U(value)), value);
}

QTEST_MAIN(TestPeriodWindow)
#include "test_period_window.moc"
