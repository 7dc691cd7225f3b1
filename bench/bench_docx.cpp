#include <benchmark/benchmark.h>

#include <string>

#include "core/docx_document.h"
#include "core/docx_package.h"
#include "core/report_export.h"
#include "core/template_document.h"

// The parts of an export that the Word package costs: opening a template,
// copying a parsed one, saving it, and the main part's deflate level.

using namespace tunnel;

namespace {

const char *const kTemplates[] = {
    "mucking",   "smoothblast",          "period",  "ventilation", "ventilation_gas",
    "vibration", "vibration_regression", "formwork"};

void BM_DocxOpen(benchmark::State &state, const char *name) {
    const QByteArray bytes = TemplateBytes(name);
    for (auto _ : state) {
        DocxDocument document;
        benchmark::DoNotOptimize(document.Open(bytes));
    }
}

void BM_DocxCopy(benchmark::State &state, const char *name) {
    QString failure;
    const DocxDocument parsed = TemplateDocument(name, &failure);
    if (!failure.isEmpty()) state.SkipWithError("the template does not open");
    for (auto _ : state) {
        DocxDocument copy(parsed);
        benchmark::DoNotOptimize(&copy);
    }
}

void BM_DocxSave(benchmark::State &state, const char *name) {
    const DocxDocument document = TemplateDocument(name, nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(document.Save());
}

// The largest main part written at each deflate level (0: stored blocks).
void BM_MainPartLevel(benchmark::State &state) {
    std::string xml;
    const auto package = DocxPackage::Open(TemplateBytes("ventilation_gas"), &xml, nullptr);
    QByteArray saved;
    for (auto _ : state) {
        saved = package->Save(xml, int(state.range(0)), {}, 0, nullptr);
        benchmark::DoNotOptimize(saved.data());
    }
    state.counters["bytes"] = saved.size();
}
BENCHMARK(BM_MainPartLevel)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

const bool registered = [] {
    for (const char *name : kTemplates) {
        const std::string suffix = std::string("/") + name;
        benchmark::RegisterBenchmark(("BM_DocxOpen" + suffix).c_str(), BM_DocxOpen, name)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_DocxCopy" + suffix).c_str(), BM_DocxCopy, name)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_DocxSave" + suffix).c_str(), BM_DocxSave, name)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
