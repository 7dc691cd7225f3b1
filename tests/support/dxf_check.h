#pragma once

#include <QJsonObject>
#include <QString>

namespace tunnel::test {

// What Debian's python3-ezdxf reads from a drill pattern DXF: version,
// $INSUNITS, layers, circles per layer, radii, whether every hole is inside
// the outline, how far perimeter holes lie off it and floor holes off the
// floor line (mm), the smallest spacing of two charged holes and their
// layers, the outline's area (m²), the coverage (the largest distance from
// a point of a 100 mm grid inside the outline to the nearest charged hole,
// mm, where, and its limit 1.5·√(area / holes)), the texts on "标注" and
// the audit's error count. Empty when the file cannot be read; the reason
// is in error.
QJsonObject ReadDxfWithEzdxf(const QString &path, QString *error = nullptr);

}  // namespace tunnel::test
