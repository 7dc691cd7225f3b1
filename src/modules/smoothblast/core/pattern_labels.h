#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "modules/smoothblast/core/drill_pattern.h"

namespace tunnel {

// A text of the drill pattern drawing: the centre of its box, the box's size
// in metres and its angle in degrees counter-clockwise.
struct Label {
    QString text;
    double x = 0, y = 0;
    double width = 0, height = 0;
    double angle = 0;
    int hole = -1;       // the hole whose delay it gives, or -1
    int dimension = -1;  // the dimension it measures, or -1
};

// Sizes as drawn, in metres of the face.
struct LabelStyle {
    double holeRadius = 0;
    double reliefRadius = 0;
    double delayHeight = 0;      // box height of a delay number
    double dimensionHeight = 0;  // box height of a dimension text
    // Width of a delay number's or a dimension text's box 1 high;
    // EstimatedTextWidth when empty.
    std::function<double(const QString &text, bool delay)> width;
};

// Width of a text whose box is 1 high, in a CJK font of which Chinese
// characters are square and digits and Latin letters narrower.
double EstimatedTextWidth(const QString &text);

// Places the text of each dimension, then the delay number of each hole,
// each at the first of its candidate places that overlaps no hole, no
// relief hole and no text placed before. A text with no such place is left
// out (the drawing is too small for it at that scale).
std::vector<Label> PlaceLabels(const DrillPattern &pattern,
                               const std::vector<Dimension> &dimensions, const LabelStyle &style);

bool Overlaps(const Label &a, const Label &b);
// Whether the label's box and the circle overlap.
bool Overlaps(const Label &label, double x, double y, double radius);

}  // namespace tunnel
