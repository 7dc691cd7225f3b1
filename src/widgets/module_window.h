#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace tunnel {

class Dialogs;
class WindowOps;
struct ModuleEntry;

// What a module's window is made with.
struct WindowContext {
    Dialogs &dialogs;
    QString dataFolder;
    WindowOps *ops = nullptr;  // null: PlainWindowOps()
};

using WindowFactory = QWidget *(*)(const WindowContext &context);

// The module's own window factory, or null when its window is the
// calculation window of its table. The build lists the factories of the
// modules it compiles that have a widgets folder.
WindowFactory ModuleFactory(std::string_view id);

// Creates the module's window, not yet shown, with the buttons of its
// reference pages connected.
QWidget *CreateModuleWindow(const ModuleEntry &entry, const WindowContext &context);

// The operations without a main window (a window opened on its own, as tests
// do): windows show, nothing is minimised or restored, and the program ends
// at once.
WindowOps &PlainWindowOps();

// The plain way to show an independent window, which the main window extends.
void ShowIndependentWindow(QWidget *window);

}  // namespace tunnel
