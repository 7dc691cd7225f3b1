#pragma once

#include <QString>

class QWidget;

namespace tunnel {

class Dialogs;

// The windows the main window opens.
enum class WindowKind {
    DangerousWorks,
    SmoothBlasting,
    Vibration,
    Period,
    Ventilation,
    Mucking,
    FormworkLoad,
    Help,
    UpdateNotes,
};

struct WindowContext {
    Dialogs &dialogs;
    QString programFolder;
};

// Creates the window, or returns null when this build has none yet.
QWidget *CreateWindow(WindowKind kind, const WindowContext &context);

// Whether this build has the window.
bool IsAvailable(WindowKind kind);

// Whether the window opens as a modal dialog (else as an independent window
// that minimises the main window).
bool IsModal(WindowKind kind);

}  // namespace tunnel
