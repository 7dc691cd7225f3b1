#pragma once

#include <functional>

class QWidget;

namespace tunnel {

// Shows the window as an independent window and minimises the main window;
// when the window goes, the main window is restored.
void OpenCalculationWindow(QWidget *window);

// Shows the window modal to the program and returns when it has gone.
void OpenModalWindow(QWidget *window);

// Restores the main window when it is minimised or maximised, then centres
// it on the screen.
void RestoreMainWindow();

// Ends the program with exit code 0.
void EndProgram();

// Tests replace the end of the program.
void SetEndProgramHandler(std::function<void()> handler);

}  // namespace tunnel
