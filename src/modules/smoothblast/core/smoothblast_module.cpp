#include "core/form.h"
#include "core/module_entry.h"
#include "core/reference_texts.h"
#include "core/window_table.h"
#include "modules/smoothblast/core/smoothblast.h"

namespace tunnel {

HeadlessBlastView::HeadlessBlastView()
    : width(kBlastInputWidth),
      chart(BarChart::SmoothBlastingCountsDesign()),
      charges(BarChart::SmoothBlastingChargesDesign()) {}

}  // namespace tunnel

namespace tunnel::modules::smoothblast {

namespace {

PageTable WedgeCutPage() {
    return {QStringLiteral("斜眼楔形掏槽"),
            {969, 623},
            {PicturePageUnit("图片框1", "wedge_cut_layout", {10, 8, 470, 266}),
             PicturePageUnit("图片框2", "wedge_cut_two_stage", {489, 8, 470, 266}),
             PicturePageUnit("图片框3", "wedge_cut_multi_stage", {10, 283, 470, 266}),
             PicturePageUnit("图片框4", "wedge_cut_advance", {489, 283, 470, 266}),
             {PageUnit::Kind::Label, "标签1", WedgeCutText(), {14, 556, 941, 60}, -1, 14}}};
}

PageTable ParallelCutPage() {
    PageTable page{QStringLiteral("直眼掏槽选型"),
                   {1106, 843},
                   {{PageUnit::Kind::Group,
                     "分组框1",
                     QStringLiteral("小直径空孔直孔掏槽布置"),
                     {10, 6, 1086, 378}},
                    {PageUnit::Kind::Group,
                     "分组框2",
                     QStringLiteral("大直径空孔直孔掏槽布置"),
                     {10, 392, 1086, 443}},
                    PicturePageUnit("图片框6", "large_hole_cuts", {10, 28, 620, 405}, 1),
                    PicturePageUnit("图片框7", "double_spiral_cut", {639, 28, 437, 405}, 1)}};
    static const char *ids[] = {"图片框1", "图片框2", "图片框3", "图片框4", "图片框5"};
    static const char *names[] = {"parallel_cut_1", "parallel_cut_2", "parallel_cut_3",
                                  "parallel_cut_4", "parallel_cut_5"};
    for (int i = 0; i < 5; ++i)
        page.units.push_back(PicturePageUnit(ids[i], names[i], {10 + i * 215, 28, 206, 338}, 0));
    return page;
}

PageTable HoleLayoutPage() {
    return {QStringLiteral("布眼示意图（示意，非本工程设计）"),
            {794, 574},
            {PicturePageUnit("图片框1", "hole_layout", {10, 10, 774, 554})}};
}

const ReferenceLink kReferences[] = {
    {.button = kWedgeCutOptionId, .page = WedgeCutPage},
    {.button = kParallelCutOptionId, .page = ParallelCutPage},
    {.button = kBlastLayoutButton, .page = HoleLayoutPage, .modal = true},
};

const ReportCase kReports[] = {
    {
        .name = "smoothblast",
        .calculate =
            [](Form &form) {
                HeadlessBlastView view;
                CalculateBlast(form, view);
            },
    },
};

const ModuleEntry kEntry{
    .id = "smoothblast",
    .table = SmoothBlastTable,
    .button = {.id = "超级按钮1", .caption = "光面爆破计算", .height = 50, .position = 2},
    .menu = {.menu = "光面爆破计算", .item = "光面爆破与计算", .position = 30},
    .references = kReferences,
    .reports = kReports,
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::smoothblast
