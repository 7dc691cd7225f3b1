#include "core/form.h"
#include "core/module_entry.h"
#include "core/reference_texts.h"
#include "core/window_table.h"
#include "modules/period/core/period.h"

namespace tunnel::modules::period {

namespace {

PageTable AdvancePage() {
    return {QStringLiteral("进尺参考表"),
            {630, 290},
            {{PageUnit::Kind::Text, "编辑框2_说明框", AdvanceText(), {8, 8, 614, 274}, -1, 13}}};
}

PageTable CycleTimePage() {
    return {QStringLiteral("隧道循环时间参考表"),
            {698, 407},
            {PicturePageUnit("图片框1", "cycle_time", {9, 9, 680, 388})}};
}

const ReferenceLink kReferences[] = {
    {.button = kPeriodAdvanceButton, .page = AdvancePage},
    {.button = kPeriodCycleTimeButton, .page = CycleTimePage},
};

const ReportCase kReports[] = {
    {
        .name = "period",
        .calculate =
            [](Form &form) {
                // A stretch is part of the input: the window has none preset.
                form.SetText(RowId(kLengthBase, 0), QStringLiteral("300"));
                form.SetText(RowId(kAdvanceBase, 0), QStringLiteral("3"));
                form.SetText(RowId(kCycleTimeBase, 0), QStringLiteral("12"));
                CalculatePeriod(form);
            },
    },
};

const ModuleEntry kEntry{
    .id = "period",
    .table = PeriodTable,
    .button = {.id = "超级按钮4", .caption = "工期进尺计算", .height = 50, .position = 4},
    .menu = {.menu = "隧道工期及进尺计算", .item = "隧道工期计算", .position = 60},
    .references = kReferences,
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::period
