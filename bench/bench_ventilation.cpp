#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "core/docx_document.h"
#include "core/report_export.h"
#include "modules/ventilation/core/ventilation.h"
#include "support/memory_form.h"

namespace {

using tunnel::U;

// A calculated window with the gas option ticked: the largest scheme.
struct GasWindow {
    QTemporaryDir folder;
    tunnel::test::MemoryForm form{folder.path(), &tunnel::VentilationTable()};

    GasWindow() {
        form.SetChecked(U(tunnel::kGasOptionId), true);
        tunnel::GasOptionChanged(form);
        tunnel::CalculateVentilation(form);
    }
};

// The whole export command: template filled in memory, written atomically,
// with notices and the progress animation (pauses not waited).
void BM_ExportGasScheme(benchmark::State &state) {
    GasWindow window;
    for (auto _ : state) {
        tunnel::ExportVentilationScheme(window.form);
        window.form.scripted.messages.clear();
    }
}
BENCHMARK(BM_ExportGasScheme)->Unit(benchmark::kMillisecond);

// Filling the 42 rows and packing the document, without the file.
void BM_FillGasScheme(benchmark::State &state) {
    GasWindow window;
    const tunnel::ReportTable &report = tunnel::VentilationReport(true);
    const QByteArray bytes = tunnel::TemplateBytes(report.templateName);
    for (auto _ : state) {
        tunnel::DocxDocument document;
        document.Open(bytes);
        for (const tunnel::ReportFill &fill : tunnel::Fills(report))
            document.ReplacePlaceholder(U(fill.placeholder), window.form.Text(U(fill.field)),
                                        fill.passes);
        benchmark::DoNotOptimize(document.Save());
    }
}
BENCHMARK(BM_FillGasScheme)->Unit(benchmark::kMillisecond);

}  // namespace
