#pragma once

#include <QList>
#include <QString>
#include <string_view>

class QWidget;

namespace tunnel {

class Dialogs;

// A field text handed to a window another window opens, set as typed.
struct FieldValue {
    QString id;
    QString text;
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

    // Creates the window of the module with this id, not yet shown, its
    // fields set to the values as typing would set them; null when this
    // build has no such module. Windows open each other this way, so no
    // module needs another's headers.
    virtual QWidget *CreateModuleWindow(std::string_view id, Dialogs &dialogs,
                                        const QString &dataFolder,
                                        const QList<FieldValue> &values = {});
    // Whether this build has the module.
    virtual bool HasModule(std::string_view id) const;

protected:
    ~WindowOps() = default;
};

}  // namespace tunnel
