// The rock grade list on a full disk: the failure is shown, never the
// success, and the earlier list keeps its bytes.
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "modules/period/core/rock_grade_list.h"
#include "support/test_files.h"
#include "support/write_faults.h"

using namespace tunnel;
using namespace tunnel::test;

namespace {

std::unique_ptr<MemoryForm> StoreList(const QString &folder, const QString &) {
    auto form = std::make_unique<MemoryForm>(folder);
    QStringList names;
    for (int i = 0; i < 200; ++i) names << QStringLiteral("Ⅴ级围岩%1").arg(i);
    form->SetItems(U(kGradeListBox), names);
    StoreRockGradeList(*form, U(kGradeListBox));
    return form;
}

}  // namespace

class TestPeriodFiles : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsEarlierList_data();
    void fullDiskKeepsEarlierList();
};

void TestPeriodFiles::fullDiskKeepsEarlierList_data() {
    QTest::addColumn<bool>("tmpfs");  // else a file size limit
    QTest::newRow("past a size limit") << false;
    QTest::newRow("on a full tmpfs") << true;
}

void TestPeriodFiles::fullDiskKeepsEarlierList() {
    QFETCH(bool, tmpfs);
    if (tmpfs && ::geteuid() != 0) QSKIP("mounting a tmpfs needs root");
    QTemporaryDir dir;
    std::unique_ptr<TinyDisk> disk;
    if (tmpfs) {
        disk = std::make_unique<TinyDisk>(dir.filePath(QStringLiteral("Data")));
        if (!disk->mounted()) QSKIP("mount -t tmpfs failed (no mount rights here)");
    }
    const QString path = dir.filePath(QStringLiteral("Data/data.ini"));
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    if (disk) disk->Fill();
    const QStringList expected{DiskFullFailure("围岩等级列表保存失败，本次的修改未能保存！", path),
                               "0"};
    QCOMPARE(tmpfs ? Shown(StoreList, dir.path(), path)
                   : ShownWithSizeLimit(StoreList, dir.path(), path, 1024),
             expected);
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
}

QTEST_GUILESS_MAIN(TestPeriodFiles)
#include "test_period_files.moc"
