#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "core/gbk_text.h"
#include "modules/period/core/rock_grade_list.h"
#include "support/memory_form.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

// 亅 is 0x81 0x7C in GBK: its second byte is the separator's byte.
const QString kTrailBar = QStringLiteral("亅");

}  // namespace

class TestPeriodRockGradeList : public QObject {
    Q_OBJECT
private slots:
    void Parse_data();
    void Parse();
    void Format_data();
    void Format();
    void MissingFileGivesDefaults();
    void ReadOnlyFileStillLists();
    void WriteCreatesDataFolder();
    void StoreFailureIsReported();
    void LoadClearsChoice();
    void GradeName_data();
    void GradeName();
};

void TestPeriodRockGradeList::GradeName_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("default entry") << "Ⅲ级 进尺3.0m 循环12h"
                                   << "Ⅲ级";
    QTest::newRow("whole numbers") << "Ⅴ级 进尺1m 循环8.5h"
                                   << "Ⅴ级";
    QTest::newRow("name alone") << "Ⅳ级加强"
                                << "Ⅳ级加强";
    QTest::newRow("name of two words") << "Ⅴ级 浅埋段 进尺0.8m 循环9h"
                                       << "Ⅴ级 浅埋段";
    // Only the exact pieces go: a word that merely starts so stays.
    QTest::newRow("other words kept") << "Ⅳ级 进尺短 循环12h以上"
                                      << "Ⅳ级 进尺短 循环12h以上";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPeriodRockGradeList::GradeName() {
    QFETCH(QString, entry);
    QTEST(RockGradeName(entry), "name");
}

void TestPeriodRockGradeList::Parse_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("three grades") << ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|") << QStringList{"Ⅰ级", "Ⅱ级", "Ⅲ级"};
    QTest::newRow("empty name between") << QByteArray("A||B") << QStringList{"A", "", "B"};
    QTest::newRow("no final separator") << QByteArray("A|B") << QStringList{"A", "B"};
    QTest::newRow("only a separator") << QByteArray("|") << QStringList{""};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("lines with CR LF")
        << ToGbk(u"Ⅳ级\r\nⅤ级\r\nⅥ级\r\n") << QStringList{"Ⅳ级", "Ⅴ级", "Ⅵ级"};
    QTest::newRow("lines with LF") << QByteArray("A\nB") << QStringList{"A", "B"};
    QTest::newRow("empty lines give nothing") << QByteArray("\r\n\nA\r\n\r\n") << QStringList{"A"};
    QTest::newRow("mixed lines") << QByteArray("A|B|\r\nC\r\n|D")
                                 << QStringList{"A", "B", "C", "", "D"};
    QTest::newRow("CR elsewhere is kept") << QByteArray("A\rB|") << QStringList{"A\rB"};
    QTest::newRow("second byte 0x7C") << ToGbk(kTrailBar + QStringLiteral("级|B|"))
                                      << QStringList{kTrailBar + QStringLiteral("级"), "B"};
    QTest::newRow("second byte 0x7C at the end")
        << ToGbk(QStringLiteral("A|") + kTrailBar) << QStringList{"A", kTrailBar};
    QTest::newRow("box drawing 0xA8 0x7C") << ToGbk(u"▅|▅▅") << QStringList{"▅", "▅▅"};
    // One-byte characters of code page 936, no lead bytes.
    QTest::newRow("euro 0x80") << QByteArray("\x80|x|") << QStringList{"€", "x"};
    QTest::newRow("0xFF") << QByteArray("\xFF|x") << QStringList{"\uF8F5", "x"};
}

void TestPeriodRockGradeList::Parse() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QCOMPARE(ParseRockGradeList(bytes), names);
}

void TestPeriodRockGradeList::Format_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three grades") << QStringList{"Ⅰ级", "Ⅱ级", "Ⅲ级"} << ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|");
    QTest::newRow("empty list") << QStringList{} << QByteArray();
    QTest::newRow("empty name") << QStringList{"A", "", "B"} << QByteArray("A||B|");
    QTest::newRow("second byte 0x7C") << QStringList{kTrailBar} << QByteArray("\x81\x7c|");
    QTest::newRow("euro") << QStringList{"€", "x"} << QByteArray("\x80|x|");
}

void TestPeriodRockGradeList::Format() {
    QFETCH(QStringList, names);
    QFETCH(QByteArray, bytes);
    QCOMPARE(FormatRockGradeList(names), bytes);
    QCOMPARE(ParseRockGradeList(bytes), names);
    if (names == QStringList{"Ⅰ级", "Ⅱ级", "Ⅲ级"}) QCOMPARE(bytes.size(), 15);
}

void TestPeriodRockGradeList::MissingFileGivesDefaults() {
    QTemporaryDir program;
    const QStringList defaults{"Ⅱ级 进尺3.5m 循环14h", "Ⅲ级 进尺3.0m 循环12h",
                               "Ⅳ级 进尺2.0m 循环10h", "Ⅴ级 进尺1.0m 循环8h"};
    QCOMPARE(ReadRockGradeList(program.path()), defaults);
    QVERIFY(!QDir(program.filePath("Data")).exists());
    // The user's emptied list stays empty.
    QVERIFY(WriteFileBytes(RockGradeListPath(program.path()), QByteArray()));
    QCOMPARE(ReadRockGradeList(program.path()), QStringList{});
}

void TestPeriodRockGradeList::ReadOnlyFileStillLists() {
    QTemporaryDir program;
    const QString path = RockGradeListPath(program.path());
    QVERIFY(WriteFileBytes(path, ToGbk(u"Ⅲ级|Ⅳ级|")));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QCOMPARE(ReadRockGradeList(program.path()), (QStringList{"Ⅲ级", "Ⅳ级"}));
    QCOMPARE(ReadFileBytes(path), ToGbk(u"Ⅲ级|Ⅳ级|"));
}

void TestPeriodRockGradeList::WriteCreatesDataFolder() {
    QTemporaryDir program;
    QCOMPARE(WriteRockGradeList(program.path(), {"Ⅰ级", kTrailBar}), QString());
    QCOMPARE(ReadFileBytes(program.filePath("Data/data.ini")),
             ToGbk(QStringLiteral("Ⅰ级|") + kTrailBar + QStringLiteral("|")));
    QCOMPARE(ReadRockGradeList(program.path()), (QStringList{"Ⅰ级", kTrailBar}));
    QCOMPARE(WriteRockGradeList(program.path(), {}), QString());
    QCOMPARE(QFileInfo(program.filePath("Data/data.ini")).size(), 0);
}

void TestPeriodRockGradeList::StoreFailureIsReported() {
    QTemporaryDir program;
    // A folder in the file's place cannot be replaced by a file.
    QVERIFY(QDir(program.path()).mkpath("Data/data.ini/x"));
    MemoryForm form(program.path());
    form.SetItems(U(kGradeListBox), {"Ⅰ级"});
    QVERIFY(!StoreRockGradeList(form, U(kGradeListBox)));
    QCOMPARE(form.scripted.messages.size(), 1);
    const auto &shown = form.scripted.messages[0];
    QVERIFY2(shown.text.contains(QDir::toNativeSeparators(RockGradeListPath(program.path()))),
             qPrintable(shown.text));
    QVERIFY(shown.text.contains(QStringLiteral("原因：")));
    QVERIFY(!shown.text.endsWith(QStringLiteral("原因：")));
    QCOMPARE(shown.caption, QStringLiteral("提示"));
    QCOMPARE(shown.icon, Icon::Error);
}

void TestPeriodRockGradeList::LoadClearsChoice() {
    QTemporaryDir program;
    QCOMPARE(WriteRockGradeList(program.path(), {"A", "B"}), QString());
    MemoryForm form(program.path());
    const QString id = QStringLiteral("组合框1_围岩等级0");
    form.SetItems(id, {"old"});
    form.SetCurrentIndex(id, 0);
    LoadRockGradeList(form, id);
    QCOMPARE(form.Items(id), (QStringList{"A", "B"}));
    QCOMPARE(form.CurrentIndex(id), -1);
}

QTEST_GUILESS_MAIN(TestPeriodRockGradeList)
#include "test_period_rock_grade_list.moc"
