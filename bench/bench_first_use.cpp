#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/gbk_text.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "support/memory_form.h"

// What the first use in a process costs: the first GBK encoding, and each
// window's first calculation on its presets with the window opened before
// the clock starts. Only the first run in a process shows it, so each is
// run once and alone, e.g.
//   tunnel_bench --benchmark_filter='BM_FirstCommand/mucking$'

using namespace tunnel;

namespace {

void BM_FirstGbkEncode(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(ToGbk(u"计算"));
}
BENCHMARK(BM_FirstGbkEncode)->Iterations(1)->Unit(benchmark::kMillisecond);

// The first report case of each module is what its window's 计算 does.
void BM_FirstCommand(benchmark::State &state, const ModuleEntry *entry) {
    QTemporaryDir folder;
    test::MemoryForm form(folder.path(), &entry->table());
    for (auto _ : state) entry->reports.front().calculate(form);
}

const bool registered = [] {
    for (const ModuleEntry *entry : BuiltModules()) {
        if (entry->reports.empty()) continue;
        benchmark::RegisterBenchmark((std::string("BM_FirstCommand/") + entry->id).c_str(),
                                     BM_FirstCommand, entry)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
