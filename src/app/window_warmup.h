#pragma once

#include <functional>

namespace tunnel {

// Builds every module window of the build once, out of sight, and paints it
// into an image, one window per turn of the event loop. What a first open
// pays once per process (font engines of every size the windows use, their
// glyphs, pictures, style sheets, the module tables) is then paid before the
// user asks for a window. The windows read an empty folder of their own, so
// no file of the user's is read or written, and they never reach the screen.
// done runs after the last window.
void WarmWindows(std::function<void()> done = {});

}  // namespace tunnel
