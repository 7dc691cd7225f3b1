#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/atomic_file.h"
#include "core/report_export.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_report.h"
#include "modules/mucking/core/mucking.h"
#include "modules/period/core/period.h"
#include "modules/smoothblast/core/smoothblast.h"
#include "modules/ventilation/core/ventilation.h"
#include "modules/vibration/core/vibration.h"
#include "support/blast_view.h"
#include "support/memory_form.h"

// Each report's whole export command beside the bare atomic write of the
// bytes it wrote, so the cost of filling the template is read off one run.

using namespace tunnel;

namespace {

// The smooth blasting window without a window: the slide does nothing.
struct Report {
    const char *name;
    const WindowTable &(*table)();
    void (*calculate)(Form &);
    void (*exportReport)(Form &);
    const char *(*outputName)();
};

void ExportOfTable(Form &form, const WindowTable &table) {
    ExportReport(form, *table.report);
}

const std::vector<Report> &Reports() {
    // Only names and functions: the tables are read when a benchmark runs.
    static const std::vector<Report> reports = {
        {"mucking", MuckingTable,
         [](Form &form) {
             MuckVolume(form);
             TruckCount(form);
             MuckingTime(form);
         },
         [](Form &form) { ExportOfTable(form, MuckingTable()); },
         [] { return MuckingTable().report->outputName; }},
        {"smoothblast", SmoothBlastTable,
         [](Form &form) {
             test::BlastView view;
             CalculateBlast(form, view);
         },
         [](Form &form) { ExportOfTable(form, SmoothBlastTable()); },
         [] { return SmoothBlastTable().report->outputName; }},
        {"period", PeriodTable, CalculatePeriod,
         [](Form &form) { ExportOfTable(form, PeriodTable()); },
         [] { return PeriodTable().report->outputName; }},
        {"ventilation", VentilationTable, CalculateVentilation, ExportVentilationScheme,
         [] { return VentilationReport(false).outputName; }},
        {"ventilation_gas", VentilationTable,
         [](Form &form) {
             form.SetChecked(U(kGasOptionId), true);
             GasOptionChanged(form);
             CalculateVentilation(form);
         },
         ExportVentilationScheme, [] { return VentilationReport(true).outputName; }},
        {"vibration", VibrationTable,
         [](Form &form) {
             PrepareVibrationForm(form);
             VibrationCalculate(form);
         },
         [](Form &form) { ExportOfTable(form, VibrationTable()); },
         [] { return VibrationTable().report->outputName; }},
        {"formwork", FormworkTable, CalculateLoads, ExportFormworkReport,
         []() -> const char * { return kFormworkReportName; }},
    };
    return reports;
}

// A calculated window of the report in a program folder of its own.
struct Window {
    QTemporaryDir folder;
    test::MemoryForm form;
    explicit Window(const Report &report) : form(folder.path(), &report.table()) {
        report.calculate(form);
    }
    QString Output(const Report &report) const {
        return ExportFolder(form) + '/' + U(report.outputName());
    }
};

// Filled and written, with notices, log lines and the progress animation
// (pauses not waited).
void BM_Report(benchmark::State &state, const Report *report) {
    Window window(*report);
    for (auto _ : state) {
        // 是 to the question about stale results, should a report ask it.
        window.form.scripted.answers.clear();
        window.form.scripted.answers.enqueue(kAnswerYes);
        report->exportReport(window.form);
        window.form.scripted.messages.clear();
    }
    state.counters["bytes"] = QFileInfo(window.Output(*report)).size();
    if (!QFileInfo::exists(window.Output(*report))) state.SkipWithError("no report written");
}

// The same bytes written over the same file, syncs included.
void BM_BareWrite(benchmark::State &state, const Report *report) {
    Window window(*report);
    window.form.scripted.answers.clear();
    window.form.scripted.answers.enqueue(kAnswerYes);
    report->exportReport(window.form);
    QFile file(window.Output(*report));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the export wrote no report");
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    for (auto _ : state) benchmark::DoNotOptimize(WriteFileAtomically(file.fileName(), bytes));
    state.counters["bytes"] = bytes.size();
}

const bool registered = [] {
    for (const Report &report : Reports()) {
        benchmark::RegisterBenchmark((std::string("BM_Report/") + report.name).c_str(), BM_Report,
                                     &report)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_BareWrite/") + report.name).c_str(),
                                     BM_BareWrite, &report)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
