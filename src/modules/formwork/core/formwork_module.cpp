#include "core/form.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_report.h"

namespace tunnel::modules::formwork {

namespace {

PageTable SlabWeightPage() {
    return {QStringLiteral("楼板模板自重标准值"),
            {419, 258},
            {PicturePageUnit("图片框1", "slab_formwork_weight", {9, 9, 400, 240})}};
}

PageTable LiveLoadPage() {
    return {QStringLiteral("活荷载标准值规范取值"),
            {669, 386},
            {PicturePageUnit("图片框1", "live_load", {9, 9, 650, 368})}};
}

PageTable DumpingLoadPage() {
    return {QStringLiteral("倾倒混凝土时，对垂直面模板产生的水平荷载标准值"),
            {754, 290},
            {PicturePageUnit("图片框1", "dumping_load", {9, 9, 735, 272})}};
}

const ReferenceLink kReferences[] = {
    {.button = kSlabWeightButtonId, .page = SlabWeightPage, .modal = true},
    {.button = kLiveLoadButtonId, .page = LiveLoadPage, .modal = true},
    {.button = kDumpingLoadButtonId, .page = DumpingLoadPage, .modal = true},
};

const ReportCase kReports[] = {
    {.name = "formwork",
     .calculate =
         [](Form &form) {
             PrepareQuestions(form);
             CalculateLoads(form);
         },
     .report = FormworkReport,
     .exportReport = ExportFormworkReport},
};

const ModuleEntry kEntry{
    .id = "formwork",
    .table = FormworkTable,
    .modal = true,
    .menu = {.menu = "危大工程范围辨识", .item = "荷载计算", .position = 20},
    .references = kReferences,
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::formwork
