#pragma once

#include <QString>

class QWidget;

namespace tunnel {

class Dialogs;

// The windows of the program; one window opens another by its kind.
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

// What a window may ask of the shell. The main window implements it; the
// shell hands it to the windows it creates.
class WindowOps {
public:
    // Shows the window as an independent window and minimises the main
    // window; when the window goes, the main window is restored.
    virtual void OpenCalculationWindow(QWidget *window) = 0;
    // Shows the window modal to the program and returns when it has gone.
    virtual void OpenModalWindow(QWidget *window) = 0;
    // Restores the main window when it is minimised or maximised, then
    // centres it on the screen.
    virtual void RestoreMainWindow() = 0;
    // Ends the program with exit code 0.
    virtual void EndProgram() = 0;
    // Creates a window of the catalogue, or returns null when this build has
    // none.
    virtual QWidget *CreateWindow(WindowKind kind, Dialogs &dialogs,
                                  const QString &programFolder) = 0;
    // Whether this build has the window.
    virtual bool IsAvailable(WindowKind kind) const = 0;

protected:
    ~WindowOps() = default;
};

}  // namespace tunnel
