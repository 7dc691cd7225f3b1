// Each family of pictures is drawn by one function into the given sink.

#pragma once

#include "pictures/drawing_kit.h"

namespace pictures {

// Splash, main window background and the navigation buttons.
void DrawShellPictures(PictureSink &sink);

// The window icon, and the desktop's icon sizes in icons/.
void DrawIcons(PictureSink &sink);

// Tables of rule-of-thumb and standard values for the reference windows.
void DrawReferenceTables(PictureSink &sink);

// Wedge and parallel-hole cut sketches.
void DrawCutSketches(PictureSink &sink);

// The smooth-blasting hole layout of a full section.
void DrawHoleLayout(PictureSink &sink);

}  // namespace pictures
