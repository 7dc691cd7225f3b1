#include "core/form.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "modules/mucking/core/mucking.h"

namespace tunnel::modules::mucking {

namespace {

PageTable RockBulkingPage() {
    return {QStringLiteral("岩石的可松性参考"),
            {788, 695},
            {{PageUnit::Kind::Label,
              "标签1",
              QStringLiteral("各种岩土的可松性参考值表"),
              {10, 4, 768, 28},
              -1,
              18,
              true,
              Qt::AlignCenter},
             PicturePageUnit("图片框1", "rock_bulking", {10, 34, 768, 628}),
             {PageUnit::Kind::Label,
              "标签2",
              QStringLiteral("参照建筑施工手册(第五版) 8.1.3 综合后"),
              {10, 666, 768, 22},
              -1,
              12,
              false,
              Qt::AlignRight | Qt::AlignVCenter}}};
}

const ReferenceLink kReferences[] = {
    {.button = "按钮1", .page = RockBulkingPage, .modal = true},
};

const ReportCase kReports[] = {
    {
        .name = "mucking",
        .calculate =
            [](Form &form) {
                MuckVolume(form);
                TruckCount(form);
                MuckingTime(form);
            },
    },
};

const ModuleEntry kEntry{
    .id = "mucking",
    .table = MuckingTable,
    .button = {.id = "超级按钮5", .caption = "开挖配置计算", .height = 50, .position = 6},
    .menu = {.menu = "隧道工期及进尺计算", .item = "除渣及设备配置计算", .position = 70},
    .references = kReferences,
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::mucking
