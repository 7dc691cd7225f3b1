#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "app/project_info_window.h"
#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "core/project_info.h"
#include "support/office_check.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/calc_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

const QString kQuestion = QStringLiteral("计算结果为空或参数已修改，请先计算。仍要导出吗？");
const QString kConfirm = QStringLiteral("确定开始导出，中途请勿进行其他操作！");
const QString kMuckingReport = QStringLiteral("导出的方案/隧道除渣设备配置计算方案.docx");

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// A user's typing: select all, then the keys.
void Type(CalcWindow &w, const char *id, const QString &text) {
    auto *edit = qobject_cast<QLineEdit *>(w.Unit(S(id)));
    QVERIFY2(edit, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void Click(CalcWindow &w, const char *id) {
    QPushButton *button = w.Button(id);
    QVERIFY2(button, id);
    QTest::mouseClick(button, Qt::LeftButton);
}

void CalculateMucking(CalcWindow &w) {
    Click(w, "按钮1单循环爆破石渣量");
    Click(w, "按钮2出碴设备数量");
    Click(w, "按钮1单循环爆破石渣量1");
}

enum class Report {
    Mucking,
    Ventilation,
    GasVentilation,
    SmoothBlast,
    Vibration,
    Period,
    Formwork
};

struct Export {
    const char *module;
    const char *button;
    const char *file;
};

Export ExportOf(Report report) {
    switch (report) {
        case Report::Mucking:
            return {"mucking", "按钮4", "隧道除渣设备配置计算方案.docx"};
        case Report::Ventilation:
            return {"ventilation", "按钮4", "隧道通风计算方案.docx"};
        case Report::GasVentilation:
            return {"ventilation", "按钮4", "隧道通风计算方案(瓦斯).docx"};
        case Report::SmoothBlast:
            return {"smoothblast", "按钮1_爆破影响导出", "光面爆破参数及成果表.docx"};
        case Report::Vibration:
            return {"vibration", "按钮1_生成计算书", "爆破影响评价计算书.docx"};
        case Report::Period:
            return {"period", "按钮4", "隧道进尺及工期计算书.docx"};
        case Report::Formwork:
            return {"formwork", "按钮2", "模板工程及支撑体系危险性分析计算书.docx"};
    }
    return {};
}

// Fills in what the presets leave open and calculates, as a user would.
void Calculate(CalcWindow &w, Report report) {
    switch (report) {
        case Report::Mucking:
            CalculateMucking(w);
            break;
        case Report::GasVentilation:
            if (auto *box = w.findChild<QCheckBox *>(S("选择框2")))
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QVERIFY(w.Checked(S("选择框2")));
            [[fallthrough]];
        case Report::Ventilation:
            Click(w, "按钮3");
            break;
        case Report::SmoothBlast:
            Click(w, "按钮1");
            QTRY_VERIFY(!w.Text(S("编辑框10_总装药量")).isEmpty());
            break;
        case Report::Vibration:
            if (auto *combo = w.findChild<QComboBox *>(S("组合框5"))) {
                combo->setFocus();
                QTest::keyClick(combo, Qt::Key_Home);
                QTest::keyClick(combo, Qt::Key_Down);
            }
            QVERIFY(!w.Text(S("编辑框5_规范临界值")).isEmpty());
            Click(w, "按钮1_计算");
            break;
        case Report::Period: {
            const char *const rows[2][3] = {{"300", "3", "12"}, {"534", "2", "9"}};
            for (int row = 0; row < 2; ++row) {
                const QString n = QString::number(row);
                // The list is read when it drops down, as a user opens it.
                auto *grade = w.findChild<QComboBox *>(S("组合框1_围岩等级") + n);
                QVERIFY(grade);
                grade->showPopup();
                grade->hidePopup();
                grade->setCurrentIndex(row + 1);
                Type(w, ("编辑框1_各类围岩长度" + n.toStdString()).c_str(), S(rows[row][0]));
                Type(w, ("编辑框1_每循环进尺" + n.toStdString()).c_str(), S(rows[row][1]));
                Type(w, ("编辑框1_每循环用时" + n.toStdString()).c_str(), S(rows[row][2]));
            }
            Click(w, "按钮1");
            break;
        }
        case Report::Formwork:
            Click(w, "按钮6");
            break;
    }
}

}  // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void projectInfoFromFileMenu_data();
    void projectInfoFromFileMenu();
    void exportGuard_data();
    void exportGuard();
    void otherModeResultsDoNotCount();
    void reportsInOffice_data();
    void reportsInOffice();
};

void TestReports::projectInfoFromFileMenu_data() {
    QTest::addColumn<bool>("writable");
    QTest::newRow("written") << true;
    QTest::newRow("Data is a file") << false;
}

// 文件 → 工程信息: what is typed goes to Data/工程信息.ini on 确定; a failed
// write is reported and the dialog stays for 取消.
void TestReports::projectInfoFromFileMenu() {
    QFETCH(bool, writable);
    QTemporaryDir dir;
    if (!writable) QVERIFY(test::WriteFileBytes(dir.filePath(S("Data")), "x"));
    ScriptedDialogs dialogs;
    MainWindow main(dialogs, dir.path());
    QAction *item = nullptr;
    for (QAction *menu : main.menuBar()->actions())
        if (menu->text() == S("文件"))
            for (QAction *a : menu->menu()->actions())
                if (a->text() == S("工程信息")) item = a;
    QVERIFY(item);
    bool stayed = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = main.findChild<ProjectInfoWindow *>();
        QVERIFY(dialog && dialog->isModal());
        // Chinese text arrives through the input method, not as key codes.
        dialog->findChild<QLineEdit *>(S("工程信息_工程名称"))->insert(S("青山岭隧道"));
        dialog->findChild<QLineEdit *>(S("工程信息_复核"))->insert(S("王芳"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(S("工程信息_确定")), Qt::LeftButton);
        if (writable) return;
        stayed = dialog->isVisible();
        QTest::mouseClick(dialog->findChild<QPushButton *>(S("工程信息_取消")), Qt::LeftButton);
    });
    item->trigger();
    QCOMPARE(dialogs.MessageTexts().size(), writable ? 0 : 1);
    const ProjectInfo info = ReadProjectInfo(dir.path(), QDate(2000, 1, 1));
    QCOMPARE(info.name, writable ? S("青山岭隧道") : QString());
    QCOMPARE(info.checker, writable ? S("王芳") : QString());
    QCOMPARE(info.date, writable ? QDate::currentDate() : QDate(2000, 1, 1));
    if (!writable) {
        QVERIFY(stayed);
        QVERIFY(dialogs.messages[0].text.startsWith(S("保存失败！")));
    }
}

enum Step { Fresh, Calculated, Edited, Reopened };

void TestReports::exportGuard_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("written");
    QTest::newRow("empty result, 否") << int(Fresh) << kAnswerNo << true << false;
    QTest::newRow("empty result, 是") << int(Fresh) << kAnswerYes << true << true;
    QTest::newRow("changed input, 否") << int(Edited) << kAnswerNo << true << false;
    QTest::newRow("fresh calculation") << int(Calculated) << kAnswerNo << false << true;
    // The distance typed after the calculation went into the file with the
    // old results.
    QTest::newRow("opened parameter file") << int(Reopened) << kAnswerNo << true << false;
}

void TestReports::exportGuard() {
    QFETCH(int, step);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const ModuleEntry *mucking = FindModule("mucking");
    if (!mucking) QSKIP("this build has no mucking module");
    auto window = std::make_unique<CalcWindow>(mucking->table(), dialogs, dir.path());
    window->show();
    if (step != Fresh) CalculateMucking(*window);
    if (step == Edited) Type(*window, "编辑框1开挖断面面积", S("120"));
    if (step == Reopened) {
        const QString file = dir.filePath(S("Data/a.tac"));
        QVERIFY(QDir().mkpath(dir.filePath(S("Data"))));
        Type(*window, "编辑框2运输距离", S("900"));
        dialogs.files.enqueue(file);
        Click(*window, "按钮2_保存数据");
        dialogs.files.enqueue(file);
        Click(*window, "按钮4_打开数据");
    }
    dialogs.messages.clear();
    if (asked) dialogs.answers.enqueue(answer);
    Click(*window, "按钮4");

    QStringList expected;
    if (asked) expected << kQuestion;
    if (written)
        expected << kConfirm
                 << S("隧道除渣设备配置计算方案导出成功！\r\n文件：") +
                        QDir::toNativeSeparators(dir.filePath(kMuckingReport));
    QVERIFY2(dialogs.MessageTexts() == expected, qPrintable(dialogs.MessageTexts().join('|')));
    if (asked) QCOMPARE(dialogs.messages[0].buttons, Buttons::YesNo);
    QCOMPARE(QFileInfo::exists(dir.filePath(kMuckingReport)), written);
}

// The plain scheme prints no gas result: empty gas boxes ask nothing.
void TestReports::otherModeResultsDoNotCount() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    if (!FindModule("ventilation")) QSKIP("this build has no ventilation module");
    std::unique_ptr<QWidget> widget(CreateShellWindow("ventilation", {dialogs, dir.path()}));
    auto &w = *qobject_cast<CalcWindow *>(widget.get());
    w.show();
    Calculate(w, Report::Ventilation);
    QVERIFY(w.Text(S("编辑框2_按瓦斯绝对涌出量计算")).isEmpty());
    Click(w, "按钮4");
    QCOMPARE(dialogs.MessageTexts().value(0), kConfirm);
}

void TestReports::reportsInOffice_data() {
    QTest::addColumn<int>("report");
    // Texts the reviewer must find, and texts that must not stand in the report.
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    const QStringList none;
    QTest::newRow("mucking") << int(Report::Mucking) << QStringList{S("方案编制原因与目的")}
                             << QStringList{S("目地")};
    const QStringList mixedHeadings{S("⑷"), S("5）风管"), S("①"), S("1、风量")};
    QTest::newRow("ventilation") << int(Report::Ventilation)
                                 << QStringList{S("（一）风量和风压计算")}
                                 << mixedHeadings + QStringList{S("****")};
    QTest::newRow("gas ventilation")
        << int(Report::GasVentilation) << QStringList{S("（5）按瓦斯绝对涌出量计算")}
        << mixedHeadings + QStringList{S("****"), S("取0.5%")};
    QTest::newRow("smooth blasting") << int(Report::SmoothBlast) << none << none;
    QTest::newRow("vibration") << int(Report::Vibration)
                               << QStringList{S("保护对象类别为“一般民用建筑物”"),
                                              S("允许振速范围2.0～2.5cm/s"),
                                              S("（二）振动速度验算")}
                               << QStringList{S("*"), S("=≤"), S("2、计算书")};
    // The default grade list's names alone, without their typical advance.
    QTest::newRow("period") << int(Report::Period)
                            << QStringList{S("隧道进尺及工期计算书"), S("Ⅲ级"), S("Ⅳ级")}
                            << QStringList{S("进尺3.0m")};
    QTest::newRow("formwork") << int(Report::Formwork) << QStringList{S("GB50009-2012")}
                              << QStringList{S("本工程属“本工程属"), S("GB5009"), S("））")};
}

void TestReports::reportsInOffice() {
    QFETCH(int, report);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    if (!test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ProjectInfo info{S("青山岭隧道工程"), S("TJ-3标 2号斜井"), S("中铁某局集团有限公司"), S("李明"),
                     S("王芳"),           S("赵刚"),           QDate(2026, 3, 18)};
    QCOMPARE(WriteProjectInfo(dir.path(), info), QString());

    const Export exported = ExportOf(Report(report));
    if (!FindModule(exported.module)) QSKIP("this build has not the module");
    std::unique_ptr<QWidget> widget(CreateShellWindow(exported.module, {dialogs, dir.path()}));
    auto *w = qobject_cast<CalcWindow *>(widget.get());
    QVERIFY(w);
    w->show();
    Calculate(*w, Report(report));
    Click(*w, exported.button);
    QVERIFY2(!dialogs.MessageTexts().contains(kQuestion),
             qPrintable(dialogs.MessageTexts().join('|')));

    const QString path = dir.filePath(S("导出的方案/") + S(exported.file));
    test::KeepReport(path, S("window ") + QString::fromUtf8(QTest::currentDataTag()));
    QString error;
    QString text = test::OfficeText(path, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
    present << S("青山岭隧道工程") << S("TJ-3标2号斜井") << S("中铁某局集团有限公司") << S("李明")
            << S("王芳") << S("赵刚") << S("2026年3月18日") << S("签字栏");
    absent << S("工程信息_") << S("请自行") << S("请填写") << S("请对应");
    for (const QString &t : present) QVERIFY2(text.contains(t), qPrintable(t + "\n" + text));
    for (const QString &t : absent) QVERIFY2(!text.contains(t), qPrintable(t + "\n" + text));
    // Printed once: on the cover or in the title block; the ventilation
    // scheme names it again in its overview.
    const bool ventilation =
        Report(report) == Report::Ventilation || Report(report) == Report::GasVentilation;
    QCOMPARE(text.count(S("青山岭隧道工程")), ventilation ? 2 : 1);
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
