#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_report.h"
#include "modules/formwork/widgets/formwork_window.h"
#include "support/evaluation_texts.h"
#include "support/office_check.h"
#include "support/reference_check.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/module_window.h"
#include "widgets/text_box.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

using tunnel::test::kNoDanger;
using tunnel::test::kOverScale;
using tunnel::test::kScheme;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

class TestFormworkWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void creationState();
    void unitsBesideTheirBoxes();
    void calculateWithDefaults();
    void heightThresholds_data();
    void heightThresholds();
    void incompleteInputThroughTyping();
    void questionChangeMovesFocusOnly();
    void tabChangeResetsLog();
    void hoverHintTicks_data();
    void hoverHintTicks();
    void hoverHintTimer();
    void wallPressureDiagram_data();
    void wallPressureDiagram();
    void beamSideBands_data();
    void beamSideBands();
    void temperatureBox();
    void exportRightAfterOpening();
    void exportAfterCalculateInOffice();
    void closeRefusedDuringExport();
    void opensModalFromCatalogue();

private:
    template <typename T = QWidget>
    T *Find(const char *id) const {
        return m_window->findChild<T *>(S(id));
    }
    QLineEdit *Edit(const char *id) const { return Find<QLineEdit>(id); }
    QString Box(const char *id) const { return Find<TextBox>(id)->RawText(); }
    void Click(const char *id) { QTest::mouseClick(Find<QPushButton>(id), Qt::LeftButton); }
    void Type(const char *id, const QString &text) {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // Key presses for ASCII, plain text events for full-width forms.
        for (QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    QString Label(const char *id) const { return Find<QLabel>(id)->text(); }
    QString ReportText(QString *error);

    QTemporaryDir m_dir;
    ScriptedDialogs *m_dialogs = nullptr;
    FormworkWindow *m_window = nullptr;
};

void TestFormworkWindow::init() {
    m_dialogs = new ScriptedDialogs;
    m_window = static_cast<FormworkWindow *>(
        CreateModuleWindow(*FindModule("formwork"), WindowContext{*m_dialogs, m_dir.path()}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestFormworkWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
}

void TestFormworkWindow::creationState() {
    QCOMPARE(m_window->windowTitle(), S("荷载计算"));
    QCOMPARE(m_window->size(), QSize(964, 824));
    QVERIFY(!m_window->menuBar()->isVisible());
    QTabWidget *tabs = Find<QTabWidget>(kFormworkTabsId);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), S("施工总荷载与集中线荷载计算"));
    QCOMPARE(tabs->tabText(1), S("新浇混凝土作用于模板的最大侧压力标准值计算"));
    QCOMPARE(m_window->LogText(), S("\r\n软件调试完成，待命中……\r\n"));
    QCOMPARE(Find(kFormworkLogId)->size(), QSize(304, 123));

    for (const char *combo : {kQuestion1Id, kQuestion2Id}) {
        QComboBox *box = Find<QComboBox>(combo);
        QStringList items;
        for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
        QCOMPARE(items, QuestionChoices(combo));
        QCOMPARE(box->currentText(), S("    否"));
    }
    QCOMPARE(Find<QComboBox>(kQuestion2Id)->count(), 3);
    // The slab thickness is shown in the unit the formulas use.
    QCOMPARE(m_window->FieldLabel(kSlabId)->text(), S("楼板最大板厚a"));
    QCOMPARE(m_window->UnitLabel(kSlabId)->text(), S("m"));
    QCOMPARE(Edit(kSlabId)->text(), S("0.4"));
    QCOMPARE(Edit(kHeadId)->text(), S("3.0"));
    QCOMPARE(Edit(kQ2kVerticalId)->text(), S("4"));
    QCOMPARE(Label(kFormworkNoticeId),
             S("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    const std::pair<const char *, const char *> references[] = {
        {"按钮1", "楼板模板自重标准值"},
        {"按钮4", "活荷载标准值规范取值"},
        {"按钮5", "倾倒混凝土时，对垂直面模板产生的水平荷载标准值"}};
    for (const auto &[button, caption] : references) {
        QCOMPARE(Find<QPushButton>(button)->size(), QSize(24, 24));
        const test::Opened opened = test::ClickReference(Find<QPushButton>(button));
        QCOMPARE(opened.caption, S(caption));
        QVERIFY(opened.modal);
    }
    QCOMPARE(Find(kDiagramId)->size(), QSize(232, 295));
    QCOMPARE(Find<QLabel>(kDiagramLabels[0])->geometry(), QRect(32, 112, 63, 16));
    QCOMPARE(Find<QLabel>(kDiagramLabels[6])->geometry(), QRect(29, 260, 217, 14));
    QCOMPARE(Find<QTimer>(kHoverTimerId)->interval(), 1000);
    QVERIFY(Find<QTimer>(kHoverTimerId)->isActive());
    QVERIFY(!Find(kTemperatureId)->isVisibleTo(m_window));
}

// The window lays out its pages by hand, so every unit label needs its place:
// right of its box, on the box's line.
void TestFormworkWindow::unitsBesideTheirBoxes() {
    QTabWidget *tabs = Find<QTabWidget>(kFormworkTabsId);
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        int shown = 0;
        for (const FieldRow &field : FormworkTable().fields) {
            QWidget *box = m_window->Unit(field.id);
            if (!*field.unit || !box->isVisible()) continue;
            QLabel *unit = m_window->UnitLabel(field.id);
            QVERIFY2(unit && unit->isVisible(), field.id);
            QCOMPARE(unit->parentWidget(), box->parentWidget());
            const QRect b = box->geometry(), u = unit->geometry();
            QVERIFY2(u.left() > b.right() && u.left() - b.right() < 20, field.id);
            QVERIFY2(qAbs(u.center().y() - b.center().y()) <= 2, field.id);
            ++shown;
        }
        QVERIFY(shown > 0);
    }
}

void TestFormworkWindow::calculateWithDefaults() {
    Click("按钮6");
    const char *ids[] = {kSlabLiveId, kSlabDeadId, kSlabMaxId,
                         kLineLiveId, kLineDeadId, kLineMaxId};
    const char *expected[] = {"14.803", "15.315", "15.315", "28.436", "31.348", "31.348"};
    for (int i = 0; i < 6; ++i) QCOMPARE(Edit(ids[i])->text(), S(expected[i]));
    QCOMPARE(m_dialogs->pauses, QList<int>(10, 300));
    QCOMPARE(Box(kVerdictId), S("本工程") + kOverScale);
    const QColor blue(0, 96, 192);
    QCOMPARE(Find(kVerdictId)->palette().color(QPalette::Base), blue);
    QCOMPARE(Edit(kSlabMaxId)->palette().color(QPalette::Base), blue);
    QCOMPARE(Edit(kLineMaxId)->palette().color(QPalette::Base), blue);
    QCOMPARE(Box(kEvaluations[0]),
             S("1、 搭设高度评价\r\n   本项目模板支架搭设高度9m≥8m,") + kOverScale);
    QVERIFY(Box(kEvaluations[1]).endsWith(S("8.1m<10m,") + kNoDanger));
    QVERIFY(Box(kEvaluations[5])
                .startsWith(S("6、本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载评价\r\n")));
    // Each box shows its whole verdict without scrolling.
    for (const char *id : kEvaluations) {
        QCoreApplication::processEvents();
        QCOMPARE(Find<QPlainTextEdit>(id)->verticalScrollBar()->maximum(), 0);
    }
    // The box shows plain breaks while it keeps the raw text.
    QVERIFY(Find<QPlainTextEdit>(kEvaluations[0])
                ->toPlainText()
                .startsWith(S("1、 搭设高度评价\n   本项目")));
    QVERIFY(m_window->LogText().startsWith(
        S("刷新日志，系统准备完成，待命……施工总荷载-R活计算完成！\r\n")));
    QVERIFY(m_window->LogText().endsWith(S("\r\n自动行评价完成！\r\n")));

    // A second run clears the previous texts first.
    Type(kHeightId, S("6"));
    Click("按钮6");
    QVERIFY(Box(kEvaluations[0]).endsWith(S("6m≥5m,") + kScheme));
    QCOMPARE(m_window->LogText().count(S("1、 搭设高度评价")), 1);
}

void TestFormworkWindow::heightThresholds_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("line");
    QTest::newRow("8") << S("8") << S("   本项目模板支架搭设高度8m≥8m,") + kOverScale;
    QTest::newRow("7.99999999") << S("7.99999999")
                                << S("   本项目模板支架搭设高度7.99999999m≥8m,") + kOverScale;
    QTest::newRow("7.9999") << S("7.9999") << S("    本项目模板支架搭设高度7.9999m≥5m,") + kScheme;
    QTest::newRow("full-width 4") << S("４") << S("    本项目模板支架搭设高度４m<5m,") + kNoDanger;
}

void TestFormworkWindow::heightThresholds() {
    QFETCH(QString, height);
    QFETCH(QString, line);
    Type(kHeightId, height);
    Click("按钮6");
    QCOMPARE(Box(kEvaluations[0]), S("1、 搭设高度评价\r\n") + line);
    QVERIFY(m_window->LogText().contains(line + S("\r\n")));
}

void TestFormworkWindow::incompleteInputThroughTyping() {
    Click("按钮6");
    Type(kG3kBeamId, QString());
    // Support height and span are not part of the check.
    Type(kHeightId, QString());
    Click("按钮6");
    QCOMPARE(m_window->LogText(),
             S("刷新日志，系统准备完成，待命……参数输入不完整，请查证后重新输入\r\n"));
    QCOMPARE(Edit(kSlabMaxId)->text(), QString());
    QCOMPARE(Box(kEvaluations[0]), QString());
    QCOMPARE(Box(kVerdictId), QString());

    Type(kG3kBeamId, S("1.5"));
    Click("按钮6");
    QCOMPARE(Edit(kLineMaxId)->text(), S("31.348"));
    QVERIFY(Box(kEvaluations[0]).endsWith(S("本项目模板支架搭设高度m<5m,") + kNoDanger));
}

void TestFormworkWindow::questionChangeMovesFocusOnly() {
    Click("按钮6");
    const QString before = Box(kEvaluations[4]);
    QComboBox *combo = Find<QComboBox>(kQuestion1Id);
    combo->setFocus();
    combo->setCurrentIndex(0);
    QTRY_COMPARE(QApplication::focusWidget(), Find(kFormworkLogId));
    QCOMPARE(Box(kEvaluations[4]), before);
    QCOMPARE(Box(kVerdictId), S("本工程") + kOverScale);

    // Only question 1 answered yes, everything else low: a special scheme.
    Type(kHeightId, S("3"));
    Type(kSpanId, S("6"));
    Type(kSlabId, S("0.1"));
    Type(kBeamBId, S("0.2"));
    Type(kBeamHId, S("0.4"));
    Click("按钮6");
    QCOMPARE(Box(kVerdictId), S("本工程") + kScheme);
    combo->setCurrentIndex(1);
    Click("按钮6");
    QCOMPARE(Box(kVerdictId), S("本工程") + kNoDanger);
}

void TestFormworkWindow::tabChangeResetsLog() {
    Click("按钮6");
    QTabWidget *tabs = Find<QTabWidget>(kFormworkTabsId);
    tabs->setCurrentIndex(1);
    QCOMPARE(m_window->LogText(), S("\r\n软件调试完成，待命中……\r\n"));
    QVERIFY(Find(kFormworkLogId)->isVisible());
    Click("按钮3_1");
    tabs->setCurrentIndex(0);
    QCOMPARE(m_window->LogText(), S("\r\n软件调试完成，待命中……\r\n"));
    // The page-2 results stay.
    QCOMPARE(Edit(kG4kId)->text(), S("17.85"));
}

void TestFormworkWindow::hoverHintTicks_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("width");  // GBK bytes × 6.2, cut to whole pixels
    QTest::newRow("G3k slab") << 0 << S(kG3kSlabId)
                              << S("根据工程设计图纸确定，对一般梁板结构没立方米钢筋混凝土的钢筋自"
                                   "重标准值，楼板可取1.1KN；梁可取1.5KN")
                              << 607;
    QTest::newRow("G2k")
        << 0 << S(kG2kId)
        << S("对普通混凝土可采用24KN/m3,其它混凝土可根据实际重力密度按规范附表A确定") << 427;
    QTest::newRow("G1k") << 0 << S(kG1kId)
                         << S("根据模板设计图纸计算确定，肋形或无梁楼板模板自重标准值按表4.1.1采用")
                         << 415;
    QTest::newRow("gamma c") << 1 << S(kGammaCId) << S("混凝土的重力密度取24KN/m3") << 155;
    QTest::newRow("Q2k") << 0 << S(kQ2kId)
                         << S("对水平模板可采用2kN/m2，对垂直模板可采用4kN/"
                              "m2，且作用范围在新浇筑混凝土侧压力的有效压头高度之内")
                         << 595;
}

void TestFormworkWindow::hoverHintTicks() {
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, hint);
    QFETCH(int, width);
    Find<QTabWidget>(kFormworkTabsId)->setCurrentIndex(page);
    QWidget *edit = m_window->findChild<QWidget *>(field);
    QLabel *label = Find<QLabel>(kHoverLabelId);
    QVERIFY(!label->isVisible());

    m_window->HoverTick(edit->mapToGlobal(QPoint(5, 5)));
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), hint);
    const QRect g = edit->geometry();
    QCOMPARE(label->pos(), QPoint(g.left() + g.width() - 10, g.top() + 285));
    QCOMPARE(label->width(), width);
    // Drawn above every other unit of the window.
    QCOMPARE(label->parentWidget()->children().last(), label);

    // Anywhere else hides it at the next tick, also over an unhinted field.
    m_window->HoverTick(Find(kFormworkLogId)->mapToGlobal(QPoint(5, 5)));
    QVERIFY(!label->isVisible());
    m_window->HoverTick(edit->mapToGlobal(QPoint(5, 5)));
    m_window->HoverTick(Edit(page == 0 ? kHeightId : kHeadId)->mapToGlobal(QPoint(5, 5)));
    QVERIFY(!label->isVisible());
}

void TestFormworkWindow::hoverHintTimer() {
    QLabel *label = Find<QLabel>(kHoverLabelId);
    QCursor::setPos(Edit(kG2kId)->mapToGlobal(QPoint(10, 8)));
    QTRY_VERIFY_WITH_TIMEOUT(label->isVisible(), 2500);
    QCOMPARE(label->text(),
             S("对普通混凝土可采用24KN/m3,其它混凝土可根据实际重力密度按规范附表A确定"));
    QCursor::setPos(m_window->mapToGlobal(QPoint(480, 200)));
    QTRY_VERIFY_WITH_TIMEOUT(!label->isVisible(), 2500);
}

void TestFormworkWindow::wallPressureDiagram_data() {
    QTest::addColumn<bool>("steel");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("plain") << false << S("28.98")
                           << QStringList{S("3.0m"),
                                          S("0.8m"),
                                          S("19.28KN/m2"),
                                          S("7.56KN/m2"),
                                          S("2.2m"),
                                          S("0.31m"),
                                          S("墙体侧压力设计值分布图")};
    QTest::newRow("steel") << true << S("25.5")
                           << QStringList{S("3.0m"),
                                          S("0.76m"),
                                          S("18.31KN/m2"),
                                          S("7.18KN/m2"),
                                          S("2.24m"),
                                          S("0.27m"),
                                          S("墙体钢模侧压力设计值分布图")};
}

void TestFormworkWindow::wallPressureDiagram() {
    QFETCH(bool, steel);
    QFETCH(QString, result);
    QFETCH(QStringList, labels);
    Find<QTabWidget>(kFormworkTabsId)->setCurrentIndex(1);
    if (steel) QTest::mouseClick(Find<QCheckBox>(kWallSteelId), Qt::LeftButton);
    Click("按钮3_1");
    QCOMPARE(Edit(kFPrimeId)->text(), S("17.85"));
    QCOMPARE(Edit(kFId)->text(), S("72"));
    QCOMPARE(Edit(kG4kId)->text(), S("17.85"));
    QCOMPARE(Edit(kThickResultId)->text(), result);
    QVERIFY(Find(kThickGroupId)->isVisible());
    QVERIFY(!Find(kThinGroupId)->isVisible());
    QCOMPARE(Find(kThickGroupId)->geometry(), Find(kThinGroupId)->geometry());
    QCOMPARE(Label(kThickHeadingId), S("大体积墙厚度>100mm的侧面模板计算结果"));
    QCOMPARE(Label(kThinHeadingId), S("墙厚度<100mm的侧面模板计算结果"));
    for (int i = 0; i < 7; ++i) QCOMPARE(Label(kDiagramLabels[i]), labels[i]);
    QCOMPARE(Edit(kThickResultId)->palette().color(QPalette::Base), QColor(0, 96, 192));
}

void TestFormworkWindow::beamSideBands_data() {
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("thin");
    QTest::addColumn<QString>("thick");
    QTest::newRow("600 steel unrounded") << S("600") << S("") << S("25.4961");
    QTest::newRow("299.99999999 thick") << S("299.99999999") << S("") << S("25.4961");
    // 0.855 × (1.2 × 17.85 + 1.4 × 4)
    QTest::newRow("299.9999 thin") << S("299.9999") << S("23.1021") << S("");
    QTest::newRow("0 error") << S("0") << S("") << S("");
}

void TestFormworkWindow::beamSideBands() {
    QFETCH(QString, side);
    QFETCH(QString, thin);
    QFETCH(QString, thick);
    Find<QTabWidget>(kFormworkTabsId)->setCurrentIndex(1);
    QTest::mouseClick(Find<QCheckBox>(kMemberSteelId), Qt::LeftButton);
    Type(kMemberSideId, side);
    Click("按钮3");
    QCOMPARE(Edit(kThinResultId)->text(), thin);
    QCOMPARE(Edit(kThickResultId)->text(), thick);
    QCOMPARE(Find(kThinGroupId)->isVisible(), !thin.isEmpty());
    QCOMPARE(Find(kThickGroupId)->isVisible(), !thick.isEmpty());
    QCOMPARE(Label(kThinHeadingId), S("梁、拱、柱（边长< 300mm）的侧面模板计算结果"));
    if (thin.isEmpty() && thick.isEmpty())
        QVERIFY(m_window->LogText().contains(S("参数输入错误（边长），请查证17.85\r\n")));
    QCOMPARE(Label(kDiagramLabels[6]), S("梁拱柱钢模侧压力设计值分布图"));
    QCOMPARE(Edit(kActingHeightId)->text(), S("0.27"));
}

void TestFormworkWindow::temperatureBox() {
    Find<QTabWidget>(kFormworkTabsId)->setCurrentIndex(1);
    QCheckBox *box = Find<QCheckBox>(kTempBoxId);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(Edit(kTemperatureId)->isVisible());
    Type(kTemperatureId, S("25"));
    QCOMPARE(Edit(kSetTimeId)->text(), S("5"));
    Click("按钮3_1");
    QCOMPARE(Edit(kFPrimeId)->text(), S("44.62"));

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QVERIFY(!Edit(kTemperatureId)->isVisible());
    QCOMPARE(Edit(kTemperatureId)->text(), QString());
    QCOMPARE(Edit(kSetTimeId)->text(), QString());

    m_window->SetLogText(QString());
    Click("按钮3_1");
    QVERIFY(m_window->LogText().startsWith(
        S("请输入完整的计算参数，请查证！\r\n侧压力标准值F'与F计算结果取较小值44.62\r\n")));
    QCOMPARE(Edit(kFPrimeId)->text(), S("44.62"));
}

QString TestFormworkWindow::ReportText(QString *error) {
    return tunnel::test::OfficeText(
        tunnel::test::LatestReport(m_dir.filePath(S("导出的方案")), S(kFormworkReportName)), error);
}

void TestFormworkWindow::exportRightAfterOpening() {
    if (!tunnel::test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    m_dialogs->answers.enqueue(kAnswerYes);
    Click("按钮2");
    QCOMPARE(m_dialogs->MessageTexts(),
             (QStringList{S("计算结果为空或参数已修改，请先计算。仍要导出吗？"),
                          S("确定开始导出，中途请勿进行其他操作！"),
                          S("自动生成计算书成功！\r\n文件：") +
                              QDir::toNativeSeparators(tunnel::test::LatestReport(
                                  m_dir.filePath(S("导出的方案")), S(kFormworkReportName)))}));
    QCOMPARE(Label(kFormworkNoticeId), S("导出完成！"));
    QCOMPARE(Find<QProgressBar>("进度条1")->value(), 0);
    QString error;
    const QString text = ReportText(&error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QVERIFY(text.contains(S("综上所述，。")));
    QVERIFY(text.contains(S("=0.9×[1.2×(0.75+24×0.4+1.1×0.4)+1.4×2.5]")));
    QVERIFY(!text.contains(S("编辑框")));
}

void TestFormworkWindow::exportAfterCalculateInOffice() {
    if (!tunnel::test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    Click("按钮6");
    Click("按钮2");
    QVERIFY(m_window->LogText().endsWith(
        S("导出程序准备，开始写入……\r\n写入完毕，数据排版，请稍候……\r\n"
          "排版完毕，导出数据！\r\n计算书导出完成！\r\n")));
    QString error;
    QString text = ReportText(&error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    // The layout wraps long lines; compare without the layout's white space.
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    QVERIFY(!text.contains(S("编辑框")));
    QVERIFY(!text.contains(S("组合框")));
    QVERIFY(text.contains(S("模板工程及支撑体系危险性分析计算书")));
    QVERIFY(text.contains(S("=14.803kN/m2")));
    QVERIFY(text.contains(S("=15.315kN/m2")));
    QVERIFY(text.contains(S("R=max[R活，R恒]=15.315kN/m2")));
    QVERIFY(text.contains(S("集中线荷载R=max[R活，R恒]=31.348kN/m")));
    // Once in the table and four times in the two slab formulas.
    QCOMPARE(text.count(S("楼板最大板厚a(m)0.4")), 1);
    QCOMPARE(text.count(S("24×0.4")), 2);
    QCOMPARE(text.count(S("1.1×0.4")), 2);
    QVERIFY(text.contains(S("0.6×1.6")));
    for (const char *id : kEvaluations) {
        QString box = Box(id);
        box.remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY2(text.contains(box), id);
    }
    QVERIFY(
        text.contains(S("4、集中线荷载组合设计值评价本项目集中线荷载（荷载效应基本组合的设计值）31."
                        "348kN/m≥20kN/m,")));
    QVERIFY(text.contains(S("综上所述，本工程") + kOverScale + S("。")));
    QVERIFY(tunnel::test::OfficePageText(m_dir.filePath(S("导出的方案/") + S(kFormworkReportName)))
                .contains(S("隧道施工计算工具")));  // page header
}

void TestFormworkWindow::closeRefusedDuringExport() {
    bool closed = true;
    m_dialogs->onMessage = [this, &closed](const ScriptedDialogs::Shown &shown) {
        if (shown.text.startsWith(S("自动生成计算书成功！"))) {
            closed = m_window->close();
            QVERIFY(!Find<QPushButton>("按钮2")->isEnabled());
        }
    };
    Click("按钮6");
    Click("按钮2");
    QVERIFY(!closed);
    QVERIFY(m_window->isVisible());
    QVERIFY(Find<QPushButton>("按钮2")->isEnabled());
}

void TestFormworkWindow::opensModalFromCatalogue() {
    QVERIFY((FindShellWindow("formwork") != nullptr));
    QVERIFY(FindShellWindow("formwork")->modal);
    QPointer<QWidget> window =
        CreateShellWindow("formwork", WindowContext{*m_dialogs, m_dir.path()});
    QVERIFY(qobject_cast<FormworkWindow *>(window));
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = window->isVisible() && window->windowModality() == Qt::ApplicationModal;
        window->close();
    });
    // Returns only once the dialog has gone.
    PlainWindowOps().OpenModalWindow(window);
    QVERIFY(wasModal);
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(TestFormworkWindow)
#include "test_formwork_window.moc"
