#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/bar_chart.h"
#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/core/smoothblast.h"
#include "modules/smoothblast/widgets/drill_pattern_widget.h"
#include "support/blast_view.h"
#include "support/memory_form.h"

namespace {

// One frame of the preset pattern at 1920 × 1080, panned a little further
// each frame as a drag does.
void BM_DrawPatternWhilePanning(benchmark::State &state) {
    tunnel::test::MemoryForm form(QDir::tempPath(), &tunnel::SmoothBlastTable());
    form.SetCaption(tunnel::U("按钮1"), tunnel::U("计算"));
    tunnel::test::BlastView view;
    tunnel::CalculateBlast(form, view);
    const tunnel::DrillDesign design = tunnel::ReadDrillDesign(form);
    const tunnel::DrillPattern pattern = tunnel::PlaceHoles(design);
    QImage frame(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    // Texts are placed once per scale, as in the window.
    std::vector<tunnel::Label> labels;
    double labelScale = 0;
    for (auto _ : state) {
        QPainter painter(&frame);
        const QPointF pan((step % 200) - 100, (step % 120) - 60);
        tunnel::PaintFace(painter, frame.rect(), pattern, design, 1.5, pan, &labels, &labelScale);
        ++step;
    }
}
BENCHMARK(BM_DrawPatternWhilePanning)->Unit(benchmark::kMillisecond);

}  // namespace

// Text needs a GUI application; run with QT_QPA_PLATFORM=offscreen.
int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
