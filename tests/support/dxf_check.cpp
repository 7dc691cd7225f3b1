#include "support/dxf_check.h"

#include <QJsonDocument>
#include <QProcess>

namespace tunnel::test {

namespace {

// Debian's interpreter: another python3 may come first on PATH.
constexpr char kPython[] = "/usr/bin/python3";

constexpr char kScript[] = R"PY(
"""Reads a drill pattern DXF with ezdxf and prints what the tests check, as JSON."""
import json
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
out = {"version": doc.dxfversion, "insunits": doc.header.get("$INSUNITS", 0),
       "layers": sorted(layer.dxf.name for layer in doc.layers), "circles": {},
       "radii": sorted({round(c.dxf.radius, 6) for c in msp.query("CIRCLE")})}
for c in msp.query("CIRCLE"):
    out["circles"][c.dxf.layer] = out["circles"].get(c.dxf.layer, 0) + 1

arcs = msp.query('ARC[layer=="开挖轮廓"]')
lines = msp.query('LINE[layer=="开挖轮廓"]')
arc = arcs[0]
cx, cy, r = arc.dxf.center.x, arc.dxf.center.y, arc.dxf.radius
xs = [p for ln in lines for p in (ln.dxf.start.x, ln.dxf.end.x)]
half = max(abs(x) for x in xs)
wall = max([p for ln in lines for p in (ln.dxf.start.y, ln.dxf.end.y)] + [0])


def segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def distance(px, py):
    d = min(segment(px, py, ln.dxf.start.x, ln.dxf.start.y, ln.dxf.end.x, ln.dxf.end.y)
            for ln in lines)
    angle = math.degrees(math.atan2(py - cy, px - cx)) % 360
    start, end = arc.dxf.start_angle % 360, arc.dxf.end_angle % 360
    if start <= angle <= end:
        d = min(d, abs(math.hypot(px - cx, py - cy) - r))
    return d


def inside(px, py):
    return py >= -1e-3 and abs(px) <= half + 1e-3 and (
        py <= wall + 1e-3 or math.hypot(px - cx, py - cy) <= r + 1e-3)


holes = [(c.dxf.layer, c.dxf.center.x, c.dxf.center.y) for c in msp.query("CIRCLE")
         if c.dxf.layer != "空孔"]
out["all_inside"] = all(inside(x, y) for _, x, y in holes)
out["perimeter_off"] = max([distance(x, y) for t, x, y in holes if t == "周边眼"] + [0])
out["floor_off"] = max([abs(y) for t, x, y in holes if t == "底板眼"] + [0])
spacing = math.inf
closest = None
for i, (ti, xi, yi) in enumerate(holes):
    for tj, xj, yj in holes[i + 1:]:
        d = math.hypot(xi - xj, yi - yj)
        if d < spacing:
            spacing, closest = d, sorted((ti, tj))
out["min_spacing"] = spacing if spacing != math.inf else -1
out["closest_pair"] = closest or []

# Coverage: the largest distance from a point of a 100 mm grid inside the
# outline to the nearest charged hole, against 1.5 * sqrt(area / holes).
half_angle = math.radians((arc.dxf.end_angle - arc.dxf.start_angle) % 360) / 2
area = 2 * half * wall + r * r * (half_angle - math.sin(half_angle) * math.cos(half_angle))
out["area"] = area / 1e6
out["coverage_limit"] = 1.5 * math.sqrt(area / len(holes)) if holes else -1
step = 100
top = cy + r
points = {}
for i in range(int(-half // step), int(half // step) + 1):
    for j in range(0, int(top // step) + 1):
        if inside(i * step, j * step):
            points[(i, j)] = math.inf
reach = 2 * out["coverage_limit"]
for _, x, y in holes:
    for i in range(int((x - reach) // step), int((x + reach) // step) + 2):
        for j in range(int((y - reach) // step), int((y + reach) // step) + 2):
            if (i, j) in points:
                d = math.hypot(i * step - x, j * step - y)
                if d < points[(i, j)]:
                    points[(i, j)] = d
worst, at = 0, None
for (i, j), d in points.items():
    if d == math.inf:
        d = min(math.hypot(i * step - x, j * step - y) for _, x, y in holes)
    if d > worst:
        worst, at = d, [i * step, j * step]
out["coverage"] = worst if holes else -1
out["coverage_at"] = at or []
out["texts"] = [t.dxf.text for t in msp.query('TEXT[layer=="标注"]')]
out["audit_errors"] = len(doc.audit().errors)
print(json.dumps(out, ensure_ascii=False))
)PY";

}  // namespace

QJsonObject ReadDxfWithEzdxf(const QString &path, QString *error) {
    QProcess python;
    python.start(QString::fromLatin1(kPython),
                 {QStringLiteral("-c"), QString::fromUtf8(kScript), path});
    if (!python.waitForFinished(120000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0) {
        if (error) *error = QString::fromUtf8(python.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

}  // namespace tunnel::test
