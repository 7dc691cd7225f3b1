// The calculation window's wiring: opened files and the export guard, Enter
// in a field, the marks on inputs that do not read as numbers.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/window_catalog.h"
#include "core/conversions.h"
#include "core/ini_file.h"
#include "core/module_entry.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "support/memory_form.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

const QString kQuestion = QStringLiteral("计算结果为空或参数已修改，请先计算。仍要导出吗？");

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

struct Opened {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<QWidget> widget;
    CalcWindow *window = nullptr;

    explicit Opened(const char *module) {
        widget.reset(CreateShellWindow(module, {dialogs, dir.path()}));
        QDir().mkpath(dir.filePath(S("Data")));
        window = qobject_cast<CalcWindow *>(widget.get());
        if (window) window->show();
    }
    QLineEdit *Edit(const char *id) const { return qobject_cast<QLineEdit *>(window->Unit(S(id))); }
    void Type(const char *id, const QString &text) const {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
};

// The first input the report prints whose group's results the file does not
// hold, so that a change of it cannot come with its results.
const ParamKey *ChangeableKey(const WindowTable &table, const ReportTable &report) {
    for (const ParamKey &key : table.params) {
        const FieldRow *field = FindField(table, key.field);
        if (key.stored != Stored::Text || !field || field->kind != FieldKind::Input) continue;
        bool printed = false;
        for (const ReportFill &fill : Fills(report))
            printed = printed || (fill.field && qstrcmp(fill.field, key.field) == 0 &&
                                  fill.printed == Printed::Input);
        bool allStored = true;
        bool anyResult = false;
        for (const FieldRow &other : table.fields) {
            if (other.group != field->group || other.kind == FieldKind::Input) continue;
            anyResult = true;
            bool stored = false;
            for (const ParamKey &k : table.params)
                stored = stored || qstrcmp(k.field, other.id) == 0;
            allStored = allStored && stored;
        }
        if (printed && !(anyResult && allStored)) return &key;
    }
    return nullptr;
}

}  // namespace

class TestCalcWindow : public QObject {
    Q_OBJECT
private slots:
    void openedFileMakesTheExportAsk();
    void openedFileMakesEveryReportStale_data();
    void openedFileMakesEveryReportStale();
    void enterRunsTheGroupsCalculation();
    void unreadableNumbersMarked();
};

// Calculated with 60 persons, then a file with 100 opened: the old results
// would print 100 persons beside the air they need for 60.
void TestCalcWindow::openedFileMakesTheExportAsk() {
    const ModuleEntry *entry = FindModule("ventilation");
    if (!entry) QSKIP("this build has no ventilation module");
    Opened w("ventilation");
    QVERIFY(w.window);
    QTest::mouseClick(w.window->Button("按钮3"), Qt::LeftButton);
    const QString air = w.window->Text(S("编辑框5_通风总风压"));
    QVERIFY(!air.isEmpty());

    const QString file = w.dir.filePath(S("Data/100人.tac"));
    test::MemoryForm saver(w.dir.path(), &entry->table());
    saver.Type(S("编辑框1_隧道最大作业人数"), S("100"));
    saver.scripted.files.enqueue(file);
    QVERIFY(SaveParameters(saver, entry->table()));

    w.dialogs.files.enqueue(file);
    QTest::mouseClick(w.window->Button("按钮4_打开数据"), Qt::LeftButton);
    QCOMPARE(w.window->Text(S("编辑框1_隧道最大作业人数")), S("100"));
    QCOMPARE(w.window->Text(S("编辑框5_通风总风压")), air);  // the old results stay
    w.dialogs.messages.clear();
    QTest::mouseClick(w.window->Button("按钮4"), Qt::LeftButton);  // 否 is the default answer
    QCOMPARE(w.dialogs.MessageTexts(), QStringList{kQuestion});
    QVERIFY(QDir(ExportFolder(*w.window)).isEmpty());
}

void TestCalcWindow::openedFileMakesEveryReportStale_data() {
    QTest::addColumn<QByteArray>("module");
    for (const ModuleEntry *entry : BuiltModules())
        if (!entry->reports.empty() && !entry->table().params.empty())
            QTest::newRow(entry->id) << QByteArray(entry->id);
}

void TestCalcWindow::openedFileMakesEveryReportStale() {
    QFETCH(QByteArray, module);
    const ModuleEntry *entry = FindModule(module.toStdString());
    const WindowTable &table = entry->table();
    const ReportTable &report = entry->Report(entry->reports[0]);
    const ParamKey *key = ChangeableKey(table, report);
    if (!key) QSKIP("the report prints no input a file could change alone");
    Opened w(module.constData());
    QVERIFY(w.window);
    entry->reports[0].calculate(*w.window);
    QVERIFY(!ReportIsStale(*w.window, report));

    const QString path = w.dir.filePath(S("Data/a.tac"));
    w.dialogs.files.enqueue(path);
    QVERIFY(SaveParameters(*w.window, table));
    IniFile ini = IniFile::Load(path);
    const double value = ToNumber(ini.Read(key->section, key->key));
    ini.Write(key->section, key->key, ToText(value + 1));
    QCOMPARE(ini.Save(path), QString());
    w.dialogs.files.enqueue(path);
    QVERIFY(OpenParameters(*w.window, table));
    QCOMPARE(w.window->Text(key->field), ToText(value + 1));
    QVERIFY(ReportIsStale(*w.window, report));
}

void TestCalcWindow::enterRunsTheGroupsCalculation() {
    if (!FindModule("mucking")) QSKIP("this build has no mucking module");
    Opened w("mucking");
    QVERIFY(w.window);
    // The volume group's field runs the volume's 计算, not the time's.
    QTest::keyClick(w.Edit("编辑框1循环进尺"), Qt::Key_Return);
    QVERIFY(!w.window->Text(S("编辑框1单循环爆破石渣量")).isEmpty());
    QVERIFY(w.window->Text(S("编辑框3出碴时间")).isEmpty());
    w.window->SetText(S("编辑框3单循环爆破后石碴量"), S("300"));
    w.window->SetText(S("编辑框3装载设备铲斗容量"), S("1.2"));
    w.window->SetText(S("编辑框3装载机装一斗用时"), S("22"));
    QTest::keyClick(w.Edit("编辑框3装载机装一斗用时"), Qt::Key_Enter);
    QVERIFY2(!w.window->Text(S("编辑框3出碴时间")).isEmpty(), qPrintable(w.window->LogText()));
}

void TestCalcWindow::unreadableNumbersMarked() {
    if (!FindModule("ventilation")) QSKIP("this build has no ventilation module");
    Opened w("ventilation");
    QVERIFY(w.window);
    w.Type("编辑框1_隧道开挖面积", S("100m"));
    w.Type("编辑框1_隧道通风长度", QString());
    QLineEdit *area = w.Edit("编辑框1_隧道开挖面积");
    QLineEdit *advance = w.Edit("编辑框1_隧道通风长度");
    QVERIFY(area->toolTip().isEmpty());  // only a command marks
    QTest::mouseClick(w.window->Button("按钮3"), Qt::LeftButton);
    QCOMPARE(area->toolTip(), S("不是有效数字，按0计算"));
    QVERIFY(area->styleSheet().contains(S("border")));
    QVERIFY2(advance->toolTip() == S("未填写，按0计算"), qPrintable(w.window->LogText()));
    QVERIFY(w.Edit("编辑框1_隧道最大作业人数")->toolTip().isEmpty());
    w.Type("编辑框1_隧道开挖面积", S("100"));
    QVERIFY(area->toolTip().isEmpty());
    QVERIFY(area->styleSheet().isEmpty());
    QCOMPARE(advance->toolTip(), S("未填写，按0计算"));  // until it is a number
}

QTEST_MAIN(TestCalcWindow)
#include "test_calc_window.moc"
