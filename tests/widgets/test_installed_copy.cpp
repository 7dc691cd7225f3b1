#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/data_location.h"
#include "core/module_entry.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/calc_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

// The program as the install rules lay it out: the tree unpacked from the
// package (TUNNEL_INSTALLED_ROOT, set by scripts/package_check.sh), else this
// build installed into a scratch prefix.
class TestInstalledCopy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void firstStartMakesTheUserFolders();
    void portableCopyKeepsDataBesideItself();
    void parameterFileSavedAndOpenedInTheUserFolder();

private:
    // Starts the executable as a user whose home is m_home, until its first
    // start has made folder; the program is then ended.
    void StartUntil(const QString &executable, const QString &folder);

    QTemporaryDir m_scratch;
    QString m_bin;
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestInstalledCopy::initTestCase() {
    QString root = qEnvironmentVariable("TUNNEL_INSTALLED_ROOT");
    if (root.isEmpty()) {
        root = m_scratch.path() + QStringLiteral("/root");
        QProcess install;
        install.start(QStringLiteral(TUNNEL_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(TUNNEL_BUILD_DIR),
                       QStringLiteral("--prefix"), root + QStringLiteral("/usr")});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    }
    m_bin = root + QStringLiteral("/usr/bin");
    QVERIFY(QFileInfo(m_bin + QStringLiteral("/TunnelCalc")).isExecutable());
}

void TestInstalledCopy::init() {
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
}

void TestInstalledCopy::StartUntil(const QString &executable, const QString &folder) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home->path());
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(executable, {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder).isDir(), 20000);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

void TestInstalledCopy::firstStartMakesTheUserFolders() {
    const QString root = m_home->path() + QStringLiteral("/Documents/隧道施工计算工具");
    StartUntil(m_bin + QStringLiteral("/TunnelCalc"), root + QStringLiteral("/Data"));
    if (QTest::currentTestFailed()) return;
    QVERIFY(QFileInfo(root + QStringLiteral("/导出的方案")).isDir());
    QVERIFY(!QFileInfo::exists(m_bin + QStringLiteral("/Data")));
}

void TestInstalledCopy::portableCopyKeepsDataBesideItself() {
    // The same executable copied out of the installed tree, as a user might.
    const QString folder = m_home->path() + QStringLiteral("/隧道工具");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(
        QFile::copy(m_bin + QStringLiteral("/TunnelCalc"), folder + QStringLiteral("/TunnelCalc")));
    StartUntil(folder + QStringLiteral("/TunnelCalc"), folder + QStringLiteral("/Data"));
    if (QTest::currentTestFailed()) return;
    QVERIFY(!QFileInfo::exists(m_home->path() + QStringLiteral("/Documents")));
}

void TestInstalledCopy::parameterFileSavedAndOpenedInTheUserFolder() {
    qputenv("HOME", m_home->path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    const QString root = DataRoot(m_bin);
    QCOMPARE(root, m_home->path() + QStringLiteral("/Documents/隧道施工计算工具"));
    QCOMPARE(CreateDataFolders(root), QString());

    const ModuleEntry *mucking = FindModule("mucking");
    if (!mucking) QSKIP("this build has no mucking module");
    ScriptedDialogs dialogs;
    CalcWindow window(mucking->table(), dialogs, root);
    window.show();
    auto *area = window.findChild<QLineEdit *>(QStringLiteral("编辑框1开挖断面面积"));
    QVERIFY(area);
    area->setText(QStringLiteral("86.5"));
    const QString path = root + QStringLiteral("/Data/一号洞.tac");
    dialogs.files.enqueue(path);
    QTest::mouseClick(window.Button("按钮2_保存数据"), Qt::LeftButton);
    QCOMPARE(dialogs.requests.last().initialFolder, root + QStringLiteral("/Data"));
    QCOMPARE(dialogs.MessageTexts().last(), QStringLiteral("保存成功！"));
    QVERIFY(QFileInfo(path).size() > 0);

    area->setText(QStringLiteral("1"));
    dialogs.files.enqueue(path);
    QTest::mouseClick(window.Button("按钮4_打开数据"), Qt::LeftButton);
    QCOMPARE(dialogs.requests.last().initialFolder, root + QStringLiteral("/Data"));
    QCOMPARE(area->text(), QStringLiteral("86.5"));
}

QTEST_MAIN(TestInstalledCopy)
#include "test_installed_copy.moc"
