#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/data_location.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

const QString kMarker = QStringLiteral("share/cn.tunnelcalc.TunnelCalc/installed");

}  // namespace

class TestDataLocation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void Root_data();
    void Root();
    void DocumentsFolderOfTheDesktop();
    void FoldersAreCreatedAndKept();
    void FileInTheWayIsReported();

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestDataLocation::init() {
    // The user's folders are those of a fresh account whose home is a
    // temporary folder.
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("HOME", m_home->path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
}

void TestDataLocation::Root_data() {
    QTest::addColumn<QString>("executable");  // folder, below a scratch root
    QTest::addColumn<QString>("marker");      // file laid out there, if any
    QTest::addColumn<bool>("installed");
    QTest::newRow("build's program folder") << "program"
                                            << "" << false;
    QTest::newRow("portable copy in a bin folder") << "usr/bin"
                                                   << "" << false;
    QTest::newRow("installed under usr") << "usr/bin"
                                         << "usr/" + kMarker << true;
    QTest::newRow("installed under a local prefix") << "opt/tunnel/bin"
                                                    << "opt/tunnel/" + kMarker << true;
    QTest::newRow("marker but not in bin") << "usr/lib"
                                           << "usr/" + kMarker << false;
    QTest::newRow("another program's marker") << "usr/bin"
                                              << "usr/share/org.example.Other/installed" << false;
    QTest::newRow("marker of another prefix") << "usr/local/bin"
                                              << "usr/" + kMarker << false;
}

void TestDataLocation::Root() {
    QFETCH(QString, executable);
    QFETCH(QString, marker);
    QFETCH(bool, installed);
    QTemporaryDir scratch;
    const QString folder = scratch.path() + QLatin1Char('/') + executable;
    QVERIFY(QDir().mkpath(folder));
    if (!marker.isEmpty()) QVERIFY(WriteFileBytes(scratch.path() + QLatin1Char('/') + marker, ""));

    QCOMPARE(IsInstalledCopy(folder), installed);
    const QString expected =
        installed ? m_home->path() + QStringLiteral("/Documents/隧道施工计算工具") : folder;
    QCOMPARE(DataRoot(folder), expected);
}

void TestDataLocation::DocumentsFolderOfTheDesktop() {
    // A Chinese desktop names the documents folder 文档 in user-dirs.dirs.
    QTemporaryDir scratch;
    QVERIFY(WriteFileBytes(scratch.path() + QLatin1Char('/') + kMarker, ""));
    QVERIFY(QDir().mkpath(scratch.path() + QStringLiteral("/bin")));
    QVERIFY(QDir().mkpath(m_home->path() + QStringLiteral("/文档")));
    QVERIFY(WriteFileBytes(m_home->path() + QStringLiteral("/.config/user-dirs.dirs"),
                           "XDG_DOCUMENTS_DIR=\"$HOME/\xe6\x96\x87\xe6\xa1\xa3\"\n"));
    QCOMPARE(DataRoot(scratch.path() + QStringLiteral("/bin")),
             m_home->path() + QStringLiteral("/文档/隧道施工计算工具"));
}

void TestDataLocation::FoldersAreCreatedAndKept() {
    const QString root = m_home->path() + QStringLiteral("/Documents/隧道施工计算工具");
    QCOMPARE(CreateDataFolders(root), QString());
    QVERIFY(QFileInfo(root + QStringLiteral("/Data")).isDir());
    QVERIFY(QFileInfo(root + QStringLiteral("/导出的方案")).isDir());

    // A second start leaves the user's files alone.
    const QString saved = root + QStringLiteral("/Data/一号洞.tac");
    QVERIFY(WriteFileBytes(saved, "[参数]\r\n"));
    QCOMPARE(CreateDataFolders(root), QString());
    QCOMPARE(ReadFileBytes(saved), QByteArray("[参数]\r\n"));
}

void TestDataLocation::FileInTheWayIsReported() {
    // A file named like the export folder (permissions cannot stop root).
    const QString root = m_home->path() + QStringLiteral("/Documents/隧道施工计算工具");
    const QString blocked = root + QStringLiteral("/导出的方案");
    QVERIFY(WriteFileBytes(blocked, "报告"));
    QCOMPARE(CreateDataFolders(root), blocked);
    QCOMPARE(ReadFileBytes(blocked), QByteArray("报告"));
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "test_data_location.moc"
