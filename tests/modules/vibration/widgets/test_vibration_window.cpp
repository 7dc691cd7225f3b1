#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "app/window_catalog.h"
#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "core/module_entry.h"
#include "modules/vibration/core/vibration.h"
#include "modules/vibration/widgets/vibration_window.h"
#include "support/office_check.h"
#include "support/reference_check.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/module_window.h"
#include "widgets/text_box.h"

using namespace tunnel;

namespace {

const QString kStartLine = QStringLiteral("\r\n软件启动并调试完成，前置待命中……\r\n");
const QString kChangeNotice = QStringLiteral("参数已修改，请重新计算！");
const QString kPreset = QStringLiteral("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开");
const QString kPasses = QStringLiteral("振速符合要求，验算通过！");
const QString kFails =
    QStringLiteral("超过爆破临界值，不符合要求！请降低一次起爆炸药总重量或采取分段起爆，重新计算");
const QString kVelocity = QStringLiteral("编辑框5_求振动速度");
const QString kEvaluation = QStringLiteral("编辑框13_评价结果");
const QString kRange = QStringLiteral("编辑框5_规范临界值");

const QStringList kInputs = {
    "编辑框5_炸药总量",
    "编辑框5_距离R",
    "编辑框5_系数K",
    "编辑框5_衰减系数",
    "编辑框2本项目安全允许质点振动速度实际取值",
    "编辑框2距离R",
    "编辑框3单次起爆炸药总重量",
    "编辑框3本项目安全允许质点振动速度实际取值",
};

QColor Colour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

class TestVibrationWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensFromCatalogue();
    void opensInDesignState();
    void labels_data();
    void labels();
    void verdict_data();
    void verdict();
    void noCategoryEmptiesStaleVerdict();
    void missingInput_data();
    void missingInput();
    void switchingTabs_data();
    void switchingTabs();
    void changeNotice_data();
    void changeNotice();
    void pickingCategoryWritesRange();
    void pickingBandWritesRange();
    void saveAndOpenRoundTrip();
    void storedIndex_data();
    void storedIndex();
    void ventilationFile();
    void cancelledAndFailedFiles();
    void exportBeforeCalculating();
    void exportedReportInOffice();

private:
    QLineEdit *Edit(const QString &id) const { return m_window->findChild<QLineEdit *>(id); }
    TextBox *Evaluation() const { return m_window->findChild<TextBox *>(kEvaluation); }
    QString Text(const QString &id) const { return m_window->Text(id); }
    void Type(const QString &id, const QString &text);
    void Click(const char *id);
    void ShowTab(int tab);
    void Pick(int index);
    QString DataFile(const QString &name) const { return m_folder->filePath("Data/" + name); }
    void WriteFile(const QString &path, const QList<std::array<QString, 3>> &items);

    std::optional<QTemporaryDir> m_folder;
    test::ScriptedDialogs *m_dialogs = nullptr;
    VibrationWindow *m_window = nullptr;
};

void TestVibrationWindow::init() {
    m_folder.emplace();
    QDir(m_folder->path()).mkpath("Data");
    m_dialogs = new test::ScriptedDialogs;
    m_window = static_cast<VibrationWindow *>(
        CreateModuleWindow(*FindModule("vibration"), WindowContext{*m_dialogs, m_folder->path()}));
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestVibrationWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
}

// Types as a user does: select all, delete, type the new text.
void TestVibrationWindow::Type(const QString &id, const QString &text) {
    QLineEdit *edit = Edit(id);
    QVERIFY2(edit, qPrintable(id));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void TestVibrationWindow::Click(const char *id) {
    QPushButton *button = m_window->Button(id);
    QVERIFY2(button && button->isVisible() && button->isEnabled(), id);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestVibrationWindow::ShowTab(int tab) {
    QTabBar *bar = m_window->Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QCOMPARE(m_window->Tabs()->currentIndex(), tab);
}

// Picks an item with the keyboard, which reports it as the user's choice.
void TestVibrationWindow::Pick(int index) {
    QComboBox *combo = m_window->Categories();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
}

void TestVibrationWindow::WriteFile(const QString &path,
                                    const QList<std::array<QString, 3>> &items) {
    IniFile ini;
    for (const auto &item : items) ini.Write(item[0], item[1], item[2]);
    QCOMPARE(ini.Save(path), QString());
}

void TestVibrationWindow::opensFromCatalogue() {
    QVERIFY((FindShellWindow("vibration") != nullptr));
    QVERIFY(!FindShellWindow("vibration")->modal);
    std::unique_ptr<QWidget> window(
        CreateShellWindow("vibration", WindowContext{*m_dialogs, m_folder->path()}));
    QVERIFY(qobject_cast<VibrationWindow *>(window.get()));
}

void TestVibrationWindow::opensInDesignState() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("爆破影响分析计算"));
    QCOMPARE(m_window->LogText(), kStartLine);
    QCOMPARE(m_window->Tabs()->currentIndex(), 0);
    QStringList captions;
    for (int i = 0; i < m_window->Tabs()->count(); ++i) captions << m_window->Tabs()->tabText(i);
    QCOMPARE(captions, (QStringList{"计算爆破振速影响", "计算爆破最大药量", "计算爆破安全距离"}));
    QComboBox *combo = m_window->Categories();
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->count(), 12);
    QCOMPARE(combo->itemText(0), QStringLiteral("土窑洞、土坯房、毛石房屋"));
    QCOMPARE(combo->itemText(11), QStringLiteral("新浇大体积混凝土(C20)7d～28d"));
    QCOMPARE(Text(kRange), QString());
    const QStringList presets = {"120", "25", "250", "2.0", "9.73", "25", "120", "9.73"};
    for (int i = 0; i < kInputs.size(); ++i) QCOMPARE(Text(kInputs[i]), presets[i]);
    QCOMPARE(m_window->Caption("标签2"), kPreset);
    QCOMPARE(m_window->Caption("标签52"), QStringLiteral("影响的建筑物类别"));
    QCOMPARE(m_window->Caption("标签49"),
             QStringLiteral("坚硬岩石50~150；中硬岩石150~250；软岩石250~350；"));
    const test::Opened opened = test::ClickReference(m_window->Button("按钮1"));
    QCOMPARE(opened.caption, QStringLiteral("爆破振动安全允许标准"));
    QVERIFY(!opened.modal);
    for (QAction *action : m_window->menuBar()->actions().first()->menu()->actions())
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
}

// Every label under its unit name, with its caption.
void TestVibrationWindow::labels_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("caption");
    const QString distance = QStringLiteral("自爆源到被保护建筑或构筑物的距离R（m）");
    const QString shelter = QStringLiteral(
        "空气冲击波对掩体内避炮人员的安全允许距离Rk（m）（露天地表爆破，一次药量不超过25kg）");
    const QString charge = QStringLiteral("单次起爆炸药总重量Qmax（kg）");
    const QString note = QStringLiteral("齐发爆破按总装药量计算\n分段爆破按最大一段药量计算");
    const QString allowed = QStringLiteral("本项目安全允许质点振动速度实际取值Vkp(cm/s)");
    const QList<std::pair<const char *, QString>> rows = {
        {"标签52", "影响的建筑物类别"},
        {"标签54", "规定安全允许质点振动速度范围Vkp(cm/s)"},
        {"标签48", "与岩石性质、地势高低、爆破方法和爆破条件有关的系数K(cm/s)"},
        {"标签49", "坚硬岩石50~150；中硬岩石150~250；软岩石250~350；"},
        {"标签50", "爆破地振波随距离衰减指数α"},
        {"标签51", "坚硬岩石1.3~1.5；中硬岩石1.5~1.8；软岩石1.8~2.0"},
        {"标签45", charge},
        {"标签46", note},
        {"标签47", distance},
        {"标签53", "计算建筑物质点垂直振动速度V'[cm/s]"},
        {"标签1", "计算结果评价（cm/s）"},
        {"标签4", allowed},
        {"标签3", distance},
        {"标签7", "计算单次爆破最大用药量Qmax（kg）"},
        {"标签14", shelter},
        {"标签8", allowed},
        {"标签13", charge},
        {"标签12", note},
        {"标签9", distance},
        {"标签6", shelter},
    };
    for (const auto &[id, caption] : rows) QTest::newRow(id) << QString(id) << caption;
}

void TestVibrationWindow::labels() {
    QFETCH(QString, id);
    QLabel *label = m_window->findChild<QLabel *>(id);
    QVERIFY2(label, qPrintable(id));
    QTEST(label->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")), "caption");
}

void TestVibrationWindow::verdict_data() {
    QTest::addColumn<QStringList>("values");  // Q, R, K, α
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QString>("log");
    const auto colour = [](Rgb c) { return QColor(c.r, c.g, c.b); };
    const QColor passText = colour(kPassText), passBack = colour(kPassBack),
                 failText = colour(kFailText), failBack = colour(kFailBack);
    const QString pass = QStringLiteral("计算爆破振速成功，分析评价合格！\r\n");
    const QString fail = QStringLiteral("计算爆破振速成功，分析评价不合格！\r\n");
    const QStringList presets = {"120", "25", "250", "2.0"};
    QTest::newRow("traffic tunnel")
        << presets << 6 << "9.73" << kPasses << passText << passBack << pass;
    QTest::newRow("dwelling") << presets << 1 << "9.73" << kFails << failText << failBack << fail;
    QTest::newRow("exactly the limit") << QStringList{"1000", "100", "25", "1"} << 1 << "2.5"
                                       << kPasses << passText << passBack << pass;
    QTest::newRow("negative K") << QStringList{"120", "25", "-250", "2.0"} << 6 << "-9.73"
                                << kPasses << passText << passBack
                                << pass + "参数输入超过上限，请重新输入！\r\n";
}

void TestVibrationWindow::verdict() {
    QFETCH(QStringList, values);
    QFETCH(int, category);
    for (int i = 0; i < 4; ++i) Type(kInputs[i], values[i]);
    QCOMPARE(m_window->Caption("标签2"), kChangeNotice);
    Pick(category);
    Click("按钮1_计算");
    QTEST(Text(kVelocity), "v");
    QTEST(Text(kEvaluation), "verdict");
    QTEST(Evaluation()->palette().color(QPalette::Text), "text");
    QTEST(Evaluation()->palette().color(QPalette::Base), "back");
    QFETCH(QString, log);
    // The checks follow the verdict as warning lines (their texts are the
    // core test's).
    QString checks;
    for (const QString &check : VelocityChecks(*m_window))
        checks += QStringLiteral("校核：") + check + QStringLiteral("\r\n");
    QCOMPARE(m_window->LogText(), kStartLine + log + checks);
    QCOMPARE(m_window->Caption("标签2"), QString());
}

// A file saved with no category reopens with none; the next calculation
// must not leave the earlier verdict beside the new velocity.
void TestVibrationWindow::noCategoryEmptiesStaleVerdict() {
    const QString path = DataFile("none.tac");
    m_dialogs->files.enqueue(path);
    Click("按钮2_保存数据1");
    QCOMPARE(IniFile::Load(path).Read("2.1", "1"), QStringLiteral("-1"));

    Pick(1);
    Click("按钮1_计算");
    QCOMPARE(Text(kEvaluation), kFails);
    m_dialogs->files.enqueue(path);
    Click("按钮4_打开数据1");
    QCOMPARE(m_window->Categories()->currentIndex(), -1);
    Type("编辑框5_距离R", "50");
    m_window->SetLogText(QString());
    Click("按钮1_计算");
    QCOMPARE(Text(kVelocity), QStringLiteral("2.43"));
    QCOMPARE(Text(kEvaluation), QString());
    QCOMPARE(Evaluation()->palette().color(QPalette::Text), Colour(kEvaluationText));
    QCOMPARE(Evaluation()->palette().color(QPalette::Base), Colour(kEvaluationBack));
    QCOMPARE(m_window->LogText(), QString());

    ShowTab(0);
    m_dialogs->answers.enqueue(kAnswerYes);
    Click("按钮1_生成计算书");
    QFile report(m_folder->filePath("导出的方案/爆破影响评价计算书.docx"));
    QVERIFY(report.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(report.readAll()));
    QVERIFY(document.MainText().contains(QStringLiteral("比较得到以下结果：\n\n")));
    QVERIFY(!document.MainText().contains(QStringLiteral("不符合要求")));
}

void TestVibrationWindow::missingInput_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QString>("cleared");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("message");
    const QString velocity = QStringLiteral("请输入爆破参数！\r\n");
    const QString incomplete = QStringLiteral("参数输入不完整，请查证！\r\n");
    for (const char *id :
         {"编辑框5_炸药总量", "编辑框5_系数K", "编辑框5_距离R", "编辑框5_衰减系数"})
        QTest::newRow(id) << 0 << id << kVelocity << kEvaluation << velocity;
    for (const char *id : {"编辑框5_衰减系数", "编辑框5_系数K", "编辑框2距离R",
                           "编辑框2本项目安全允许质点振动速度实际取值"})
        QTest::newRow(id) << 1 << id << "编辑框5计算一次爆破最大用药量"
                          << "编辑框2避让距离" << incomplete;
    for (const char *id : {"编辑框5_衰减系数", "编辑框5_系数K", "编辑框3单次起爆炸药总重量",
                           "编辑框3本项目安全允许质点振动速度实际取值"})
        QTest::newRow(id) << 2 << id << "编辑框5自爆源到被保护建筑或构筑物的距离R"
                          << "编辑框3避让距离" << incomplete;
}

void TestVibrationWindow::missingInput() {
    QFETCH(int, tab);
    QFETCH(QString, emptied);
    QFETCH(QString, cleared);
    QFETCH(QString, kept);
    Pick(1);
    if (tab != 0) ShowTab(tab);
    Click("按钮1_计算");
    const QString before = Text(kept);
    QVERIFY(!Text(cleared).isEmpty() && !before.isEmpty());
    Edit(emptied)->setFocus();
    Edit(emptied)->selectAll();
    QTest::keyClick(Edit(emptied), Qt::Key_Delete);
    m_window->SetLogText(QString());
    Click("按钮1_计算");
    QCOMPARE(Text(cleared), QString());
    QCOMPARE(Text(kept), before);
    QTEST(m_window->LogText(), "message");
    if (tab == 0)
        QCOMPARE(Evaluation()->palette().color(QPalette::Base),
                 QColor(kFailBack.r, kFailBack.g, kFailBack.b));
}

void TestVibrationWindow::switchingTabs_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("value");
    QTest::newRow("max charge") << 1 << "\r\n已选取计算最大单次爆破用药量模式\r\n"
                                << "编辑框5计算一次爆破最大用药量|编辑框2避让距离"
                                << "119.97|123.3";
    QTest::newRow("safe distance") << 2 << "\r\n已选取计算爆破安全距离量模式\r\n"
                                   << "编辑框5自爆源到被保护建筑或构筑物的距离R|编辑框3避让距离"
                                   << "25|123.31";
}

void TestVibrationWindow::switchingTabs() {
    QFETCH(int, tab);
    QFETCH(QString, line);
    QFETCH(QString, result);
    QFETCH(QString, value);
    Pick(6);
    Click("按钮1_计算");
    ShowTab(tab);
    QCOMPARE(m_window->LogText(), line);
    Click("按钮1_计算");
    const QStringList ids = result.split('|');
    QCOMPARE(Text(ids[0]) + '|' + Text(ids[1]), value);
    // Back on tab 0 only its mode line shows; every tab keeps its results.
    ShowTab(0);
    QCOMPARE(m_window->LogText(), QStringLiteral("\r\n已选取计算爆破振速影响模式\r\n"));
    QCOMPARE(Text(kVelocity), QStringLiteral("9.73"));
    QCOMPARE(Text(kEvaluation), kPasses);
    QCOMPARE(Text(ids[0]) + '|' + Text(ids[1]), value);
}

void TestVibrationWindow::changeNotice_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("watched");
    for (int i = 0; i < kInputs.size(); ++i)
        QTest::newRow(qPrintable(kInputs[i])) << kInputs[i] << (i < 4);
    QTest::newRow("range") << kRange << false;
}

void TestVibrationWindow::changeNotice() {
    QFETCH(QString, field);
    QFETCH(bool, watched);
    Type(field, "7");
    QCOMPARE(m_window->Caption("标签2"), watched ? kChangeNotice : kPreset);
}

void TestVibrationWindow::pickingCategoryWritesRange() {
    const auto categories = BuildingCategories();
    for (int i = int(categories.size()) - 1; i >= 0; --i) {
        Pick(i);
        QCOMPARE(Text(kRange), U(categories[i].In(kDefaultBand).range));
    }
    // Picking evaluates nothing.
    QCOMPARE(Text(kEvaluation), QString());
    QCOMPARE(Text(kVelocity), QString());
    QCOMPARE(m_window->LogText(), kStartLine);
}

void TestVibrationWindow::pickingBandWritesRange() {
    QComboBox *bands = m_window->Bands();
    QCOMPARE(bands->currentIndex(), int(kDefaultBand));
    QVERIFY(m_window->findChild<QLabel *>(kBandHintId)->text().startsWith(U("主振频率按实测波形确定")));
    Pick(6);
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_End);
    QCOMPARE(Text(kRange), U(BuildingCategories()[6].In(FrequencyBand::Above50Hz).range));
}

void TestVibrationWindow::saveAndOpenRoundTrip() {
    const QStringList values = {"150", "30", "200", "1.6", "5.5", "40", "90.5", "  8 "};
    for (int i = 0; i < kInputs.size(); ++i) Type(kInputs[i], values[i]);
    Pick(8);
    const QString path = DataFile("round.tac");
    m_dialogs->files.enqueue(path);
    Click("按钮2_保存数据1");
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{"保存成功！"});
    QVERIFY(m_window->LogText().endsWith(QStringLiteral("数据储存成功！\r\n")));
    const FileRequest save = m_dialogs->requests.last();
    QVERIFY(save.save);
    QCOMPARE(save.initialFolder, m_folder->filePath("Data"));
    QCOMPARE(save.filter, QStringLiteral("（*.tac）|*.tac"));
    QCOMPARE(save.defaultExtension, QStringLiteral(".tac"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(FromGbk(file.readAll()),
             QStringLiteral("[2.1]\r\n1=8\r\n2=150\r\n3=30\r\n4=200\r\n5=1.6\r\n6=≤8～12cm/s\r\n"
                            "7=1\r\n[2.2]\r\n1=5.5\r\n2=40\r\n[2.3]\r\n1=90.5\r\n2=  8 \r\n"));

    for (const QString &id : kInputs) Type(id, "1");
    Pick(2);
    Click("按钮1_计算");
    const QString velocity = Text(kVelocity);
    m_window->SetCaption("标签2", QString());
    m_dialogs->files.enqueue(path);
    m_window->menuBar()->actions().first()->menu()->actions().first()->trigger();
    QVERIFY(!m_dialogs->requests.last().save);
    QCOMPARE(m_dialogs->requests.last().defaultExtension, QString());
    QStringList loaded;
    for (const QString &id : kInputs) loaded << Text(id);
    QCOMPARE(loaded, (QStringList{"150", "30", "200", "1.6", "5.5", "40", "90.5", "8"}));
    QCOMPARE(m_window->Categories()->currentIndex(), 8);
    QCOMPARE(Text(kRange), QStringLiteral("≤8～12cm/s"));
    QVERIFY(m_window->LogText().endsWith(QStringLiteral("数据打开成功！\r\n")));
    QCOMPARE(m_window->Caption("标签2"), kChangeNotice);
    QCOMPARE(Text(kVelocity), velocity);  // nothing is recalculated
}

void TestVibrationWindow::storedIndex_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("above the last") << "15" << 11;
    QTest::newRow("negative") << "-3" << -1;
    QTest::newRow("none") << "-1" << -1;
    QTest::newRow("first") << "0" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("text") << "abc" << 0;
    QTest::newRow("decimal") << "3.9" << 3;
    QTest::newRow("exponent") << "1e1" << 1;
    QTest::newRow("full width") << "１０" << 10;
    QTest::newRow("plus") << "+4" << 4;
    QTest::newRow("huge") << "99999999999" << 11;
}

void TestVibrationWindow::storedIndex() {
    QFETCH(QString, stored);
    const QString path = DataFile("index.tac");
    WriteFile(path, {{"2.1", "1", stored}, {"2.1", "6", "由文件给出"}});
    Pick(2);
    m_dialogs->files.enqueue(path);
    Click("按钮4_打开数据1");
    QTEST(m_window->Categories()->currentIndex(), "index");
    // The range text comes from the file, not from the picked item.
    QCOMPARE(Text(kRange), QStringLiteral("由文件给出"));
}

void TestVibrationWindow::ventilationFile() {
    QList<std::array<QString, 3>> items;
    for (int key = 1; key <= 26; ++key)
        items.append({"2.2", QString::number(key), QString::number(key * 10)});
    const QString path = DataFile("ventilation.tac");
    WriteFile(path, items);
    m_dialogs->files.enqueue(path);
    Click("按钮4_打开数据1");
    QCOMPARE(m_window->Categories()->currentIndex(), 0);
    QCOMPARE(m_window->Categories()->currentText(), QStringLiteral("土窑洞、土坯房、毛石房屋"));
    QStringList loaded;
    for (const QString &id : kInputs) loaded << Text(id);
    QCOMPARE(loaded, (QStringList{"", "", "", "", "10", "20", "", ""}));
    QCOMPARE(Text(kRange), QString());
}

void TestVibrationWindow::cancelledAndFailedFiles() {
    Click("按钮2_保存数据1");
    m_window->menuBar()->actions().first()->menu()->actions().first()->trigger();
    QCOMPARE(m_dialogs->requests.size(), 2);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(QDir(m_folder->filePath("Data")).entryList(QDir::Files), QStringList());
    QCOMPARE(m_window->LogText(), kStartLine);
    QCOMPARE(Text("编辑框5_炸药总量"), QStringLiteral("120"));

    // A folder cannot be written as a file: that is reported, not success.
    m_dialogs->files.enqueue(m_folder->filePath("Data"));
    Click("按钮2_保存数据1");
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages.first().text.startsWith(QStringLiteral("保存失败！")));
    QCOMPARE(m_window->LogText(), kStartLine);
}

// The export does not calculate: what tab 0 shows, empty or not, goes in.
void TestVibrationWindow::exportBeforeCalculating() {
    Pick(6);
    m_dialogs->answers.enqueue(kAnswerYes);
    Click("按钮1_生成计算书");
    QFile report(m_folder->filePath("导出的方案/爆破影响评价计算书.docx"));
    QVERIFY(report.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(report.readAll()));
    const QString text = document.MainText();
    QVERIFY(text.contains(QStringLiteral("允许振速范围 12～15 cm/s，")));
    QVERIFY(text.contains(QStringLiteral("本工程计算结果V’=(cm/s)")));
    QVERIFY(text.contains(QStringLiteral("比较得到以下结果：\n\n")));
    QCOMPARE(Text(kVelocity), QString());
}

void TestVibrationWindow::exportedReportInOffice() {
    QVERIFY2(test::OfficeAvailable(), "LibreOffice and pdftotext are needed");
    Type("编辑框5_炸药总量", "96");
    Type("编辑框5_系数K", "180");
    Type("编辑框5_衰减系数", "1.7");
    Type("编辑框5_距离R", "32");
    Pick(1);
    Click("按钮1_计算");
    QCOMPARE(Text(kVelocity), QStringLiteral("6.6"));
    m_window->SetLogText(QString());
    Click("按钮1_生成计算书");
    QCOMPARE(m_dialogs->MessageTexts(),
             (QStringList{"确定开始导出，中途请勿进行其他操作！",
                          "自动生成计算书成功！\r\n文件：" +
                              QDir::toNativeSeparators(tunnel::test::LatestReport(
                                  m_folder->filePath("导出的方案"), "爆破影响评价计算书.docx"))}));
    QCOMPARE(m_window->Caption("标签2"), QStringLiteral("下载完成  "));
    QCOMPARE(m_window->ProgressBar()->value(), 0);
    QCOMPARE(m_window->LogText(),
             QStringLiteral("方案导出准备，开始数据写入！\r\n数据写入完毕，开始导出计算书！\r\n"
                            "计算书导出完毕！ \r\n"));

    QString error;
    QString text =
        test::OfficeText(m_folder->filePath("导出的方案/爆破影响评价计算书.docx"), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    text.remove(QRegularExpression("\\s"));
    for (const char *placeholder :
         {"Q炸药量", "K系数", "α衰减指数", "R距离", "安全质点振速v", "规范临界值V", "评价结果Z"})
        QVERIFY2(!text.contains(U(placeholder), Qt::CaseInsensitive), placeholder);
    for (const char *filled : {"Q=96；K=180；α=1.7；R=32", "V’=180×(∛96/32)", "=6.6(cm/s)",
                               "允许振速范围2.0～2.5cm/s，", "本工程计算结果V’=6.6(cm/s)"})
        QVERIFY2(text.contains(U(filled)), filled);
    QVERIFY(text.contains(kFails));
    QVERIFY(text.contains(QStringLiteral("爆破影响方案")));
    QVERIFY(text.contains(QStringLiteral("GB6722-2014")));
}

QTEST_MAIN(TestVibrationWindow)
#include "test_vibration_window.moc"
