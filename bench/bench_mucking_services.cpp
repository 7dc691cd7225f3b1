#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <array>

#include "core/gbk_text.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "modules/mucking/core/mucking.h"
#include "support/memory_form.h"

using namespace tunnel;

namespace {

// Fill and write the mucking report; the scripted dialogs neither wait nor pause.
void BM_ExportMuckingReport(benchmark::State &state) {
    QTemporaryDir dir;
    test::MemoryForm form(dir.path(), &MuckingTable());
    MuckVolume(form);
    TruckCount(form);
    MuckingTime(form);
    for (auto _ : state) ExportReport(form, *MuckingTable().report);
}
BENCHMARK(BM_ExportMuckingReport)->Unit(benchmark::kMillisecond);

// A 10,000-character value with one character outside GBK, in one pass.
void BM_GbkLongValueWithEmoji(benchmark::State &state) {
    const QString value =
        QString(5000, QChar(0x4E2D)) + QStringLiteral("\U0001F600") + QString(5000, QChar(0x4E2D));
    for (auto _ : state) benchmark::DoNotOptimize(ToGbk(value));
}
BENCHMARK(BM_GbkLongValueWithEmoji)->Unit(benchmark::kMicrosecond);

// Save and open a parameter file of 26 keys (the size of the ventilation file).
void BM_SaveAndOpen26Keys(benchmark::State &state) {
    QTemporaryDir dir;
    static const std::array<const char *, 26> keys = {
        "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13",
        "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26"};
    std::array<ParamKey, 26> table{};
    QList<QByteArray> names;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        names << QStringLiteral("编辑框%1").arg(i).toUtf8();
        table[i] = ParamKey{"2.2", keys[i], names.back().constData()};
    }
    test::MemoryForm form(dir.path());
    for (const ParamKey &key : table) form.SetText(U(key.field), QStringLiteral("1234.5"));
    const QString path = dir.filePath(QStringLiteral("bench.tac"));
    for (auto _ : state) {
        StoreParameters(form, path, table);
        LoadParameters(form, path, table);
    }
}
BENCHMARK(BM_SaveAndOpen26Keys)->Unit(benchmark::kMillisecond);

}  // namespace
