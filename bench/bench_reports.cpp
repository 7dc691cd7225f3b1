#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/atomic_file.h"
#include "core/module_entry.h"
#include "core/report_export.h"
#include "core/window_table.h"
#include "support/memory_form.h"

// Each report's whole export command beside the bare atomic write of the
// bytes it wrote, so the cost of filling the template is read off one run.

using namespace tunnel;

namespace {

// Every report of the build, with the table of its module's window.
struct Report {
    std::string name;
    const ModuleEntry *entry;
    const ReportCase *report;
    const WindowTable &table() const { return entry->table(); }
    void calculate(Form &form) const { report->calculate(form); }
    void exportReport(Form &form) const { entry->Export(*report, form); }
    const char *outputName() const { return entry->Report(*report).outputName; }
};

const std::vector<Report> &Reports() {
    static const std::vector<Report> reports = [] {
        std::vector<Report> list;
        for (const ModuleEntry *entry : BuiltModules())
            for (const ReportCase &report : entry->reports)
                list.push_back({report.name, entry, &report});
        return list;
    }();
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
    const auto exportOnce = [&] {
        // 是 to the question about stale results, should a report ask it.
        window.form.scripted.answers.clear();
        window.form.scripted.answers.enqueue(kAnswerYes);
        report->exportReport(window.form);
        window.form.scripted.messages.clear();
    };
    // As an engineer exports again: the report's name is taken, so each
    // export probes it and writes "name(2)", which is then removed. Left in
    // place, the run's own exports made the free-name search of the next
    // one longer every time.
    exportOnce();
    const QString second = FreeReportPath(ExportFolder(window.form), U(report->outputName()));
    for (auto _ : state) {
        exportOnce();
        state.PauseTiming();
        QFile::remove(second);
        state.ResumeTiming();
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
