// Every write path on a full disk: the user sees the failure, never the
// success, and the earlier file keeps its bytes. The disk is filled for real:
// a file size limit in a child process (no privileges needed) and, as root, a
// tiny tmpfs.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/atomic_file.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/mucking/core/mucking.h"
#include "support/memory_form.h"
#include "support/test_files.h"
#ifdef TUNNEL_HAS_DANGEROUS_WORKS
#include "modules/dangerous_works/core/dangerous_works.h"
#endif
#ifdef TUNNEL_HAS_PERIOD
#include "modules/period/core/rock_grade_list.h"
#endif

using namespace tunnel;
using tunnel::test::MemoryForm;
using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

enum class WritePath { Parameters, WorkList, WorkListText, RockGrades, Report };

const QString kSeparator = QStringLiteral("\x1f");

// Larger than the limit below, so the new file would have to pass it too.
QByteArray EarlierBytes() {
    QByteArray bytes = "[earlier]\r\nkept=1\r\n";
    while (bytes.size() < 2048) bytes += ";earlier line\r\n";
    return bytes;
}

// Runs the command as the user would, writing to path below folder, and
// returns the texts of the message boxes shown, then the progress bar value.
QStringList Run(WritePath command, const QString &folder, const QString &path) {
    std::unique_ptr<MemoryForm> form;
    switch (command) {
        case WritePath::Parameters:
            form = std::make_unique<MemoryForm>(folder, &MuckingTable());
            form->scripted.files.enqueue(path);
            SaveParameters(*form, MuckingTable());
            break;
        case WritePath::WorkList:
        case WritePath::WorkListText: {
#ifdef TUNNEL_HAS_DANGEROUS_WORKS
            form = std::make_unique<MemoryForm>(folder, &DangerousWorksTable());
            QStringList items;
            for (int i = 0; i < 100; ++i) items << QStringLiteral("6.1采用矿山法隧道工程%1").arg(i);
            form->SetItems(U(TierOf(Tier::Ordinary).projectId), items);
            form->scripted.files.enqueue(path);
            if (command == WritePath::WorkList)
                SaveWorkList(*form, Tier::Ordinary);
            else
                ExportWorkListText(*form, Tier::Ordinary);
#endif
            break;
        }
        case WritePath::RockGrades: {
#ifdef TUNNEL_HAS_PERIOD
            form = std::make_unique<MemoryForm>(folder);
            QStringList names;
            for (int i = 0; i < 200; ++i) names << QStringLiteral("Ⅴ级围岩%1").arg(i);
            form->SetItems(U(kGradeListBox), names);
            StoreRockGradeList(*form, U(kGradeListBox));
#endif
            break;
        }
        case WritePath::Report:
            form = std::make_unique<MemoryForm>(folder, &MuckingTable());
            MuckVolume(*form);
            TruckCount(*form);
            MuckingTime(*form);
            ExportReport(*form, *MuckingTable().report);
            break;
    }
    if (!form) return {};
    QStringList shown = form->scripted.MessageTexts();
    shown << QString::number(form->Progress());
    return shown;
}

// Run() in a child process whose files may not grow past limit bytes; a
// write past it fails with EFBIG instead of killing the child.
QStringList RunWithSizeLimit(WritePath command, const QString &folder, const QString &path,
                             rlim_t limit) {
    int channel[2];
    if (::pipe(channel) != 0) return {QStringLiteral("no pipe")};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        const QByteArray shown = Run(command, folder, path).join(kSeparator).toUtf8();
        qsizetype done = 0;
        while (done < shown.size()) {
            const ssize_t n = ::write(channel[1], shown.constData() + done, shown.size() - done);
            if (n <= 0) break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return {QStringLiteral("child killed")};
    return QString::fromUtf8(shown).split(kSeparator);
}

// A tmpfs of 16 KB mounted over a folder for as long as it lives.
class TinyDisk {
public:
    explicit TinyDisk(const QString &folder) : m_folder(folder) {
        QDir().mkpath(folder);
        m_mounted =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=16k"), QStringLiteral("tmpfs"), folder}) == 0;
    }
    ~TinyDisk() {
        if (m_mounted) QProcess::execute(QStringLiteral("umount"), {m_folder});
    }
    bool mounted() const { return m_mounted; }

    // Writes a filler file until the disk is full.
    void Fill() {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

QString Native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

Q_DECLARE_METATYPE(WritePath)

class TestAtomicFile : public QObject {
    Q_OBJECT
private slots:
    void writeReplacesFile();
    void sizeLimitKeepsEarlierFile_data();
    void sizeLimitKeepsEarlierFile();
    void fullDiskKeepsEarlierFile_data();
    void fullDiskKeepsEarlierFile();
};

void TestAtomicFile::writeReplacesFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.tac"));
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    QCOMPARE(WriteFileAtomically(path, "new"), QString());
    QCOMPARE(ReadFileBytes(path), QByteArray("new"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.tac")});
}

// Columns shared by both fault tables.
static void AddFaultColumns() {
    QTest::addColumn<WritePath>("command");
    QTest::addColumn<QString>("folder");  // below the program folder
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");  // messages, then progress
}

static QString Failure(const char *what, const QString &path) {
    return U(what) + QStringLiteral("\r\n文件：%1\r\n原因：磁盘空间不足").arg(Native(path));
}

void TestAtomicFile::sizeLimitKeepsEarlierFile_data() {
    AddFaultColumns();
    QTest::newRow("parameter file") << WritePath::Parameters << "Data"
                                    << "a.tac" << QStringList{Failure("保存失败！", "%1"), "0"};
#ifdef TUNNEL_HAS_DANGEROUS_WORKS
    QTest::newRow("dangerous works list")
        << WritePath::WorkList << "Data"
        << "list.wxy" << QStringList{Failure("保存失败！", "%1"), "0"};
    QTest::newRow("dangerous works text")
        << WritePath::WorkListText << "Data"
        << "list.txt" << QStringList{Failure("导出失败！", "%1"), "0"};
#endif
#ifdef TUNNEL_HAS_PERIOD
    QTest::newRow("rock grade list")
        << WritePath::RockGrades << "Data"
        << "data.ini"
        << QStringList{Failure("围岩等级列表保存失败，本次的修改未能保存！", "%1"), "0"};
#endif
    QTest::newRow("report") << WritePath::Report << "导出的方案"
                            << U(MuckingTable().report->outputName)
                            << QStringList{U("确定开始导出，中途请勿进行其他操作！"),
                                           Failure("导出失败！", "%1"), "0"};
}

void TestAtomicFile::sizeLimitKeepsEarlierFile() {
    QFETCH(WritePath, command);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(folder + QLatin1Char('/') + file);
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    for (QString &text : expected) text = text.replace(QStringLiteral("%1"), Native(path));

    QCOMPARE(RunWithSizeLimit(command, dir.path(), path, 1024), expected);
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
    QCOMPARE(QDir(dir.filePath(folder)).entryList(QDir::Files | QDir::Hidden), QStringList{file});
}

void TestAtomicFile::fullDiskKeepsEarlierFile_data() {
    AddFaultColumns();
    QTest::newRow("parameter file") << WritePath::Parameters << "Data"
                                    << "a.tac" << QStringList{Failure("保存失败！", "%1"), "0"};
    QTest::newRow("report") << WritePath::Report << "导出的方案"
                            << U(MuckingTable().report->outputName)
                            << QStringList{U("确定开始导出，中途请勿进行其他操作！"),
                                           Failure("导出失败！", "%1"), "0"};
}

void TestAtomicFile::fullDiskKeepsEarlierFile() {
    QFETCH(WritePath, command);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    if (::geteuid() != 0) QSKIP("mounting a tmpfs needs root");
    QTemporaryDir dir;
    TinyDisk disk(dir.filePath(folder));
    if (!disk.mounted()) QSKIP("mount -t tmpfs failed (no mount rights here)");
    const QString path = dir.filePath(folder + QLatin1Char('/') + file);
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    disk.Fill();
    for (QString &text : expected) text = text.replace(QStringLiteral("%1"), Native(path));

    QCOMPARE(Run(command, dir.path(), path), expected);
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
    QStringList left{file, QStringLiteral("filler")};
    left.sort();
    QCOMPARE(QDir(dir.filePath(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name), left);
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomic_file.moc"
