#pragma once

#include <QFont>
#include <QList>
#include <QStringList>

namespace tunnel {

// Loads and rasterises, a line at a time over turns of the event loop, the
// glyphs of the texts in the application's font, plain and bold, and in the
// other fonts given, as a window painting them would. The font engines keep
// them for the process, so a window opened later lays out and paints its
// labels without first reading each glyph from the font file.
void WarmGlyphs(const QStringList &texts, const QList<QFont> &otherFonts = {});

}  // namespace tunnel
