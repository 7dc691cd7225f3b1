// Opening parameter files and writing reports beside earlier ones: what the
// export guard learns from a load, files of other windows, free report names.
#include <QTemporaryDir>
#include <QtTest>
#include <array>

#include "core/module_entry.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "support/memory_form.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

namespace {

constexpr std::array kGroups = {GroupRow{"甲"}, GroupRow{"乙"}};
constexpr std::array kFields = {
    FieldRow{.id = "a", .label = "a", .preset = "1", .group = 0},
    ResultField("r", "r", 0),
    FieldRow{.id = "b", .label = "b", .preset = "2", .group = 1},
    ResultField("s", "s", 1),
};
constexpr std::array kParams = {ParamKey{"9.1", "1", "a"}, ParamKey{"9.1", "2", "b"},
                                ParamKey{"9.1", "3", "r"}};
const WindowTable kTable{.title = "t", .groups = kGroups, .fields = kFields, .params = kParams};

const QString kForeign = QStringLiteral("所选文件不含本窗口的参数，未读取。");

// A module of the build whose parameter keys share none with the table's.
const ModuleEntry *OtherModule(const WindowTable &table) {
    for (const ModuleEntry *entry : BuiltModules()) {
        const WindowTable &other = entry->table();
        if (&other == &table || other.params.empty()) continue;
        bool shared = false;
        for (const ParamKey &mine : table.params)
            for (const ParamKey &theirs : other.params)
                shared = shared || (QString::fromUtf8(mine.section) == theirs.section &&
                                    QString::fromUtf8(mine.key) == theirs.key);
        if (!shared) return entry;
    }
    return nullptr;
}

}  // namespace

class TestParameterOpen : public QObject {
    Q_OBJECT
private slots:
    void loadMakesChangedInputsStale_data();
    void loadMakesChangedInputsStale();
    void fileOfAnotherWindowChangesNothing_data();
    void fileOfAnotherWindowChangesNothing();
    void freeReportPath_data();
    void freeReportPath();
    void secondExportKeepsTheFirst_data();
    void secondExportKeepsTheFirst();
};

void TestParameterOpen::loadMakesChangedInputsStale_data() {
    QTest::addColumn<QString>("typed");  // into a after the calculation
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("aEdited");
    QTest::addColumn<bool>("bEdited");
    QTest::newRow("changed input, no result")
        << "" << QByteArray("1=5\r\n2=2\r\n") << true << false;
    QTest::newRow("same inputs") << "" << QByteArray("1=1\r\n2=2\r\n") << false << false;
    QTest::newRow("its group's result restored")
        << "" << QByteArray("1=5\r\n2=2\r\n3=50\r\n") << false << false;
    QTest::newRow("another group's result restored")
        << "" << QByteArray("1=1\r\n2=7\r\n3=10\r\n") << false << true;
    QTest::newRow("typed before, the file leaves it")
        << "9" << QByteArray("1=9\r\n2=2\r\n3=10\r\n") << true << false;
}

void TestParameterOpen::loadMakesChangedInputsStale() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, file);
    QFETCH(bool, aEdited);
    QFETCH(bool, bEdited);
    QTemporaryDir dir;
    MemoryForm form(dir.path(), &kTable);
    form.SetText("r", QStringLiteral("10"));  // a result written: all consistent
    form.SetText("s", QStringLiteral("20"));
    if (!typed.isEmpty()) form.Type("a", typed);
    const QString path = dir.filePath(QStringLiteral("Data/x.tac"));
    QVERIFY(test::WriteFileBytes(path, "[9.1]\r\n" + file));
    form.scripted.files.enqueue(path);
    QVERIFY(OpenParameters(form, kTable));
    QCOMPARE(form.EditedSinceCalculation("a"), aEdited);
    QCOMPARE(form.EditedSinceCalculation("b"), bEdited);
    // A calculation afterwards makes them consistent again.
    form.SetText("r", QStringLiteral("11"));
    QVERIFY(!form.EditedSinceCalculation("a") && !form.EditedSinceCalculation("b"));
}

void TestParameterOpen::fileOfAnotherWindowChangesNothing_data() {
    QTest::addColumn<QByteArray>("module");
    for (const ModuleEntry *entry : BuiltModules())
        if (!entry->table().params.empty()) QTest::newRow(entry->id) << QByteArray(entry->id);
}

// A file another window saved holds none of this window's keys.
void TestParameterOpen::fileOfAnotherWindowChangesNothing() {
    QFETCH(QByteArray, module);
    const WindowTable &table = FindModule(module.toStdString())->table();
    const ModuleEntry *other = OtherModule(table);
    if (!other) QSKIP("no module of this build has other keys");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Data/other.tac"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Data"))));
    MemoryForm saver(dir.path(), &other->table());
    saver.scripted.files.enqueue(path);
    QVERIFY(SaveParameters(saver, other->table()));

    MemoryForm form(dir.path(), &table);
    QStringList before;
    for (const ParamKey &key : table.params) {
        if (key.stored == Stored::Text) form.Type(key.field, QStringLiteral("7"));
        before << form.Text(key.field);
    }
    const QString log = form.LogText();
    form.scripted.files.enqueue(path);
    QVERIFY(!OpenParameters(form, table));
    QCOMPARE(form.scripted.MessageTexts(), QStringList{kForeign});
    QStringList after;
    for (const ParamKey &key : table.params) after << form.Text(key.field);
    QCOMPARE(after, before);
    QCOMPARE(form.LogText(), log);
}

void TestParameterOpen::freeReportPath_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const QString plain = QStringLiteral("方案.docx");
    QTest::newRow("free") << QStringList() << plain << plain;
    QTest::newRow("taken") << QStringList{plain} << plain << QStringLiteral("方案(2).docx");
    QTest::newRow("two taken") << QStringList{plain, QStringLiteral("方案(2).docx")} << plain
                               << QStringLiteral("方案(3).docx");
    QTest::newRow("gap is filled") << QStringList{plain, QStringLiteral("方案(3).docx")} << plain
                                   << QStringLiteral("方案(2).docx");
    QTest::newRow("name with brackets")
        << QStringList{QStringLiteral("方案(瓦斯).docx")} << QStringLiteral("方案(瓦斯).docx")
        << QStringLiteral("方案(瓦斯)(2).docx");
}

void TestParameterOpen::freeReportPath() {
    QFETCH(QStringList, present);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString &file : present) QVERIFY(test::WriteFileBytes(dir.filePath(file), "x"));
    QCOMPARE(FreeReportPath(dir.path(), name), dir.filePath(expected));
}

void TestParameterOpen::secondExportKeepsTheFirst_data() {
    QTest::addColumn<QByteArray>("module");
    QTest::addColumn<int>("index");
    for (const ModuleEntry *entry : BuiltModules())
        for (int i = 0; i < int(entry->reports.size()); ++i)
            QTest::newRow(entry->reports[i].name) << QByteArray(entry->id) << i;
}

// The engineer edits the first report in Word; the next export goes beside it.
void TestParameterOpen::secondExportKeepsTheFirst() {
    QFETCH(QByteArray, module);
    QFETCH(int, index);
    const ModuleEntry *entry = FindModule(module.toStdString());
    const ReportCase &report = entry->reports[index];
    const QString name = QString::fromUtf8(entry->Report(report).outputName);
    QVERIFY(name.endsWith(QStringLiteral(".docx")) && !name.contains(QStringLiteral("new")));
    QTemporaryDir dir;
    MemoryForm form(dir.path(), &entry->table());
    report.calculate(form);
    const QString folder = ExportFolder(form);
    const QString first = folder + QLatin1Char('/') + name;
    const QString second = folder + QLatin1Char('/') + name.chopped(5) + QStringLiteral("(2).docx");

    form.scripted.answers.clear();
    entry->Export(report, form);
    QVERIFY(QFileInfo::exists(first));
    const QByteArray edited = test::ReadFileBytes(first) + "edited in Word";
    QVERIFY(test::WriteFileBytes(first, edited));
    form.scripted.messages.clear();
    form.scripted.folderOpens = false;
    entry->Export(report, form);
    QCOMPARE(test::ReadFileBytes(first), edited);
    QVERIFY(QFileInfo::exists(second));
    // The completion names the new file, and so does the folder that did not open.
    const QString shown = QDir::toNativeSeparators(second);
    const QStringList texts = form.scripted.MessageTexts();
    QVERIFY2(std::any_of(texts.cbegin(), texts.cend(),
                         [&](const QString &text) {
                             return text.endsWith(QStringLiteral("\r\n文件：") + shown);
                         }),
             qPrintable(texts.join(u'|')));
    QCOMPARE(texts.constLast(), QStringLiteral("无法打开文件夹，计算书保存在：\r\n") + shown);
}

QTEST_GUILESS_MAIN(TestParameterOpen)
#include "test_parameter_open.moc"
