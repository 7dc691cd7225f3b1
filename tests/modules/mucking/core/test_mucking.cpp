
#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

#include "core/conversions.h"
#include "core/docx_document.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/mucking/core/mucking.h"
#include "modules/mucking/core/mucking_formulas.h"
#include "support/memory_form.h"
#include "support/office_check.h"
#include "support/package_times.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

void RunChain(MemoryForm &form) {
    MuckVolume(form);
    TruckCount(form);
    MuckingTime(form);
}

const char *const kNotices[] = {
    "参数导出准备中，请稍候……",     "参数写入与处理，导出倒计时8", "参数写入与处理，导出倒计时7",
    "参数写入与处理，导出倒计时6",  "参数写入与处理，导出倒计时5", "参数写入与处理，导出倒计时4",
    "参数写入与处理，导出倒计时3",  "参数写入与处理，导出倒计时2", "参数写入与处理，导出倒计时1",
    "数据整理写入，方案即将导出！",
};

}  // namespace

class TestMucking : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void commandsWithPresets();
    void noWholeTruckCountForNonFinite();
    void exportStampsEntriesWithItsTime();
    void saveWithPresetsOnly();
    void saveAfterCommands();
    void openLoadsAndTurnsBlack();
    void emptyFileChangesNothing();
    void cancelWritesNothing();
    void sharedFileKeepsOtherSections();
    void readOnlyFileIsNotReportedAsSaved();
    void exportCancelWritesNothing();
    void exportFillsTemplate();
    void exportNoticesAndAnimation();
    void exportTwiceKeepsTheFirst();
    void exportBesideUnwritableFile();
    void exportedReportOpensInWordProcessor();

private:
    QTemporaryDir *m_dir = nullptr;
    MemoryForm *m_form = nullptr;
    QString DataFile(const char *name) const {
        return m_dir->filePath(QStringLiteral("Data/") + U(name));
    }
    QString Output() const {
        return m_dir->filePath(QStringLiteral("导出的方案/隧道除渣设备配置计算方案.docx"));
    }
};

void TestMucking::init() {
    m_dir = new QTemporaryDir;
    QDir(m_dir->path()).mkdir(QStringLiteral("Data"));
    m_form = new MemoryForm(m_dir->path(), &MuckingTable());
}

void TestMucking::cleanup() {
    delete m_form;
    delete m_dir;
}

// The numbers are the formulas' (test_mucking_formulas); here, where they go.
void TestMucking::commandsWithPresets() {
    m_form->SetLogText(QString());
    RunChain(*m_form);
    const QString volume = ToText(MuckPerRound({100, 1.15, 2.8, 1.1}));
    const QString trucks = ToText(TrucksNeeded({1500, 1.2, 12, 10, 22}));
    const QString hours = ToText(MuckingHours({ToNumber(volume), 22, 1.2}));
    const QString whole = ToText(*TrucksToProvide(ToNumber(trucks)));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1单循环爆破石渣量")), volume);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框2出碴设备数量")), trucks);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框2出碴设备配置数量")), whole);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框3出碴时间")), hours);
    // The later groups take the earlier results and inputs.
    QCOMPARE(m_form->Text(QStringLiteral("编辑框3单循环爆破后石碴量")), volume);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框3装载机装一斗用时")), QStringLiteral("22"));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框3装载设备铲斗容量")), QStringLiteral("1.2"));
    QCOMPARE(m_form->LogText(), QStringLiteral("计算成功！单循环爆破石渣量=") + volume +
                                    QStringLiteral("m3\r\n计算成功！出碴设备数量=") + trucks +
                                    QStringLiteral("辆\r\n应配置出碴设备") + whole +
                                    QStringLiteral("辆\r\n计算成功！出碴时间=") + hours +
                                    QStringLiteral("小时\r\n"));
}

// An earlier whole count goes with the count it came from.
void TestMucking::noWholeTruckCountForNonFinite() {
    TruckCount(*m_form);
    m_form->SetText(QStringLiteral("编辑框2运输设备速度"), QStringLiteral("0"));
    m_form->SetLogText(QString());
    TruckCount(*m_form);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框2出碴设备数量")), QStringLiteral("inf"));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框2出碴设备配置数量")), QString());
    QCOMPARE(m_form->LogText(), QStringLiteral("计算成功！出碴设备数量=inf辆\r\n"));
}

void TestMucking::saveWithPresetsOnly() {
    m_form->scripted.files.enqueue(DataFile("a.tac"));
    QVERIFY(SaveParameters(*m_form, MuckingTable()));
    QCOMPARE(m_form->scripted.MessageTexts(), QStringList{QStringLiteral("保存成功！")});
    const FileRequest &request = m_form->scripted.requests.constFirst();
    QVERIFY(request.save);
    QCOMPARE(request.initialFolder, m_dir->filePath(QStringLiteral("Data")));
    QCOMPARE(request.filter, QStringLiteral("（*.tac）|*.tac"));
    QCOMPARE(request.defaultExtension, QStringLiteral(".tac"));
    QCOMPARE(
        ReadFileBytes(DataFile("a.tac")),
        QByteArray(
            "[5.1]\r\n1=100\r\n2=2.8\r\n3=1.1\r\n4=1.15\r\n5=\r\n6=22\r\n7=1500\r\n8=\r\n9=10\r\n"
            "10=12\r\n11=1.2\r\n12=\r\n13=\r\n14=\r\n"));
}

void TestMucking::saveAfterCommands() {
    RunChain(*m_form);
    m_form->scripted.files.enqueue(DataFile("b.tac"));
    QVERIFY(SaveParameters(*m_form, MuckingTable()));
    QCOMPARE(ReadFileBytes(DataFile("b.tac")),
             QByteArray("[5.1]\r\n1=100\r\n2=2.8\r\n3=1.1\r\n4=1.15\r\n5=354.2\r\n6=22\r\n7="
                        "1500\r\n8=4.9\r\n9=10\r\n"
                        "10=12\r\n11=1.2\r\n12=22\r\n13=1.2\r\n14=354.2\r\n"));
}

void TestMucking::openLoadsAndTurnsBlack() {
    QFile file(DataFile("c.tac"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[5.1]\r\n1=80\r\n3=  1.1  \r\n4=\"1.2\"\r\n5=9\r\n");
    file.close();
    m_form->SetText(QStringLiteral("编辑框3出碴时间"), QStringLiteral("7"));
    m_form->scripted.files.enqueue(DataFile("c.tac"));
    QVERIFY(OpenParameters(*m_form, MuckingTable()));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1开挖断面面积")), QStringLiteral("80"));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1循环进尺")), QString());  // missing key empties it
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1超挖系数")), QStringLiteral("1.1"));
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1岩体松胀系数")), QStringLiteral("1.2"));
    QCOMPARE(m_form->TextColor(QStringLiteral("编辑框1超挖系数")), kBlack);
    QCOMPARE(m_form->TextColor(QStringLiteral("编辑框2运输设备速度")), kBlack);
    QCOMPARE(m_form->Text(QStringLiteral("编辑框3出碴时间")),
             QStringLiteral("7"));  // not in the file
    QVERIFY(m_form->scripted.messages.isEmpty());
    QVERIFY(m_form->scripted.requests.constFirst().defaultExtension.isEmpty());
}

// An empty file holds none of the window's keys.
void TestMucking::emptyFileChangesNothing() {
    QFile file(DataFile("empty.tac"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    m_form->scripted.files.enqueue(DataFile("empty.tac"));
    QVERIFY(!OpenParameters(*m_form, MuckingTable()));
    QCOMPARE(m_form->scripted.MessageTexts(),
             QStringList{QStringLiteral("所选文件不含本窗口的参数，未读取。")});
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1开挖断面面积")), QStringLiteral("100"));
}

void TestMucking::cancelWritesNothing() {
    m_form->scripted.files.enqueue(QString());
    QVERIFY(!SaveParameters(*m_form, MuckingTable()));
    m_form->scripted.files.enqueue(QString());
    QVERIFY(!OpenParameters(*m_form, MuckingTable()));
    QVERIFY(m_form->scripted.messages.isEmpty());
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("Data"))).entryList(QDir::Files), QStringList());
    QCOMPARE(m_form->Text(QStringLiteral("编辑框1开挖断面面积")), QStringLiteral("100"));
}

void TestMucking::sharedFileKeepsOtherSections() {
    const QString path = DataFile("shared.tac");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[2.2]\r\n1=60\r\n");
    file.close();
    m_form->scripted.files.enqueue(path);
    QVERIFY(SaveParameters(*m_form, MuckingTable()));
    const QByteArray bytes = ReadFileBytes(path);
    QVERIFY(bytes.startsWith("[2.2]\r\n1=60\r\n[5.1]\r\n1=100\r\n"));
    // Saving again replaces the items in place.
    m_form->SetText(QStringLiteral("编辑框1开挖断面面积"), QStringLiteral("90"));
    m_form->scripted.files.enqueue(path);
    QVERIFY(SaveParameters(*m_form, MuckingTable()));
    QByteArray expected = bytes;
    expected.replace("[5.1]\r\n1=100\r\n", "[5.1]\r\n1=90\r\n");
    QCOMPARE(ReadFileBytes(path), expected);
}

void TestMucking::readOnlyFileIsNotReportedAsSaved() {
    const QString path = DataFile("ro.tac");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[5.1]\r\n1=1\r\n");
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    m_form->scripted.files.enqueue(path);
    QVERIFY(!SaveParameters(*m_form, MuckingTable()));
    QCOMPARE(m_form->scripted.messages.size(), 1);
    const QString message = m_form->scripted.messages[0].text;
    QVERIFY(message.startsWith(QStringLiteral("保存失败！")));
    QVERIFY(message.contains(path));
    QVERIFY(!message.contains(QStringLiteral("保存成功")));
    QCOMPARE(ReadFileBytes(path), QByteArray("[5.1]\r\n1=1\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestMucking::exportCancelWritesNothing() {
    m_form->scripted.answers.enqueue(kAnswerCancel);
    RunChain(*m_form);
    ExportReport(*m_form, *MuckingTable().report);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("导出的方案"))));
    QCOMPARE(m_form->scripted.MessageTexts(),
             QStringList{QStringLiteral("确定开始导出，中途请勿进行其他操作！")});
    QVERIFY(m_form->scripted.openedFolders.isEmpty());
}

void TestMucking::exportFillsTemplate() {
    RunChain(*m_form);
    ExportReport(*m_form, *MuckingTable().report);
    QVERIFY(QFileInfo::exists(Output()));
    DocxDocument document;
    QVERIFY(document.Open(ReadFileBytes(Output())));
    const QString text = document.MainText();
    QVERIFY2(text.contains(QStringLiteral("Z=R×△×L×S=1.15×1.1×2.8×100=354.2（m3）")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("L--运输距离（m）=1500m，")));
    QVERIFY(text.contains(QStringLiteral("隧道出渣设备配置计算书")));
    QVERIFY(text.contains(QStringLiteral("向上取整应配置出碴设备5辆")));
    for (const char *field : {"编辑框1", "编辑框2", "编辑框3"})
        QVERIFY2(!text.contains(U(field)), field);
    QCOMPARE(m_form->scripted.MessageTexts(),
             (QStringList{QStringLiteral("确定开始导出，中途请勿进行其他操作！"),
                          QStringLiteral("隧道除渣设备配置计算方案导出成功！\r\n文件：") +
                              QDir::toNativeSeparators(Output())}));
    QCOMPARE(m_form->scripted.openedFolders,
             QStringList{m_dir->filePath(QStringLiteral("导出的方案"))});
    QVERIFY(m_form->LogText().endsWith(
        QStringLiteral("数据整理录入参数表中，开始制作方案……\r\n方案制作完成！\r\n")));
}

void TestMucking::exportNoticesAndAnimation() {
    QStringList notices;
    QStringList expected;
    for (const char *n : kNotices) expected << U(n);
    // Record the notice each time the countdown is at a new text.
    struct Recorder : MemoryForm {
        using MemoryForm::MemoryForm;
        QStringList *seen = nullptr;
        void SetCaption(QAnyStringView id, const QString &text) override {
            MemoryForm::SetCaption(id, text);
            if (id == QStringLiteral("标签1_提示信息") &&
                !text.startsWith(QStringLiteral("已导出")))
                seen->append(text);
        }
    } form(m_dir->path(), &MuckingTable());
    form.seen = &notices;
    RunChain(form);
    ExportReport(form, *MuckingTable().report);
    QCOMPARE(notices, expected);
    QCOMPARE(form.Caption(QStringLiteral("标签1_提示信息")), QStringLiteral("已导出 100%  "));
    QCOMPARE(form.Progress(), 0);
    QCOMPARE(form.scripted.pauses, QList<int>{500});
    QCOMPARE(form.scripted.waits, 100);
    QCOMPARE(form.busyChanges, (QList<bool>{true, false}));
}

// The engineer may have edited the first report: the second goes beside it.
void TestMucking::exportTwiceKeepsTheFirst() {
    RunChain(*m_form);
    ExportReport(*m_form, *MuckingTable().report);
    const QByteArray first = ReadFileBytes(Output());
    m_form->SetText(QStringLiteral("编辑框1开挖断面面积"), QStringLiteral("120"));
    ExportReport(*m_form, *MuckingTable().report);
    QCOMPARE(ReadFileBytes(Output()), first);
    const QByteArray second = ReadFileBytes(Output().chopped(5) + QStringLiteral("(2).docx"));
    QVERIFY(!second.isEmpty() && first != second);
    QCOMPARE(m_form->scripted.messages.size(), 4);  // no question about the name
}

// A first report that cannot be written (open in Word, read-only) does not
// stop the next export.
void TestMucking::exportBesideUnwritableFile() {
    RunChain(*m_form);
    ExportReport(*m_form, *MuckingTable().report);
    const QByteArray before = ReadFileBytes(Output());
    QFile::setPermissions(Output(), QFileDevice::ReadOwner);
    m_form->scripted.messages.clear();
    m_form->SetText(QStringLiteral("编辑框1开挖断面面积"), QStringLiteral("120"));
    ExportReport(*m_form, *MuckingTable().report);
    QCOMPARE(m_form->scripted.messages.size(), 2);
    const QString second = Output().chopped(5) + QStringLiteral("(2).docx");
    QVERIFY(m_form->scripted.messages[1].text.endsWith(QDir::toNativeSeparators(second)));
    QVERIFY(ReadFileBytes(second).startsWith("PK"));
    QCOMPARE(ReadFileBytes(Output()), before);
    QFile::setPermissions(Output(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestMucking::exportedReportOpensInWordProcessor() {
    RunChain(*m_form);
    ExportReport(*m_form, *MuckingTable().report);
    QString error;
    const QString text = test::OfficeText(Output(), &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    QString flat = text;
    flat.remove(QRegularExpression(QStringLiteral("\\s")));
    QVERIFY2(flat.contains(QStringLiteral("Z=R×△×L×S=1.15×1.1×2.8×100=354.2（m3）")),
             qPrintable(text));
    for (const char *value : {"354.2", "4.9", "1.8", "1500m"})
        QVERIFY2(flat.contains(U(value)), value);
    QVERIFY(!flat.contains(QStringLiteral("编辑框")));
}

// Every part of the package, not only the main one, carries the export time
// (zip keeps local time to two seconds).
void TestMucking::exportStampsEntriesWithItsTime() {
    RunChain(*m_form);
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ExportReport(*m_form, *MuckingTable().report);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    const QHash<QString, qint64> times = test::PackageEntryTimes(ReadFileBytes(Output()));
    QVERIFY(times.size() > 5);
    for (auto it = times.begin(); it != times.end(); ++it)
        QVERIFY2(it.value() >= before - 2 && it.value() <= after + 2, qPrintable(it.key()));
}

QTEST_GUILESS_MAIN(TestMucking)
#include "test_mucking.moc"
