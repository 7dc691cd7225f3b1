#include "core/form.h"
#include "core/module_entry.h"
#include "core/reference_texts.h"
#include "core/window_table.h"
#include "modules/vibration/core/vibration.h"

namespace tunnel::modules::vibration {

namespace {

PageTable LimitsPage() {
    return {
        QStringLiteral("爆破振动安全允许标准"),
        {715, 717},
        {PicturePageUnit("图片框1", "vibration_limits", {10, 8, 695, 432}),
         PicturePageUnit("图片框2", "vibration_factors", {10, 448, 695, 200}),
         {PageUnit::Kind::Label, "标签1", VibrationLimitText(), {12, 654, 691, 56}, -1, 14, true}}};
}

const ReferenceLink kReferences[] = {
    {.button = kVibrationLimitsButtonId, .page = LimitsPage},
};

const ReportCase kReports[] = {
    {
        .name = "vibration",
        .calculate =
            [](Form &form) {
                // An object to protect is part of the input: the second class.
                PrepareVibrationForm(form);
                form.SetCurrentIndex(kVibrationTabsId, 0);
                form.SetCurrentIndex(kCategoryId, 1);
                VibrationCategorySelected(form);
                VibrationCalculate(form);
            },
    },
};

const ModuleEntry kEntry{
    .id = "vibration",
    .table = VibrationTable,
    .button = {.id = "超级按钮2", .caption = "爆破振速计算", .height = 48, .position = 3},
    .menu = {.menu = "光面爆破计算", .item = "爆破振速影响计算", .position = 40},
    .references = kReferences,
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::vibration
