#pragma once

#include <QString>

namespace tunnel {

// The scrolling help text: four numbered items, then fifteen CR LF so the
// last lines leave the frame before the text starts again.
QString HelpText();

// The rules on the advance per cycle shown by the advance reference window.
QString AdvanceText();

// Release notes, newest first.
QString UpdateNotesText();

// The label under the wedge cut sketches.
QString WedgeCutText();

// The label under the vibration limit tables.
QString VibrationLimitText();

}  // namespace tunnel
