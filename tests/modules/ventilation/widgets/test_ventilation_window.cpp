#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "modules/ventilation/core/ventilation.h"
#include "modules/ventilation/widgets/ventilation_window.h"
#include "support/office_check.h"
#include "support/scripted_dialogs.h"
#include "widgets/module_window.h"
#include "widgets/text_box.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

const QString kNotice = QStringLiteral("标签1_提示信息");
const QString kChangeNotice = QStringLiteral("参数已修改，请重新计算！");
const char *const kGasFields[] = {"编辑框3_瓦斯绝对涌出量", "编辑框3_工作面允许瓦斯浓度",
                                  "编辑框3_送入风流中瓦斯浓度"};

QColor Colour(QWidget *w) {
    return w->palette().color(QPalette::Text);
}

// Rows of the exported parameter table: label and the preset text it holds.
QList<QPair<QString, QString>> ParameterRows(bool gas) {
    QList<QPair<QString, QString>> rows = {
        {"隧道开挖面积（m2）", "60"},
        {"隧道开挖进尺（m）", "2.5"},
        {"隧道最大作业人数（人）", "60"},
        {"隧道通风长度（m）", "1400"},
        {"风量备用系数", "1.15"},
        {"每人每分钟所需新鲜空气（m3/min）", "3.0"},
        {"每立方米所需药量（kg/m3）", "0.7"},
        {"允许最低风速m/s", "0.15"},
        {"爆破后通风排烟时间（min）", "30"},
        {"炮烟扩散长度（m）", "100"},
        {"选定风筒直径（m）", "1.8"},
        {"挖机单机功率（kW）", "220"},
        {"装载机单机功率（kW）", "150"},
        {"自卸车装机功率（kW）", "206"},
        {"其它设备功率（kW）", "0"},
        {"挖机数量（辆）", "1"},
        {"装载机数量（辆）", "1"},
        {"自卸车重载数（辆）", "2"},
        {"自卸空载数（辆）", "2"},
        {"其它设备数量（台）", "0"},
        {"重车负荷率", "0.8"},
        {"设备利用率", "0.9"},
        {"空车负荷率", "0.4"},
        {"内燃机械作业供风量（m3/(min·kW)）", "4.5"},
        {"风管百米漏风率", "0.015"},
    };
    if (gas) {
        rows << qMakePair(QString("瓦斯绝对涌出量(m3/min)"), QString("3"));
        rows << qMakePair(QString("工作面允许瓦斯浓度"), QString("0.005"));
        rows << qMakePair(QString("送入风流中瓦斯浓度"), QString("0"));
    }
    rows << qMakePair(QString("其他压力损失"), QString("0"));
    return rows;
}

}  // namespace

class TestVentilationWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openedFromCatalogue();
    void opensWithPresets();
    void calculateButton();
    void typing_data();
    void typing();
    void focusHints();
    void gasOptionCheckBox();
    void saveAndOpenButtons();
    void fileMenu();
    void exportSchemes_data();
    void exportSchemes();

private:
    QLineEdit *Edit(const char *id) const { return m_window->findChild<QLineEdit *>(U(id)); }
    QWidget *Unit(const char *id) const { return m_window->Unit(U(id)); }
    QString Text(const char *id) const { return Edit(id)->text(); }
    QString NoticeText() const { return m_window->Caption(kNotice); }
    void Click(const char *id) { QTest::mouseClick(m_window->Button(id), Qt::LeftButton); }
    void ClickGasOption() {
        auto *box = m_window->findChild<QCheckBox *>(U(kGasOptionId));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // Replaces a field's text as a user would: select all, then type.
    void Type(const char *id, const QString &text) {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Replaces a field's text the way an input method commits it.
    void TypeByInputMethod(const char *id, const QString &text) {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }

    QTemporaryDir *m_dir = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    VentilationWindow *m_window = nullptr;
};

void TestVentilationWindow::init() {
    m_dir = new QTemporaryDir;
    QDir(m_dir->path()).mkdir(QStringLiteral("Data"));
    m_dialogs = new ScriptedDialogs;
    m_window = static_cast<VentilationWindow *>(
        CreateModuleWindow(*FindModule("ventilation"), WindowContext{*m_dialogs, m_dir->path()}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestVentilationWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
    delete m_dir;
}

void TestVentilationWindow::openedFromCatalogue() {
    QVERIFY((FindShellWindow("ventilation") != nullptr));
    QVERIFY(!FindShellWindow("ventilation")->modal);
    std::unique_ptr<QWidget> window(
        CreateShellWindow("ventilation", WindowContext{*m_dialogs, m_dir->path()}));
    QVERIFY(qobject_cast<VentilationWindow *>(window.get()));
    QCOMPARE(window->windowTitle(), U("隧道压入式通风计算"));
}

void TestVentilationWindow::opensWithPresets() {
    QCOMPARE(m_window->windowTitle(), U("隧道压入式通风计算"));
    QCOMPARE(m_window->LogText(), QString());
    QCOMPARE(NoticeText(), U("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    QCOMPARE(Text("编辑框1_隧道开挖面积"), QStringLiteral("60"));
    QCOMPARE(Text("编辑框1_每人每分钟所需新鲜空气"), QStringLiteral("3.0"));
    QCOMPARE(Text("编辑框4_风管百米漏风率"), QStringLiteral("0.015"));
    QCOMPARE(Text("编辑框5_其他压力损失"), QStringLiteral("0"));
    QCOMPARE(Text("编辑框2_总体选取"), QString());
    QCOMPARE(Colour(Edit("编辑框1_隧道开挖面积")), QColor(Qt::black));
    QCOMPARE(Colour(Edit("编辑框1_风量备用系数")), QColor(192, 192, 192));
    QCOMPARE(Colour(Edit("编辑框3_其它设备数量")), QColor(192, 192, 192));
    QCOMPARE(Colour(Edit("编辑框5_其他压力损失")), QColor(128, 128, 128));
    for (const char *id : kGasFields) {
        QCOMPARE(Text(id), U("不考虑"));
        QCOMPARE(Colour(Edit(id)), QColor(128, 128, 128));
        QVERIFY(!Edit(id)->isEnabled());
    }
    QVERIFY(!m_window->Checked(U(kGasOptionId)));
    QCOMPARE(m_window->Caption(U(kGasOptionId)), U("隧道内含瓦斯（按瓦斯绝对涌出计算）"));
    QCOMPARE(m_window->Caption(U("标签37")), U("①~④取最大需风量Q需"));
    QCOMPARE(m_window->Caption(U("标签52")), U("⑤按瓦斯绝对涌出量计算Q5  (m3/min)"));
    QVERIFY(Unit("标签54")->isVisible());
    QVERIFY(!Unit("编辑框2_按瓦斯绝对涌出量计算")->isVisible());
    QCOMPARE(m_window->Button("按钮3")->text(), U("通风总风压计算"));
    QCOMPARE(m_window->Button("按钮4")->text(), U("制作通风方案"));
    QCOMPARE(m_window->Button("按钮4_打开数据")->text(), U("打开数据"));
    QCOMPARE(m_window->Button("按钮2_保存数据")->text(), U("保存数据"));
    // Everything fits on a common site laptop screen.
    QVERIFY2(m_window->sizeHint().width() <= 1366 && m_window->sizeHint().height() <= 768,
             qPrintable(QStringLiteral("%1x%2")
                            .arg(m_window->sizeHint().width())
                            .arg(m_window->sizeHint().height())));
}

void TestVentilationWindow::calculateButton() {
    Click("按钮3");
    QCOMPARE(m_dialogs->pauses, (QList<int>{300, 300, 300}));
    const QList<QPair<const char *, const char *>> results = {
        {"编辑框3_功率合计", "711.36"},
        {"编辑框2_按人", "207"},
        {"编辑框2_按风速", "540"},
        {"编辑框2_按排除炮排烟", "405"},
        {"编辑框2_按废气", "3201.12"},
        {"编辑框2_按瓦斯绝对涌出量计算", ""},
        {"编辑框2_总体选取", "3201.12"},
        {"编辑框4_风管漏风系数", "1.236"},
        {"编辑框4_洞口风机供风量Q供", "3955.44"},
        {"编辑框4_风管截面积S", "2.54"},
        {"编辑框5_风管摩擦力", "3726"},
        {"编辑框5_局部压力损失", "447.12"},
        {"编辑框5_通风总风压", "4173.12"},
    };
    for (const auto &[id, text] : results) QCOMPARE(Text(id), U(text));
    QCOMPARE(m_window->LogText(),
             U("参数准备，开始计算\r\n计算洞内总功率完成！\r\n不考虑瓦斯隧道绝对涌出计算\r\n"
               "最大需风量Q需计算成功，取最大值！\r\n通风总风压计算成功！\r\n"));
    QCOMPARE(NoticeText(), QString());
    QCOMPARE(m_window->LogBox()->toPlainText().count(u'\n'), 5);
}

void TestVentilationWindow::typing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QColor>("before");
    QTest::addColumn<bool>("notice");
    QTest::newRow("grey 192") << "编辑框1_炮烟扩散长度" << QColor(192, 192, 192) << true;
    QTest::newRow("grey 128") << "编辑框5_其他压力损失" << QColor(128, 128, 128) << true;
    QTest::newRow("leakage") << "编辑框4_风管百米漏风率" << QColor(192, 192, 192) << true;
    QTest::newRow("black") << "编辑框3_自卸空载数" << QColor(Qt::black) << true;
    QTest::newRow("demand") << "编辑框2_总体选取" << QColor(Qt::black) << true;
    QTest::newRow("gas") << "编辑框3_瓦斯绝对涌出量" << QColor(Qt::black) << false;
    QTest::newRow("result") << "编辑框5_通风总风压" << QColor(Qt::black) << false;
}

void TestVentilationWindow::typing() {
    QFETCH(QString, field);
    QFETCH(QColor, before);
    QFETCH(bool, notice);
    ClickGasOption();  // enables the gas fields (and turns them black)
    Click("按钮3");
    QCOMPARE(NoticeText(), QString());
    QLineEdit *edit = m_window->findChild<QLineEdit *>(field);
    QCOMPARE(Colour(edit), before);
    const QString old = edit->text();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, old);  // typing the same value again is a change
    QCOMPARE(edit->text(), old);
    QCOMPARE(Colour(edit), QColor(Qt::black));
    QCOMPARE(NoticeText(), notice ? kChangeNotice : QString());
    // Results stay until the next calculation.
    QCOMPARE(Text("编辑框5_通风总风压"), QStringLiteral("4173.12"));
}

void TestVentilationWindow::focusHints() {
    const QString speed =
        U("依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1."
          "3条规定，全断面开挖时，风速不得小于"
          "0.15m/s，导洞内不得小于0.25m/s\r\n");
    const QString perKw =
        U("依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1."
          "3条规定，内燃机作业供风量不宜小于"
          "4.5m3 min/KW\r\n");
    const QString perPerson =
        U("依据《公路工程施工安全技术规范》（JTGF90－2015）》第9.9.1.3条规定，每人每分钟所需新鲜空"
          "气不小于3.0m3/min\r\n");
    QLineEdit *plain = Edit("编辑框1_隧道开挖面积");
    for (int i = 0; i < 2; ++i) {
        for (const char *id : {"编辑框1_允许最低风速", "编辑框2_内燃机械作业供风量",
                               "编辑框1_每人每分钟所需新鲜空气"}) {
            QTest::mouseClick(Edit(id), Qt::LeftButton);
            QTRY_VERIFY(Edit(id)->hasFocus());
            plain->setFocus();
            QTRY_VERIFY(plain->hasFocus());
        }
    }
    QCOMPARE(m_window->LogText(), speed + perKw + perPerson + speed + perKw + perPerson);
}

void TestVentilationWindow::gasOptionCheckBox() {
    Click("按钮3");
    ClickGasOption();
    QVERIFY(m_window->Checked(U(kGasOptionId)));
    QCOMPARE(Text("编辑框3_瓦斯绝对涌出量"), QStringLiteral("3"));
    QCOMPARE(Text("编辑框3_工作面允许瓦斯浓度"), QStringLiteral("0.005"));
    QCOMPARE(Text("编辑框3_送入风流中瓦斯浓度"), QStringLiteral("0"));
    for (const char *id : kGasFields) {
        QVERIFY(Edit(id)->isEnabled());
        QCOMPARE(Colour(Edit(id)), QColor(Qt::black));
    }
    QVERIFY(Unit("标签52")->isVisible());
    QVERIFY(Unit("编辑框2_按瓦斯绝对涌出量计算")->isVisible());
    QVERIFY(!Unit("标签54")->isVisible());
    QCOMPARE(m_window->Caption(U("标签37")), U("①~⑤取最大需风量Q需"));
    QCOMPARE(Text("编辑框2_总体选取"), QString());
    QCOMPARE(Text("编辑框5_通风总风压"), QString());
    QCOMPARE(NoticeText(), kChangeNotice);

    Type("编辑框3_瓦斯绝对涌出量", QStringLiteral("3"));
    Click("按钮3");
    QCOMPARE(Text("编辑框2_按瓦斯绝对涌出量计算"), QStringLiteral("690"));
    QCOMPARE(Text("编辑框2_总体选取"), QStringLiteral("3201.12"));
    QCOMPARE(Text("编辑框5_通风总风压"), QStringLiteral("4173.12"));

    ClickGasOption();
    QVERIFY(!m_window->Checked(U(kGasOptionId)));
    for (const char *id : kGasFields) {
        QVERIFY(!Edit(id)->isEnabled());
        QCOMPARE(Text(id), U("不考虑"));
    }
    QVERIFY(!Unit("标签52")->isVisible());
    QVERIFY(!Unit("编辑框2_按瓦斯绝对涌出量计算")->isVisible());
    QVERIFY(!Unit("标签54")->isVisible());
    QCOMPARE(m_window->Caption(U("标签37")), U("①~④取最大需风量Q需"));
    for (const char *id :
         {"编辑框2_按人", "编辑框2_按风速", "编辑框2_按排除炮排烟", "编辑框2_按废气",
          "编辑框2_按瓦斯绝对涌出量计算", "编辑框2_总体选取", "编辑框4_洞口风机供风量Q供",
          "编辑框5_风管摩擦力", "编辑框5_局部压力损失", "编辑框5_通风总风压"})
        QCOMPARE(Text(id), QString());
    QCOMPARE(Text("编辑框3_功率合计"), QStringLiteral("711.36"));
    QCOMPARE(Text("编辑框4_风管漏风系数"), QStringLiteral("1.236"));
    QCOMPARE(Text("编辑框4_风管截面积S"), QStringLiteral("2.54"));
}

void TestVentilationWindow::saveAndOpenButtons() {
    const QString path = m_dir->filePath(QStringLiteral("Data/v.tac"));
    TypeByInputMethod("编辑框1_隧道开挖面积", U("７２.５"));  // full-width digits are kept as typed
    Type("编辑框2_其它设备功率", QStringLiteral("abc"));
    m_dialogs->files.enqueue(path);
    Click("按钮2_保存数据");
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{U("保存成功！")});
    QCOMPARE(m_dialogs->requests.constFirst().initialFolder,
             m_dir->filePath(QStringLiteral("Data")));

    Type("编辑框1_隧道开挖面积", QStringLiteral("1"));
    Type("编辑框2_其它设备功率", QStringLiteral("2"));
    Edit("编辑框1_风量备用系数")->clear();
    ClickGasOption();
    m_window->SetCaption(kNotice, QString());
    m_dialogs->files.enqueue(path);
    Click("按钮4_打开数据");
    QCOMPARE(Text("编辑框1_隧道开挖面积"), U("７２.５"));
    QCOMPARE(Text("编辑框2_其它设备功率"), QStringLiteral("abc"));
    QCOMPARE(Text("编辑框1_风量备用系数"), QStringLiteral("1.15"));
    QCOMPARE(Colour(Edit("编辑框1_风量备用系数")), QColor(Qt::black));
    QCOMPARE(Colour(Edit("编辑框4_风管百米漏风率")), QColor(Qt::black));
    QCOMPARE(NoticeText(), kChangeNotice);
    // The gas option and its fields are not stored.
    QVERIFY(m_window->Checked(U(kGasOptionId)));
    QCOMPARE(Text("编辑框3_瓦斯绝对涌出量"), QStringLiteral("3"));
    QCOMPARE(m_dialogs->MessageTexts().size(), 1);

    // Full-width digits read like ASCII ones in the calculation.
    Click("按钮3");
    QCOMPARE(Text("编辑框2_按风速"), QStringLiteral("652.5"));
}

void TestVentilationWindow::fileMenu() {
    QMenu *file = m_window->menuBar()->findChildren<QMenu *>().value(0);
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("文件"));
    const QList<QAction *> actions = file->actions();
    QCOMPARE(actions.size(), 3);
    QVERIFY(actions[0]->isEnabled() && actions[1]->isEnabled());
    m_dialogs->files.enqueue(QString());
    actions[1]->trigger();
    m_dialogs->files.enqueue(QString());
    actions[0]->trigger();
    QCOMPARE(m_dialogs->requests.size(), 2);
    QVERIFY(m_dialogs->requests[0].save);
    QVERIFY(!m_dialogs->requests[1].save);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestVentilationWindow::exportSchemes_data() {
    QTest::addColumn<bool>("gas");
    QTest::newRow("plain") << false;
    QTest::newRow("gas") << true;
}

void TestVentilationWindow::exportSchemes() {
    QFETCH(bool, gas);
    if (gas) ClickGasOption();
    Click("按钮3");
    bool busyWhileShown = false;
    m_dialogs->onMessage = [&](const ScriptedDialogs::Shown &shown) {
        if (shown.text.startsWith(U("隧道通风方案导出成功！")))
            busyWhileShown = !m_window->Button("按钮4")->isEnabled();
    };
    Click("按钮4");
    QVERIFY(busyWhileShown);
    QVERIFY(m_window->Button("按钮4")->isEnabled());
    const QString output = m_dir->filePath(
        U("导出的方案/") + U(gas ? "隧道通风计算方案(瓦斯).docx" : "隧道通风计算方案.docx"));
    QCOMPARE(m_dialogs->MessageTexts(), (QStringList{U("确定开始导出，中途请勿进行其他操作！"),
                                                     U("隧道通风方案导出成功！\r\n文件：") +
                                                         QDir::toNativeSeparators(output)}));
    QCOMPARE(NoticeText(), U("已导出 100%  "));
    QCOMPARE(m_window->Progress(), 0);
    QVERIFY(m_window->LogText().endsWith(
        U("数据整理录入参数表中，开始制作方案……\r\n方案格式调整与设置……\r\n"
          "开始导出方案……\r\n方案制作完成！\r\n")));
    QVERIFY(QFileInfo::exists(output));

    if (!test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    QString error;
    const QString text = test::OfficeText(output, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QVERIFY2(!text.contains(U("编辑框")), qPrintable(text));
    // Every row of the parameter table: number, label and value on one line.
    const auto rows = ParameterRows(gas);
    for (int i = 0; i < rows.size(); ++i) {
        // The word processor may set blanks between Chinese and Latin text.
        QStringList label;
        for (const QChar c : rows[i].first) label << QRegularExpression::escape(QString(c));
        const QRegularExpression row(QStringLiteral("(^|\\s)%1\\s+%2\\s+%3(\\s|$)")
                                         .arg(i + 1)
                                         .arg(label.join(QStringLiteral("\\s*")),
                                              QRegularExpression::escape(rows[i].second)),
                                     QRegularExpression::MultilineOption);
        QVERIFY2(row.match(text).hasMatch(), qPrintable(rows[i].first));
    }
    // A number past the last row followed by a label (not the next number).
    QVERIFY2(!QRegularExpression(QStringLiteral("(^|\\s)%1\\s+[^\\s\\d]").arg(rows.size() + 1),
                                 QRegularExpression::MultilineOption)
                  .match(text.section(U("表5-1"), 1).section(U("（2）"), 0, 0))
                  .hasMatch(),
             "a row too many");
    QString compact = text;
    compact.remove(QRegularExpression(QStringLiteral("\\s")));
    QVERIFY(compact.contains(U("=60×1.15×3.0=207(m3/min)")));
    QVERIFY(compact.contains(U("=4.5×711.36=3201.12(m3/min)")));
    QVERIFY(compact.contains(U("=3726+447.12+0=4173.12(Pa)")));
    QVERIFY(compact.contains(U("最大风量为3955.44m3/min，最大风压为4173.12Pa")));
    QVERIFY(compact.contains(U("七、施工通风安全措施")));
    QVERIFY(!compact.contains(U("请自行添加！")));
    if (gas) {
        QVERIFY(compact.contains(U("=1.15×3/(0.005−0)=690(m3/min)")));
        QVERIFY(compact.contains(U("Q瓦斯）=3201.12(m3/min)")));
    } else {
        QVERIFY(!compact.contains(U("瓦斯")));
    }
}

QTEST_MAIN(TestVentilationWindow)
#include "test_ventilation_window.moc"
