#include <benchmark/benchmark.h>

#include <QDir>

#include "modules/smoothblast/drill_pattern.h"
#include "modules/smoothblast/smoothblast.h"
#include "support/memory_form.h"
#include "ui/bar_chart.h"

namespace {

class NoView : public tunnel::SmoothBlastView {
public:
    int WindowWidth() const override { return tunnel::kBlastInputWidth; }
    void SetWindowWidth(int) override {}
    void StartSlide() override {}
    void StopSlide() override {}
    void ShowResultHalf() override {}
    tunnel::BarChart &Chart() override { return chart; }
    tunnel::BarChart chart = tunnel::BarChart::SmoothBlastingDesign();
};

// The preset design: 239 holes on seven auxiliary rings.
void BM_PlaceHolesAndWriteDxf(benchmark::State &state) {
    tunnel::test::MemoryForm form(QDir::tempPath(), &tunnel::SmoothBlastSpec());
    form.SetCaption(tunnel::U("按钮1"), tunnel::U("计算"));
    NoView view;
    tunnel::CalculateBlast(form, view);
    const tunnel::DrillDesign design = tunnel::ReadDrillDesign(form);
    for (auto _ : state) {
        const tunnel::DrillPattern pattern = tunnel::PlaceHoles(design);
        benchmark::DoNotOptimize(tunnel::DrillPatternDxf(pattern, design));
    }
}
BENCHMARK(BM_PlaceHolesAndWriteDxf)->Unit(benchmark::kMillisecond);

}  // namespace
