#include "app/window_catalog.h"

#include <algorithm>

#include "core/window_table.h"
#include "widgets/help_window.h"

namespace tunnel {

const std::vector<ShellWindow> &ShellWindows() {
    static const std::vector<ShellWindow> windows = [] {
        std::vector<ShellWindow> list;
        for (const ModuleEntry *entry : BuiltModules())
            list.push_back(
                {entry->id, entry->Title(), entry->modal, entry->button, entry->menu, entry});
        // The shell's own windows close the menu bar.
        list.push_back({kHelpWindow,
                        QStringLiteral("帮助"),
                        true,
                        {},
                        {.menu = "关于本程序", .item = "帮助", .position = 1000},
                        nullptr});
        list.push_back({kUpdateNotesWindow,
                        QStringLiteral("软件更新说明"),
                        true,
                        {},
                        {.menu = "关于本程序", .item = "版本更新", .position = 1010},
                        nullptr});
        return list;
    }();
    return windows;
}

const ShellWindow *FindShellWindow(std::string_view id) {
    for (const ShellWindow &window : ShellWindows())
        if (window.id == id) return &window;
    return nullptr;
}

QWidget *CreateShellWindow(std::string_view id, const WindowContext &context) {
    const ShellWindow *window = FindShellWindow(id);
    if (!window) return nullptr;
    if (window->module) return CreateModuleWindow(*window->module, context);
    if (id == kHelpWindow) return new HelpWindow(context.dataFolder);
    return CreateUpdateNotesWindow();
}

}  // namespace tunnel
