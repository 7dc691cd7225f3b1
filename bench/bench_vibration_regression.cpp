#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cmath>

#include "core/gbk_text.h"
#include "modules/vibration/core/vibration_records.h"
#include "modules/vibration/core/vibration_regression.h"
#include "support/test_files.h"

namespace {

constexpr int kRows = 100000;

// A site's years of monitoring: readings around K = 180, α = 1.5.
std::vector<tunnel::VibrationRecord> SiteRecords() {
    std::vector<tunnel::VibrationRecord> records;
    records.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double q = 5 + i % 40;
        const double r = 10 + (i * 7) % 190;
        const double scatter = std::exp(0.3 * std::sin(i * 1.7));
        records.push_back(tunnel::VibrationRecord{
            .date = QStringLiteral("2024-%1-%2").arg(1 + i % 12).arg(1 + i % 28),
            .point = QStringLiteral("拱顶测点%1").arg(i % 16),
            .charge = q,
            .distance = r,
            .velocity = std::round(180 * std::pow(std::cbrt(q) / r, 1.5) * scatter * 1e4) / 1e4,
            .used = i % 10 != 0,
        });
    }
    return records;
}

// Reading, decoding and parsing a 100,000-row file.
void BM_ImportRecords(benchmark::State &state, bool gbk) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records.csv"));
    const QString text = tunnel::RecordsText(SiteRecords());
    tunnel::test::WriteFileBytes(path, gbk ? tunnel::ToGbk(text) : text.toUtf8());
    for (auto _ : state) {
        tunnel::RecordsRead read;
        tunnel::ReadRecordsFile(path, read);
        if (read.records.size() != std::size_t(kRows)) state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK_CAPTURE(BM_ImportRecords, gbk, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportRecords, utf8, false)->Unit(benchmark::kMillisecond);

void BM_FitAttenuation(benchmark::State &state) {
    const std::vector<tunnel::VibrationRecord> records = SiteRecords();
    for (auto _ : state) benchmark::DoNotOptimize(tunnel::FitAttenuation(records));
}
BENCHMARK(BM_FitAttenuation)->Unit(benchmark::kMillisecond);

}  // namespace
