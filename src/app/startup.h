#pragma once

class QApplication;

namespace tunnel {

// Chinese texts for Qt's standard dialogs (buttons, file dialog).
void InstallChineseTranslations(QApplication &app);

// Shows the splash, then the main window; returns the exit code.
int RunProgram(QApplication &app);

}  // namespace tunnel
