#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/module_entry.h"
#include "modules/mucking/core/mucking.h"
#include "support/preset_colours.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"
#include "widgets/module_window.h"
#include "widgets/text_box.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

const QString kIncomplete = QStringLiteral("您的输入的参数不完整，请重新输入！\r\n");
const QString kCreation = QStringLiteral(
    "\r\n软件调试完成，进入待命状态……\r\n计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开\r\n");

}  // namespace

class TestMuckingWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void presetsAndCreationLines();
    void threeCommandsWithPresets();
    void incompleteInputs_data();
    void incompleteInputs();
    void typingTurnsGreyBlackForGood();
    void focusHintsOnEveryArrival();
    void haulDistanceInKilometresGivesZero();
    void zeroDivisorPrintsNonFinite();
    void fileMenu();
    void exportLocksButtonAndClose();

private:
    QLineEdit *Edit(const char *id) const {
        return m_window->findChild<QLineEdit *>(QString::fromUtf8(id));
    }
    void Click(const char *id) { QTest::mouseClick(m_window->Button(id), Qt::LeftButton); }
    // Replaces a field's text as a user would: select all, then type.
    void Type(const char *id, const QString &text) {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }

    QTemporaryDir m_dir;
    ScriptedDialogs *m_dialogs = nullptr;
    CalcWindow *m_window = nullptr;
};

void TestMuckingWindow::init() {
    m_dialogs = new ScriptedDialogs;
    m_window = static_cast<CalcWindow *>(
        CreateModuleWindow(*FindModule("mucking"), WindowContext{*m_dialogs, m_dir.path()}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMuckingWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
}

void TestMuckingWindow::presetsAndCreationLines() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("隧道除渣及设备配置计算"));
    QCOMPARE(m_window->LogText(), kCreation);
    QCOMPARE(Edit("编辑框1开挖断面面积")->text(), QStringLiteral("100"));
    QCOMPARE(Edit("编辑框2运输距离")->text(), QStringLiteral("1500"));
    QCOMPARE(Edit("编辑框3出碴时间")->text(), QString());
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框1超挖系数")), kGrey128);
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框1开挖断面面积")), kBlack);
    QCOMPARE(m_window->FieldLabel("编辑框2运输距离")->text(), QStringLiteral("运输距离L"));
    QCOMPARE(m_window->UnitLabel("编辑框2运输距离")->text(), QStringLiteral("m"));
    QCOMPARE(m_window->Caption(QStringLiteral("标签1_提示信息")),
             QStringLiteral("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    QCOMPARE(m_window->Button("按钮1")->size(), QSize(24, 24));
}

void TestMuckingWindow::threeCommandsWithPresets() {
    Click("按钮1单循环爆破石渣量");
    QCOMPARE(Edit("编辑框1单循环爆破石渣量")->text(), QStringLiteral("354.2"));
    QCOMPARE(Edit("编辑框3单循环爆破后石碴量")->text(), QStringLiteral("354.2"));
    Click("按钮2出碴设备数量");
    QCOMPARE(Edit("编辑框2出碴设备数量")->text(), QStringLiteral("4.9"));
    QCOMPARE(Edit("编辑框2出碴设备配置数量")->text(), QStringLiteral("5"));
    QCOMPARE(Edit("编辑框3装载机装一斗用时")->text(), QStringLiteral("22"));
    QCOMPARE(Edit("编辑框3装载设备铲斗容量")->text(), QStringLiteral("1.2"));
    Click("按钮1单循环爆破石渣量1");
    QCOMPARE(Edit("编辑框3出碴时间")->text(), QStringLiteral("1.8"));
    QCOMPARE(m_window->LogText(),
             kCreation + QStringLiteral("计算成功！单循环爆破石渣量=354.2m3\r\n"
                                        "计算成功！出碴设备数量=4.9辆\r\n"
                                        "应配置出碴设备5辆\r\n"
                                        "计算成功！出碴时间=1.8小时\r\n"));
    QVERIFY(
        m_window->LogBox()->toPlainText().endsWith(QStringLiteral("计算成功！出碴时间=1.8小时\n")));
}

void TestMuckingWindow::incompleteInputs_data() {
    QTest::addColumn<QByteArray>("emptied");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("area") << QByteArray("编辑框1开挖断面面积")
                          << QByteArray("按钮1单循环爆破石渣量")
                          << QByteArray("编辑框1单循环爆破石渣量");
    QTest::newRow("overbreak") << QByteArray("编辑框1超挖系数")
                               << QByteArray("按钮1单循环爆破石渣量")
                               << QByteArray("编辑框1单循环爆破石渣量");
    QTest::newRow("haul distance")
        << QByteArray("编辑框2运输距离") << QByteArray("按钮2出碴设备数量")
        << QByteArray("编辑框2出碴设备数量");
    QTest::newRow("bucket") << QByteArray("编辑框2装载设备铲斗容量")
                            << QByteArray("按钮2出碴设备数量") << QByteArray("编辑框2出碴设备数量");
    QTest::newRow("group 3 volume")
        << QByteArray("编辑框3单循环爆破后石碴量") << QByteArray("按钮1单循环爆破石渣量1")
        << QByteArray("编辑框3出碴时间");
}

void TestMuckingWindow::incompleteInputs() {
    QFETCH(QByteArray, emptied);
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, result);
    // Run the chain once so every result and copy holds a text.
    Click("按钮1单循环爆破石渣量");
    Click("按钮2出碴设备数量");
    Click("按钮1单循环爆破石渣量1");
    const QString before = Edit(result)->text();
    const QString copied = Edit("编辑框3单循环爆破后石碴量")->text();
    Type(emptied, QString());
    QCOMPARE(Edit(emptied)->text(), QString());
    const QString log = m_window->LogText();
    Click(button);
    QCOMPARE(m_window->LogText(), log + kIncomplete);
    if (QByteArray(emptied) != "编辑框3单循环爆破后石碴量") {
        QCOMPARE(Edit(result)->text(), before);
        QCOMPARE(Edit("编辑框3单循环爆破后石碴量")->text(), copied);
    }
}

void TestMuckingWindow::typingTurnsGreyBlackForGood() {
    Type("编辑框1超挖系数", QStringLiteral("1.1"));  // the same value again
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框1超挖系数")), kBlack);
    Click("按钮1单循环爆破石渣量");
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框1超挖系数")), kBlack);
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框2运输设备速度")), kGrey128);
    // The window has no change notice.
    QCOMPARE(m_window->Caption(QStringLiteral("标签1_提示信息")),
             QStringLiteral("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    // Fields without a change reaction keep their colour.
    Type("编辑框1开挖断面面积", QStringLiteral("80"));
    QCOMPARE(m_window->TextColor(QStringLiteral("编辑框1开挖断面面积")), kBlack);
}

void TestMuckingWindow::focusHintsOnEveryArrival() {
    const QString hint = QStringLiteral("经验数据，无实测值时可取22秒\r\n");
    QLineEdit *field = Edit("编辑框2装载机装一斗用时");
    QLineEdit *other = Edit("编辑框2运输距离");
    const QString start = m_window->LogText();
    for (int i = 0; i < 3; ++i) {
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
    }
    QCOMPARE(m_window->LogText(), start + hint + hint + hint);
    other->setFocus();
    Edit("编辑框1超挖系数")->setFocus();
    Edit("编辑框1岩体松胀系数")->setFocus();
    Edit("编辑框2运输设备速度")->setFocus();
    QCOMPARE(m_window->LogText(),
             start + hint + hint + hint + QStringLiteral("现场实测数据，在无数据时可取值1.1\r\n") +
                 QStringLiteral("请查表，对应围岩选用可松性系数KP最初值\r\n") +
                 QStringLiteral("现场实测数据，运输设备隧道内速度≤ 10KM/h\r\n"));
}

void TestMuckingWindow::haulDistanceInKilometresGivesZero() {
    Type("编辑框2运输距离", QStringLiteral("1.5"));
    Click("按钮2出碴设备数量");
    QCOMPARE(Edit("编辑框2出碴设备数量")->text(), QStringLiteral("0"));
}

void TestMuckingWindow::zeroDivisorPrintsNonFinite() {
    Type("编辑框2运输设备速度", QStringLiteral("0"));
    Click("按钮2出碴设备数量");
    QCOMPARE(Edit("编辑框2出碴设备数量")->text(), QStringLiteral("inf"));
    Type("编辑框2装载设备铲斗容量", QStringLiteral("0"));
    Click("按钮2出碴设备数量");
    QCOMPARE(Edit("编辑框2出碴设备数量")->text(), QStringLiteral("nan"));
    QVERIFY(m_window->LogText().endsWith(QStringLiteral("计算成功！出碴设备数量=nan辆\r\n")));
}

void TestMuckingWindow::fileMenu() {
    QMenu *file = m_window->menuBar()->findChildren<QMenu *>().value(0);
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("文件"));
    const QList<QAction *> actions = file->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0]->text(), QStringLiteral("打开"));
    QCOMPARE(actions[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(actions[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(actions[2]->text(), QStringLiteral("退出"));
    QPointer<CalcWindow> window = m_window;
    QSignalSpy closing(m_window, &CalcWindow::closing);
    actions[2]->trigger();
    QCOMPARE(closing.count(), 1);
    QTRY_VERIFY(window.isNull());
    m_window = nullptr;
}

void TestMuckingWindow::exportLocksButtonAndClose() {
    // While the export runs (its last message box is still up), the export
    // button is disabled and the window refuses to close.
    bool checked = false;
    m_dialogs->onMessage = [&](const ScriptedDialogs::Shown &shown) {
        if (!shown.text.startsWith(QStringLiteral("隧道除渣设备配置计算方案导出成功！"))) return;
        QVERIFY(!m_window->Button("按钮4")->isEnabled());
        QVERIFY(!m_window->close());
        checked = true;
    };
    Click("按钮1单循环爆破石渣量");
    Click("按钮2出碴设备数量");
    Click("按钮1单循环爆破石渣量1");
    Click("按钮4");
    QVERIFY(checked);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->Button("按钮4")->isEnabled());
    QVERIFY(QFileInfo::exists(
        m_dir.filePath(QStringLiteral("导出的方案/隧道除渣设备配置计算方案.docx"))));
    QVERIFY(m_window->close());
    m_window = nullptr;
}

QTEST_MAIN(TestMuckingWindow)
#include "test_mucking_window.moc"
