#include "core/module_entry.h"

#include "core/report_export.h"
#include "core/window_table.h"

namespace tunnel {

QString ModuleEntry::Title() const {
    return QString::fromUtf8(table().title);
}

const ReportTable &ModuleEntry::Report(const ReportCase &report) const {
    return report.report ? report.report() : *table().report;
}

void ModuleEntry::Export(const ReportCase &report, Form &form) const {
    if (report.exportReport)
        report.exportReport(form);
    else
        ExportReport(form, Report(report));
}

const ModuleEntry *FindModule(std::string_view id) {
    for (const ModuleEntry *entry : BuiltModules())
        if (id == entry->id) return entry;
    return nullptr;
}

}  // namespace tunnel
