#include <QTemporaryDir>
#include <QtTest>

#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/project_info.h"
#include "core/report_export.h"
#include "support/docx_builder.h"
#include "support/test_files.h"

using namespace tunnel;
using namespace tunnel::test;

class TestProjectInfo : public QObject {
    Q_OBJECT
private slots:
    void roundTripInGbk();
    void missingFileAndBadDate_data();
    void missingFileAndBadDate();
    void unwritableFolderKeepsNothingHalf();
    void emptyItemsPrintLines();
};

void TestProjectInfo::roundTripInGbk() {
    QTemporaryDir dir;
    const ProjectInfo info{"青山岭隧道", "TJ-3标", "中铁某局",        "李明",
                           "王芳",       "赵刚",   QDate(2026, 3, 18)};
    QCOMPARE(WriteProjectInfo(dir.path(), info), QString());
    const QByteArray bytes = ReadFileBytes(dir.filePath("Data/工程信息.ini"));
    QVERIFY(bytes.contains(ToGbk(u"工程名称=青山岭隧道")));
    QVERIFY(bytes.contains("=2026-03-18"));
    const ProjectInfo back = ReadProjectInfo(dir.path(), QDate(2000, 1, 1));
    QCOMPARE(back.name, info.name);
    QCOMPARE(back.section, info.section);
    QCOMPARE(back.contractor, info.contractor);
    QCOMPARE(back.preparer, info.preparer);
    QCOMPARE(back.checker, info.checker);
    QCOMPARE(back.approver, info.approver);
    QCOMPARE(back.date, info.date);
}

void TestProjectInfo::missingFileAndBadDate_data() {
    QTest::addColumn<QByteArray>("file");  // empty: no file
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("no date") << ToGbk(u"[工程信息]\r\n工程名称=甲\r\n");
    QTest::newRow("hostile date") << ToGbk(u"[工程信息]\r\n日期=2026-13-45") + "\xff\xfe\r\n";
}

void TestProjectInfo::missingFileAndBadDate() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    if (!file.isEmpty()) QVERIFY(WriteFileBytes(dir.filePath("Data/工程信息.ini"), file));
    const ProjectInfo info = ReadProjectInfo(dir.path(), QDate(2026, 12, 9));
    QCOMPARE(info.date, QDate(2026, 12, 9));
    QVERIFY(info.checker.isEmpty());
}

// A file where the Data folder should be: nothing can be written there.
void TestProjectInfo::unwritableFolderKeepsNothingHalf() {
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("Data"), "not a folder"));
    const QString failure = WriteProjectInfo(dir.path(), ProjectInfo{"甲"});
    QVERIFY(!failure.isEmpty());
    QCOMPARE(ReadFileBytes(dir.filePath("Data")), QByteArray("not a folder"));
}

void TestProjectInfo::emptyItemsPrintLines() {
    QFile file(":/templates/mucking.docx");
    QVERIFY(file.open(QIODevice::ReadOnly));
    DocxDocument document;
    QVERIFY(document.Open(file.readAll()));
    FillProjectInfo(document,
                    ProjectInfo{"青山岭隧道", {}, {}, "李明", {}, {}, QDate(2026, 3, 18)});
    const QString text = document.MainText();
    QVERIFY2(!text.contains("工程信息_"), qPrintable(text));
    const QString line(14, u'_');
    QVERIFY(text.contains("工程名称：青山岭隧道\n标段/工点：" + line + "\n建设单位：" + line +
                          "\n设计单位：" + line + "\n监理单位：" + line + "\n施工单位：" + line));
    // Five blank project items, and the checker's, approver's and
    // authoriser's names; the date on the preparer's row only.
    QCOMPARE(text.count(line), 8);
    QCOMPARE(text.count("2026年3月18日"), 1);
    // The page header names the project.
    const QByteArray header = EntryData(ReadPackage(document.Save()), "word/header1.xml");
    QVERIFY2(header.contains(QByteArray("<w:t>青山岭隧道</w:t>")), header.constData());
}

QTEST_GUILESS_MAIN(TestProjectInfo)
#include "test_project_info.moc"
