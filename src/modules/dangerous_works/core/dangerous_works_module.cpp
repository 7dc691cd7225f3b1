#include "core/form.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "modules/dangerous_works/core/dangerous_works.h"

namespace tunnel::modules::dangerous_works {

namespace {

const ModuleEntry kEntry{
    .id = "dangerous_works",
    .table = DangerousWorksTable,
    .button = {.id = "超级按钮6", .caption = "危大范围辨识", .height = 50, .position = 1},
    .menu = {.menu = "危大工程范围辨识", .item = "危险性较大工程辨识", .position = 10},
};

}  // namespace

const ModuleEntry &Entry() {
    return kEntry;
}

}  // namespace tunnel::modules::dangerous_works
