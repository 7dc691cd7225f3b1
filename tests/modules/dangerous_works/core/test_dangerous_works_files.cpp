// The work list and its text export on a full disk: the failure is shown,
// never the success, and the earlier file keeps its bytes.
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "modules/dangerous_works/core/dangerous_works.h"
#include "support/test_files.h"
#include "support/write_faults.h"

using namespace tunnel;
using namespace tunnel::test;

namespace {

WriteRun ListWrite(bool asText) {
    return [asText](const QString &folder, const QString &path) {
        auto form = std::make_unique<MemoryForm>(folder, &DangerousWorksTable());
        QStringList items;
        for (int i = 0; i < 100; ++i) items << QStringLiteral("6.1采用矿山法隧道工程%1").arg(i);
        form->SetItems(U(TierOf(Tier::Ordinary).projectId), items);
        form->scripted.files.enqueue(path);
        if (asText)
            ExportWorkListText(*form, Tier::Ordinary);
        else
            SaveWorkList(*form, Tier::Ordinary);
        return form;
    };
}

}  // namespace

class TestDangerousWorksFiles : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsEarlierFile_data();
    void fullDiskKeepsEarlierFile();
};

void TestDangerousWorksFiles::fullDiskKeepsEarlierFile_data() {
    QTest::addColumn<bool>("asText");
    QTest::addColumn<bool>("tmpfs");  // else a file size limit
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("headline");
    for (const bool tmpfs : {false, true}) {
        const char *how = tmpfs ? " on a full tmpfs" : " past a size limit";
        QTest::newRow(QByteArray("list") + how)
            << false << tmpfs << "list.wxy" << QByteArray("保存失败！");
        QTest::newRow(QByteArray("text") + how)
            << true << tmpfs << "list.txt" << QByteArray("导出失败！");
    }
}

void TestDangerousWorksFiles::fullDiskKeepsEarlierFile() {
    QFETCH(bool, asText);
    QFETCH(bool, tmpfs);
    QFETCH(QString, file);
    QFETCH(QByteArray, headline);
    if (tmpfs && ::geteuid() != 0) QSKIP("mounting a tmpfs needs root");
    QTemporaryDir dir;
    std::unique_ptr<TinyDisk> disk;
    if (tmpfs) {
        disk = std::make_unique<TinyDisk>(dir.filePath(QStringLiteral("Data")));
        if (!disk->mounted()) QSKIP("mount -t tmpfs failed (no mount rights here)");
    }
    const QString path = dir.filePath(QStringLiteral("Data/") + file);
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    if (disk) disk->Fill();
    const QStringList expected{DiskFullFailure(headline.constData(), path), "0"};
    QCOMPARE(tmpfs ? Shown(ListWrite(asText), dir.path(), path)
                   : ShownWithSizeLimit(ListWrite(asText), dir.path(), path, 1024),
             expected);
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
}

QTEST_GUILESS_MAIN(TestDangerousWorksFiles)
#include "test_dangerous_works_files.moc"
