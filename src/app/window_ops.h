#pragma once

#include "widgets/window_ops.h"

namespace tunnel {

// The operations without a main window (a window opened on its own, as tests
// do): windows show, nothing is minimised or restored, and the program ends
// at once.
WindowOps &PlainWindowOps();

// The plain way to show an independent window, which the main window extends.
void ShowIndependentWindow(QWidget *window);

}  // namespace tunnel
