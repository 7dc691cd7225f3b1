#pragma once

#include <QString>
#include <string_view>
#include <vector>

#include "core/module_entry.h"
#include "widgets/module_window.h"
#include "widgets/window_ops.h"

class QWidget;

namespace tunnel {

// The ids of the shell's own windows beside the modules'.
inline constexpr char kHelpWindow[] = "help";
inline constexpr char kUpdateNotesWindow[] = "update_notes";

// A window the menu bar or the navigation column opens: a module's, or one
// of the shell's own.
struct ShellWindow {
    std::string_view id;
    QString title;
    bool modal;  // else an independent window that minimises the main window
    NavigationButton button;
    MenuPlace menu;
    const ModuleEntry *module;  // null for the shell's own windows
};

// The windows of this build in menu order: every built module, then help
// and the release notes.
const std::vector<ShellWindow> &ShellWindows();

// The window with this id, or null when the build has none.
const ShellWindow *FindShellWindow(std::string_view id);

// Creates the window, or returns null when this build has none.
QWidget *CreateShellWindow(std::string_view id, const WindowContext &context);

}  // namespace tunnel
