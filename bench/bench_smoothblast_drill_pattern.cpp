#include <benchmark/benchmark.h>

#include <QDir>

#include "core/bar_chart.h"
#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/core/smoothblast.h"
#include "support/blast_view.h"
#include "support/memory_form.h"

namespace {

// The preset design: 239 holes, 158 of them auxiliary holes spread by relaxation.
void BM_PlaceHolesAndWriteDxf(benchmark::State &state) {
    tunnel::test::MemoryForm form(QDir::tempPath(), &tunnel::SmoothBlastTable());
    form.SetCaption(tunnel::U("按钮1"), tunnel::U("计算"));
    tunnel::test::BlastView view;
    tunnel::CalculateBlast(form, view);
    const tunnel::DrillDesign design = tunnel::ReadDrillDesign(form);
    for (auto _ : state) {
        const tunnel::DrillPattern pattern = tunnel::PlaceHoles(design);
        benchmark::DoNotOptimize(tunnel::DrillPatternDxf(pattern, design));
    }
}
BENCHMARK(BM_PlaceHolesAndWriteDxf)->Unit(benchmark::kMillisecond);

}  // namespace
