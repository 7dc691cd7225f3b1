// Every module's parameter file and every report on a full disk: the user
// sees the failure, never the success, and the earlier file keeps its bytes.
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/atomic_file.h"
#include "core/module_entry.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "core/window_table.h"
#include "support/test_files.h"
#include "support/write_faults.h"

using namespace tunnel;
using namespace tunnel::test;

namespace {

// The writes of this build, by row name.
struct Write {
    QString folder;        // below the program folder
    QString file;          // the earlier file
    QString written;       // the file the run writes: a report goes beside the earlier one
    QStringList expected;  // messages, then progress; %1 is the written file's path
    WriteRun run;
};

QList<QPair<QString, Write>> Writes() {
    QList<QPair<QString, Write>> writes;
    for (const ModuleEntry *entry : BuiltModules()) {
        const WindowTable &table = entry->table();
        if (!table.params.empty())
            writes.append({QStringLiteral("parameter file of ") + QString::fromUtf8(entry->id),
                           {QStringLiteral("Data"),
                            QStringLiteral("a.tac"),
                            QStringLiteral("a.tac"),
                            {DiskFullFailure("保存失败！", QStringLiteral("%1")), "0"},
                            [&table](const QString &folder, const QString &path) {
                                auto form = std::make_unique<MemoryForm>(folder, &table);
                                form->scripted.files.enqueue(path);
                                SaveParameters(*form, table);
                                return form;
                            }}});
        for (const ReportCase &report : entry->reports)
            writes.append({QStringLiteral("report ") + QString::fromUtf8(report.name),
                           {QStringLiteral("导出的方案"),
                            QString::fromUtf8(entry->Report(report).outputName),
                            QString::fromUtf8(entry->Report(report).outputName).chopped(5) +
                                QStringLiteral("(2).docx"),
                            {QStringLiteral("确定开始导出，中途请勿进行其他操作！"),
                             DiskFullFailure("导出失败！", QStringLiteral("%1")), "0"},
                            [entry, &report](const QString &folder, const QString &) {
                                auto form = std::make_unique<MemoryForm>(folder, &entry->table());
                                report.calculate(*form);
                                form->scripted.answers.clear();
                                entry->Export(report, *form);
                                return form;
                            }}});
    }
    return writes;
}

Write WriteOf(const QString &name) {
    for (const auto &[row, write] : Writes())
        if (row == name) return write;
    return {};
}

}  // namespace

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

void TestAtomicFile::sizeLimitKeepsEarlierFile_data() {
    QTest::addColumn<QString>("name");
    for (const auto &[row, write] : Writes()) QTest::newRow(row.toUtf8()) << row;
}

void TestAtomicFile::sizeLimitKeepsEarlierFile() {
    QFETCH(QString, name);
    Write write = WriteOf(name);
    QTemporaryDir dir;
    const QString path = dir.filePath(write.folder + QLatin1Char('/') + write.file);
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    for (QString &text : write.expected)
        text = text.replace(QStringLiteral("%1"),
                            QDir::toNativeSeparators(
                                dir.filePath(write.folder + QLatin1Char('/') + write.written)));

    const QStringList shown = ShownWithSizeLimit(write.run, dir.path(), path, 1024);
    QVERIFY2(shown == write.expected, qPrintable(shown.join(u'|')));
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
    QCOMPARE(QDir(dir.filePath(write.folder)).entryList(QDir::Files | QDir::Hidden),
             QStringList{write.file});
}

void TestAtomicFile::fullDiskKeepsEarlierFile_data() {
    sizeLimitKeepsEarlierFile_data();
}

void TestAtomicFile::fullDiskKeepsEarlierFile() {
    QFETCH(QString, name);
    if (::geteuid() != 0) QSKIP("mounting a tmpfs needs root");
    Write write = WriteOf(name);
    QTemporaryDir dir;
    TinyDisk disk(dir.filePath(write.folder));
    if (!disk.mounted()) QSKIP("mount -t tmpfs failed (no mount rights here)");
    const QString path = dir.filePath(write.folder + QLatin1Char('/') + write.file);
    QVERIFY(WriteFileBytes(path, EarlierBytes()));
    disk.Fill();
    for (QString &text : write.expected)
        text = text.replace(QStringLiteral("%1"),
                            QDir::toNativeSeparators(
                                dir.filePath(write.folder + QLatin1Char('/') + write.written)));

    QCOMPARE(Shown(write.run, dir.path(), path), write.expected);
    QCOMPARE(ReadFileBytes(path), EarlierBytes());
    QStringList left{write.file, QStringLiteral("filler")};
    left.sort();
    QCOMPARE(QDir(dir.filePath(write.folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             left);
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomic_file.moc"
