#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "core/conversions.h"

namespace {

void BM_ToNumber(benchmark::State &state) {
    const QString text = QStringLiteral("１２３.４５m3");
    for (auto _ : state) benchmark::DoNotOptimize(tunnel::ToNumber(text));
}
BENCHMARK(BM_ToNumber);

void BM_ToTextRoundTo(benchmark::State &state) {
    double x = 354.2004;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tunnel::ToText(tunnel::RoundTo(x, 2)));
        x += 0.001;
    }
}
BENCHMARK(BM_ToTextRoundTo);

}  // namespace

// A core application so that event processing inside exports has a home.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
