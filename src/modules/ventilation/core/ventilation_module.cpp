#include "core/form.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "modules/ventilation/core/ventilation.h"

namespace tunnel::modules::ventilation {

namespace {

const ReportCase kReports[] = {
    {.name = "ventilation",
     .calculate = CalculateVentilation,
     .report = []() -> const ReportTable & { return VentilationReport(false); },
     .exportReport = ExportVentilationScheme},
    {.name = "ventilation_gas",
     .calculate =
         [](Form &form) {
             form.SetChecked(U(kGasOptionId), true);
             GasOptionChanged(form);
             CalculateVentilation(form);
         },
     .report = []() -> const ReportTable & { return VentilationReport(true); },
     .exportReport = ExportVentilationScheme},
};

const ModuleEntry kEntry{
    .id = "ventilation",
    .table = VentilationTable,
    .button = {.id = "超级按钮3", .caption = "施工通风计算", .height = 50, .position = 5},
    .menu = {.menu = "隧道通风计算", .item = "隧道施工通风计算", .position = 50},
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::ventilation
