#pragma once

#include <QSize>

class QWidget;

namespace tunnel {

// A window's bar of main commands (calculate, open, save, export) carries
// this property; when its window has to scroll, the bar stays outside the
// scroll area, always in view.
inline constexpr char kCommandBarProperty[] = "commandBar";

// Shows the window modal to the program, fitted to its screen, and returns
// when it has gone (it deletes itself on close).
void ShowModalWindow(QWidget *window);

// Room the title bar and border take around a window's client area: what the
// platform reports once the window has a frame, and at least a typical title
// bar and border, which is all that is known before the window is shown.
QSize FrameAllowance(const QWidget *window);

// The largest client area a window may take: its screen's available area
// (the desktop less task bars) less the frame.
QSize ClientRoom(const QWidget *window);

// Centres a window of the given client size in its screen's available area.
void PlaceInside(QWidget *window, QSize size);

// Moves a window as little as needed to bring it, frame included, inside its
// screen's available area (to its top left corner when it is larger).
void KeepInside(QWidget *window);

// Makes a window about to be shown fit its screen. A window whose size fits
// keeps it. A larger one shows its content in a scroll area, is resizable up
// to the size it was designed for and starts at the largest size that fits,
// centred in the available area; so is a window that fits and was neither
// moved nor given a parent. Windows that already scroll their own content
// (they size themselves) are only placed; a second call does nothing.
void FitToScreen(QWidget *window);

}  // namespace tunnel
