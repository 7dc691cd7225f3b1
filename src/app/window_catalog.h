#pragma once

#include <QString>
#include <span>

#include "widgets/window_ops.h"

class QWidget;

namespace tunnel {

struct WindowContext {
    Dialogs &dialogs;
    QString programFolder;
    WindowOps *ops = nullptr;  // null: PlainWindowOps()
};

using WindowFactory = QWidget *(*)(const WindowContext &context);

// A picture button of the main window's navigation column.
struct NavigationButton {
    const char *id = nullptr;  // null: the window has no button
    const char *caption = nullptr;
    int top = 0;
    int height = 0;
};

// An entry of the main window's menu bar; menus appear in the order of their
// first entry.
struct MenuEntry {
    const char *menu;
    const char *item;
};

// One window of the program: all the shell knows about it.
struct CatalogueEntry {
    WindowKind kind;
    const char *title;
    bool modal;            // else an independent window that minimises the main window
    WindowFactory create;  // null when this build leaves the module out
    NavigationButton button;
    MenuEntry menu;
};

// Every window in menu order.
std::span<const CatalogueEntry> WindowCatalogue();

// The entry of the kind; every kind has one.
const CatalogueEntry &CatalogueEntryOf(WindowKind kind);

// Creates the window, or returns null when this build has none.
QWidget *CreateWindow(WindowKind kind, const WindowContext &context);

// Whether this build has the window.
bool IsAvailable(WindowKind kind);

// Whether the window opens as a modal dialog (else as an independent window
// that minimises the main window).
bool IsModal(WindowKind kind);

}  // namespace tunnel
