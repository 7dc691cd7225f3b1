#pragma once

#include <cmath>

#include "modules/smoothblast/core/drill_pattern.h"

// Inside the drill pattern: the placement of the auxiliary holes, which
// holds the grid and the nearest-hole search that make it fast.

namespace tunnel::drill {

// The same rounding everywhere a distance is compared.
inline double Hypot(double x, double y) {
    return std::sqrt(x * x + y * y);
}

// Places the auxiliary holes among the holes already placed (cut, perimeter
// and floor): evenly over the face at the burden W or more inside the
// outline and the floor and clear of the cut. Each hole in turn goes where
// the face is furthest from any hole; then each moves, a number of times, to
// the middle of the part of the face nearest to it (Lloyd's relaxation),
// which evens out their spacing. False when there is no room for them.
bool PlaceAuxiliary(const DrillDesign &design, int count, DrillPattern &p);

}  // namespace tunnel::drill
