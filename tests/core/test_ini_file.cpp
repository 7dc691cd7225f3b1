#include <QTemporaryDir>
#include <QtTest>

#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "support/test_files.h"

using namespace tunnel;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void longValueIsCut();
    void valueWithLineBreaksStaysOneItem();
    void fileRoundTripKeepsOtherBytes();
    void missingFileReadsEmpty();
    void readOnlyFileIsRefused();
    void missingFolderIsReported();
    void gbkOnDisk();
};

void TestIniFile::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray basic = "[5.1]\r\n1=100\r\n2=2.8\r\n[2.2]\r\n1=60\r\n";
    QTest::newRow("first section") << basic << "5.1"
                                   << "2"
                                   << "2.8";
    QTest::newRow("second section") << basic << "2.2"
                                    << "1"
                                    << "60";
    QTest::newRow("missing key") << basic << "5.1"
                                 << "3"
                                 << "";
    QTest::newRow("missing section") << basic << "2.4"
                                     << "1"
                                     << "";
    QTest::newRow("key of other section") << basic << "2.2"
                                          << "2"
                                          << "";
    QTest::newRow("blanks trimmed") << QByteArray("[a]\r\n1=  1.5  \r\n") << "a"
                                    << "1"
                                    << "1.5";
    QTest::newRow("blanks around key") << QByteArray("[a]\r\n 1 = x\r\n") << "a"
                                       << "1"
                                       << "x";
    QTest::newRow("double quotes") << QByteArray("[a]\r\n1=\"quoted text\"\r\n") << "a"
                                   << "1"
                                   << "quoted text";
    QTest::newRow("single quotes") << QByteArray("[a]\r\n1='x'\r\n") << "a"
                                   << "1"
                                   << "x";
    QTest::newRow("unmatched quotes stay") << QByteArray("[a]\r\n1=\"x'\r\n") << "a"
                                           << "1"
                                           << "\"x'";
    QTest::newRow("quotes inside blanks") << QByteArray("[a]\r\n1= \" x \" \r\n") << "a"
                                          << "1"
                                          << " x ";
    QTest::newRow("case-insensitive section") << QByteArray("[Abc]\r\nKey=v\r\n") << "aBC"
                                              << "kEY"
                                              << "v";
    QTest::newRow("equals in value") << QByteArray("[a]\r\n1=x=y\r\n") << "a"
                                     << "1"
                                     << "x=y";
    QTest::newRow("LF only") << QByteArray("[a]\n1=v\n") << "a"
                             << "1"
                             << "v";
    QTest::newRow("no final line end") << QByteArray("[a]\r\n1=v") << "a"
                                       << "1"
                                       << "v";
    QTest::newRow("empty value") << QByteArray("[a]\r\n1=\r\n") << "a"
                                 << "1"
                                 << "";
    QTest::newRow("gbk value") << ToGbk(u"[a]\r\n1=不考虑\r\n") << "a"
                               << "1"
                               << "不考虑";
    QTest::newRow("empty file") << QByteArray() << "5.1"
                                << "1"
                                << "";
    QTest::newRow("first of duplicates") << QByteArray("[a]\r\n1=x\r\n1=y\r\n") << "a"
                                         << "1"
                                         << "x";
    // 乚 is 81 5D: its second byte is no closing bracket.
    QTest::newRow("trail byte ] in section") << ToGbk(u"[乚]\r\n1=a\r\n") << "乚"
                                             << "1"
                                             << "a";
    QTest::newRow("no empty section from it") << ToGbk(u"[乚]\r\n1=a\r\n") << ""
                                              << "1"
                                              << "";
    QTest::newRow("no shorter section from it") << ToGbk(u"[A乚]\r\n1=a\r\n") << "A"
                                                << "1"
                                                << "";
}

void TestIniFile::read() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(IniFile::FromBytes(file).Read(section, key), expected);
}

void TestIniFile::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << "5.1"
                              << "1"
                              << "100" << QByteArray("[5.1]\r\n1=100\r\n");
    QTest::newRow("replaced in place") << QByteArray("[a]\r\n1=x\r\n2=y\r\n") << "a"
                                       << "1"
                                       << "zz" << QByteArray("[a]\r\n1=zz\r\n2=y\r\n");
    QTest::newRow("replaced whatever the case") << QByteArray("[A]\r\nK=x\r\n") << "a"
                                                << "k"
                                                << "v" << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("new key at end of its section")
        << QByteArray("[a]\r\n1=x\r\n[b]\r\n1=y\r\n") << "a"
        << "2"
        << "z" << QByteArray("[a]\r\n1=x\r\n2=z\r\n[b]\r\n1=y\r\n");
    QTest::newRow("new key before blank lines")
        << QByteArray("[a]\r\n1=x\r\n\r\n[b]\r\n") << "a"
        << "2"
        << "z" << QByteArray("[a]\r\n1=x\r\n2=z\r\n\r\n[b]\r\n");
    QTest::newRow("new section at end") << QByteArray("[a]\r\n1=x\r\n") << "b"
                                        << "1"
                                        << "y" << QByteArray("[a]\r\n1=x\r\n[b]\r\n1=y\r\n");
    QTest::newRow("end without line end") << QByteArray("[a]\r\n1=x") << "a"
                                          << "2"
                                          << "y" << QByteArray("[a]\r\n1=x\r\n2=y\r\n");
    QTest::newRow("new section after unterminated line")
        << QByteArray("; note") << "a"
        << "1"
        << "y" << QByteArray("; note\r\n[a]\r\n1=y\r\n");
    QTest::newRow("empty value written") << QByteArray() << "5.1"
                                         << "5"
                                         << "" << QByteArray("[5.1]\r\n5=\r\n");
    QTest::newRow("blanks written as they are") << QByteArray() << "a"
                                                << "1"
                                                << "  1.5  " << QByteArray("[a]\r\n1=  1.5  \r\n");
    QTest::newRow("empty section header only") << QByteArray("[a]\r\n") << "a"
                                               << "1"
                                               << "v" << QByteArray("[a]\r\n1=v\r\n");
    QTest::newRow("section with trail byte ]") << ToGbk(u"[僝]\r\n1=x\r\n") << "僝"
                                               << "1"
                                               << "y" << ToGbk(u"[僝]\r\n1=y\r\n");
}

void TestIniFile::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    IniFile ini = IniFile::FromBytes(before);
    ini.Write(section, key, value);
    QCOMPARE(ini.Bytes(), after);
}

void TestIniFile::longValueIsCut() {
    IniFile ini;
    ini.Write(QStringLiteral("a"), QStringLiteral("1"), QString(12000, QLatin1Char('7')));
    QCOMPARE(ini.Read(QStringLiteral("a"), QStringLiteral("1")).size(), 10239);
    // Double-byte text is cut at a character boundary.
    ini.Write(QStringLiteral("a"), QStringLiteral("2"), QString(6000, QChar(0x4E2D)));
    const QString cut = ini.Read(QStringLiteral("a"), QStringLiteral("2"));
    QCOMPARE(cut.size(), 5119);
    QVERIFY(!cut.contains(QChar::ReplacementCharacter));
    // Four-byte characters too: 2559 of them fill 10236 bytes.
    QString wide;
    for (int i = 0; i < 3000; ++i) wide += QStringLiteral("\U00020000");
    ini.Write(QStringLiteral("a"), QStringLiteral("3"), wide);
    QCOMPARE(ini.Read(QStringLiteral("a"), QStringLiteral("3")), wide.left(2559 * 2));
}

void TestIniFile::valueWithLineBreaksStaysOneItem() {
    IniFile ini;
    ini.Write(QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("x\r\n[b]\r\n2=y"));
    QCOMPARE(ini.Bytes(), QByteArray("[a]\r\n1=x  [b]  2=y\r\n"));
    QCOMPARE(ini.Read(QStringLiteral("b"), QStringLiteral("2")), QString());
}

void TestIniFile::fileRoundTripKeepsOtherBytes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.tac"));
    const QByteArray original = "; comment\r\n[x]\r\nk = keep  \r\n\r\n[5.1]\r\n1=old\r\n";
    QVERIFY(WriteFileBytes(path, original));
    QCOMPARE(WriteItem(path, QStringLiteral("5.1"), QStringLiteral("1"), QStringLiteral("new")),
             QString());
    QCOMPARE(ReadFileBytes(path),
             QByteArray("; comment\r\n[x]\r\nk = keep  \r\n\r\n[5.1]\r\n1=new\r\n"));
    QCOMPARE(IniFile::Load(path).Read(QStringLiteral("x"), QStringLiteral("K")),
             QStringLiteral("keep"));
}

void TestIniFile::missingFileReadsEmpty() {
    QCOMPARE(IniFile::Load(QStringLiteral("/nonexistent/none.tac"))
                 .Read(QStringLiteral("5.1"), QStringLiteral("1")),
             QString());
}

void TestIniFile::readOnlyFileIsRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.tac"));
    QVERIFY(WriteFileBytes(path, "[a]\r\n1=x\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QString failure =
        WriteItem(path, QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("y"));
    QVERIFY(!failure.isEmpty());
    QCOMPARE(ReadFileBytes(path), QByteArray("[a]\r\n1=x\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestIniFile::missingFolderIsReported() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/p.tac"));
    QVERIFY(
        !WriteItem(path, QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("y")).isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestIniFile::gbkOnDisk() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("g.tac"));
    QCOMPARE(WriteItem(path, QStringLiteral("2.2"), QStringLiteral("25"),
                       QStringLiteral("不考虑€\U00020000")),
             QString());
    QCOMPARE(ReadFileBytes(path),
             QByteArray("[2.2]\r\n25=\xB2\xBB\xBF\xBC\xC2\xC7\x80\x95\x32\x82\x36\r\n"));
    QCOMPARE(IniFile::Load(path).Read(QStringLiteral("2.2"), QStringLiteral("25")),
             QStringLiteral("不考虑€\U00020000"));
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
