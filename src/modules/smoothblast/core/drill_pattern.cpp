#include "modules/smoothblast/core/drill_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/dxf_writer.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "modules/smoothblast/core/smoothblast.h"

// The drill pattern drawn from the smooth blasting design.
//
// Outline: walls and a circular arch over the floor width B whose length
// without the floor is Lo (see MakeOutline).
// Perimeter holes: evenly along the outline from one floor corner to the
// other, both corners included. Floor holes: one at the middle of each of
// equal intervals of B on the floor line.
// Cut: centred, at a third of the face height. A wedge cut is two columns
// 1.2 m apart with rows 0.5 m apart (an odd hole on the centre line); a
// parallel cut rings the charged holes round one empty relief hole.
// Auxiliary holes: on rings parallel to the outline, the first at the
// burden W inside it, then inward at a spacing close to W until W short of
// the cut zone. Rings stop W above the floor, where the floor holes work.
// Holes are shared among rings by length (largest remainders) and spread
// evenly along each ring.
// Delays: cut 1 (inner) and 3 (outer), rings 5, 7, … from the inside out,
// perimeter 13 or the next odd number, floor after it.

namespace tunnel {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kWedgeColumnSpacing = 1.2;
constexpr double kWedgeRowSpacing = 0.5;
constexpr double kReliefDiameter = 0.1;
constexpr double kParallelInnerRadius = 0.25;
constexpr double kParallelOuterRadius = 0.55;
constexpr double kParallelOuterChord = 0.35;
constexpr int kMaxHoles = 5000;

constexpr char kNoOutline[] = "开挖轮廓无法确定：底板长须大于0，外弧长须大于底板长，请检查参数";
constexpr char kBadCounts[] = "炮眼数量须为不小于0的整数，请先计算并检查参数";
constexpr char kBadBurden[] = "光爆层厚须大于0，请检查参数";
constexpr char kTooDense[] = "炮眼过密，无法布置，请检查参数";

double Hypot(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// A curve parallel to the outline, inset by d, cut off at y = bottom: walls
// at ±(B/2 − d) up to the wall height, then the arch of radius R − d.
struct Ring {
    double wallX = 0;
    double bottom = 0;
    double wallTop = 0;
    double centreY = 0;
    double radius = 0;
    double halfAngle = 0;

    double WallLength() const { return std::max(0.0, wallTop - bottom); }
    double Length() const { return 2 * WallLength() + 2 * radius * halfAngle; }
    Outline::Point At(double s) const {
        const double wall = WallLength();
        const double arc = 2 * radius * halfAngle;
        if (s < wall) return {-wallX, bottom + s};
        if (s <= wall + arc) {
            const double a = -halfAngle + (s - wall) / radius;
            return {radius * std::sin(a), centreY + radius * std::cos(a)};
        }
        return {wallX, wallTop - (s - wall - arc)};
    }
    // Distance from a point inside the ring to it.
    double Distance(double x, double y) const {
        double d = std::abs(Hypot(x, y - centreY) - radius);
        const double a = std::atan2(x, y - centreY);
        if (std::abs(a) > halfAngle) {
            const double ex = radius * std::sin(halfAngle),
                         ey = centreY + radius * std::cos(halfAngle);
            d = std::min(Hypot(x - ex, y - ey), Hypot(x + ex, y - ey));
        }
        if (WallLength() > 0) {
            d = std::min(d, SegmentDistance(x, y, -wallX, bottom, -wallX, wallTop));
            d = std::min(d, SegmentDistance(x, y, wallX, bottom, wallX, wallTop));
        }
        return d;
    }
};

// The ring inset by d above bottom; false when nothing of it is left.
bool MakeRing(const Outline &o, double d, double bottom, Ring *ring) {
    ring->radius = o.radius - d;
    ring->centreY = o.centreY;
    ring->bottom = bottom;
    ring->wallX = o.width / 2 - d;
    if (ring->radius <= 0 || ring->centreY + ring->radius <= bottom) return false;
    if (o.wallHeight > bottom) {
        ring->wallTop = o.wallHeight;
        ring->halfAngle = o.halfAngle;
    } else {
        ring->wallTop = bottom;
        const double c = std::clamp((bottom - o.centreY) / ring->radius, -1.0, 1.0);
        ring->halfAngle = std::min(o.halfAngle, std::acos(c));
    }
    return ring->Length() > 0;
}

bool IsCount(double c) {
    return std::isfinite(c) && c >= 0 && std::abs(c - std::round(c)) < 1e-9;
}

// Counts shared in proportion to the weights, summing exactly to total.
std::vector<int> Share(int total, const std::vector<double> &weights) {
    double sum = 0;
    for (double w : weights) sum += w;
    std::vector<int> shares(weights.size(), 0);
    std::vector<std::pair<double, std::size_t>> remainders;
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double exact = total * weights[i] / sum;
        shares[i] = int(std::floor(exact));
        given += shares[i];
        remainders.push_back({exact - shares[i], i});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (int i = 0; i < total - given; ++i) ++shares[remainders[std::size_t(i)].second];
    return shares;
}

void PlaceCut(const DrillDesign &design, int count, DrillPattern &p) {
    const double cy = p.cutCentreY;
    const double charge = design.chargePerHole[int(HoleType::Cut)];
    auto add = [&](double x, double y, int delay) {
        p.holes.push_back({HoleType::Cut, x, y, delay, charge});
    };
    if (design.parallelCut) {
        p.hasRelief = true;
        p.reliefX = 0;
        p.reliefY = cy;
        p.reliefDiameter = kReliefDiameter;
        p.cutSpacing = kParallelInnerRadius;
        const int inner = std::min(count, 4);
        for (int i = 0; i < inner; ++i) {
            const double a = 2 * kPi * i / inner;
            add(kParallelInnerRadius * std::cos(a), cy + kParallelInnerRadius * std::sin(a), 1);
        }
        const int outer = count - inner;
        if (outer > 0) {
            const double r =
                std::max(kParallelOuterRadius,
                         kParallelOuterChord / (2 * std::sin(kPi / std::max(outer, 2))));
            for (int i = 0; i < outer; ++i) {
                const double a = 2 * kPi * (i + 0.5) / outer;
                add(r * std::cos(a), cy + r * std::sin(a), 3);
            }
        }
        return;
    }
    // Wedge cut: symmetric pairs in two columns; the top and bottom rows are
    // the outer pairs once there are more than two rows.
    p.cutSpacing = kWedgeColumnSpacing;
    const int pairs = count / 2;
    const double half = kWedgeColumnSpacing / 2;
    for (int k = 0; k < pairs; ++k) {
        const double offset = k - (pairs - 1) / 2.0;
        const bool outer = pairs > 2 && (k == 0 || k == pairs - 1);
        const double y = cy + offset * kWedgeRowSpacing;
        add(-half, y, outer ? 3 : 1);
        add(half, y, outer ? 3 : 1);
    }
    if (count % 2) add(0, cy, 1);
}

// False when a charged hole leaves the outline or two holes are closer than
// the minimum, the perimeter and floor rows among themselves excepted (their
// spacing is the design's own).
bool Drillable(const DrillPattern &p) {
    const auto &holes = p.holes;
    for (const Hole &h : holes) {
        const bool free = h.type == HoleType::Cut || h.type == HoleType::Auxiliary;
        if (free && (!p.outline.Contains(h.x, h.y) ||
                     p.outline.Distance(h.x, h.y) < kMinHoleSpacing - 1e-9))
            return false;
    }
    for (std::size_t i = 0; i < holes.size(); ++i) {
        const bool freeI = holes[i].type == HoleType::Cut || holes[i].type == HoleType::Auxiliary;
        for (std::size_t j = i + 1; j < holes.size(); ++j) {
            const bool freeJ =
                holes[j].type == HoleType::Cut || holes[j].type == HoleType::Auxiliary;
            if (!freeI && !freeJ) continue;
            if (Hypot(holes[i].x - holes[j].x, holes[i].y - holes[j].y) < kMinHoleSpacing - 1e-9)
                return false;
        }
    }
    return true;
}

DrillPattern Failed(const char *why) {
    DrillPattern p;
    p.error = U(why);
    return p;
}

}  // namespace

QString HoleTypeName(HoleType type) {
    switch (type) {
        case HoleType::Cut:
            return QStringLiteral("掏槽眼");
        case HoleType::Auxiliary:
            return QStringLiteral("辅助眼");
        case HoleType::Perimeter:
            return QStringLiteral("周边眼");
        case HoleType::Floor:
            break;
    }
    return QStringLiteral("底板眼");
}

DrillDesign ReadDrillDesign(const Form &form) {
    DrillDesign d;
    d.floorWidth = ReadNumber(form, kFloorWidthId);
    d.outlineLength = ReadNumber(form, kOutlineId);
    d.area = ReadNumber(form, kAreaId);
    d.spacing = ReadNumber(form, kSpacingId) / 100;
    d.burden = ReadNumber(form, kBurdenId) / 100;
    d.holeDiameter = ReadNumber(form, kHoleDiameterId);
    d.parallelCut = form.Checked(kParallelCutOptionId);
    const char *const counts[] = {kCutHolesId, kAuxHolesId, kPerimeterHolesId, kFloorHolesId};
    const char *const charges[] = {kCutPerHoleId, kAuxPerHoleId, kPerimeterPerHoleId,
                                   kFloorPerHoleId};
    for (int t = 0; t < 4; ++t) {
        // An empty result field is no count at all, not zero holes.
        const QString text = form.Text(counts[t]);
        d.counts[t] = text.trimmed().isEmpty() ? -1 : ToNumber(text);
        d.chargePerHole[t] = ReadNumber(form, charges[t]);
    }
    return d;
}

double Outline::Area() const {
    const double segment =
        radius * radius * (halfAngle - std::sin(halfAngle) * std::cos(halfAngle));
    return width * wallHeight + segment;
}

double Outline::Length() const {
    return 2 * wallHeight + 2 * radius * halfAngle;
}

Outline::Point Outline::At(double s) const {
    const double arc = 2 * radius * halfAngle;
    if (s <= wallHeight) return {-width / 2, s};
    if (s <= wallHeight + arc) {
        const double a = -halfAngle + (s - wallHeight) / radius;
        return {radius * std::sin(a), centreY + radius * std::cos(a)};
    }
    return {width / 2, std::max(0.0, wallHeight - (s - wallHeight - arc))};
}

double Outline::Distance(double x, double y) const {
    Ring ring{width / 2, 0, wallHeight, centreY, radius, halfAngle};
    return std::min(ring.Distance(x, y), SegmentDistance(x, y, -width / 2, 0, width / 2, 0));
}

bool Outline::Contains(double x, double y) const {
    constexpr double kTolerance = 1e-9;
    if (y < -kTolerance || std::abs(x) > width / 2 + kTolerance) return false;
    return y <= wallHeight || Hypot(x, y - centreY) <= radius + kTolerance;
}

bool MakeOutline(double b, double lo, Outline *o) {
    if (!std::isfinite(b) || !std::isfinite(lo) || b <= 0 || lo <= b) return false;
    o->width = b;
    if (lo >= kPi * b / 2) {
        o->radius = b / 2;
        o->halfAngle = kPi / 2;
        o->wallHeight = (lo - kPi * b / 2) / 2;
        o->centreY = o->wallHeight;
        return true;
    }
    // α / sin α grows from 1 to π/2 on (0, π/2]: bisection.
    const double ratio = lo / b;
    double lowA = 0, highA = kPi / 2;
    for (int i = 0; i < 100; ++i) {
        const double mid = (lowA + highA) / 2;
        (mid / std::sin(mid) < ratio ? lowA : highA) = mid;
    }
    const double a = (lowA + highA) / 2;
    o->halfAngle = a;
    o->radius = b / (2 * std::sin(a));
    o->centreY = -o->radius * std::cos(a);
    o->wallHeight = 0;
    return true;
}

int DrillPattern::Count(HoleType type) const {
    return int(std::count_if(holes.begin(), holes.end(),
                             [type](const Hole &h) { return h.type == type; }));
}

DrillPattern PlaceHoles(const DrillDesign &design) {
    DrillPattern p;
    if (!MakeOutline(design.floorWidth, design.outlineLength, &p.outline))
        return Failed(kNoOutline);
    for (double c : design.counts)
        if (!IsCount(c)) return Failed(kBadCounts);
    // More holes than any face takes would only cost time to place.
    for (double c : design.counts)
        if (c > kMaxHoles) return Failed(kTooDense);
    const int cut = int(std::lround(design.counts[int(HoleType::Cut)]));
    const int aux = int(std::lround(design.counts[int(HoleType::Auxiliary)]));
    const int perimeter = int(std::lround(design.counts[int(HoleType::Perimeter)]));
    const int floor = int(std::lround(design.counts[int(HoleType::Floor)]));
    const double w = design.burden;
    if (aux > 0 && !(std::isfinite(w) && w > 0)) return Failed(kBadBurden);
    const Outline &o = p.outline;

    p.cutCentreY = o.Height() / 3;
    PlaceCut(design, cut, p);

    // The cut zone's box, relief hole included.
    double left = 0, right = 0, bottom = p.cutCentreY, top = p.cutCentreY;
    for (const Hole &h : p.holes) {
        left = std::min(left, h.x);
        right = std::max(right, h.x);
        bottom = std::min(bottom, h.y);
        top = std::max(top, h.y);
    }

    std::vector<Ring> rings;
    if (aux > 0) {
        Ring outer;
        if (!MakeRing(o, 0, w, &outer)) return Failed(kTooDense);
        const double corners[][2] = {
            {left, bottom}, {right, bottom}, {left, top}, {right, top}, {0, top}};
        double gap = std::numeric_limits<double>::infinity();
        for (const auto &c : corners) gap = std::min(gap, outer.Distance(c[0], c[1]));
        const double innermost = gap - w;
        const int count = innermost < w ? 1 : 1 + int(std::lround((innermost - w) / w));
        const double step = count > 1 ? (innermost - w) / (count - 1) : 0;
        std::vector<double> lengths;
        for (int k = 0; k < count; ++k) {
            Ring ring;
            if (!MakeRing(o, w + k * step, w, &ring)) break;
            rings.push_back(ring);
            lengths.push_back(ring.Length());
        }
        if (rings.empty()) return Failed(kTooDense);
        const std::vector<int> shares = Share(aux, lengths);
        // Delays from the innermost ring out.
        int delay = 5;
        for (std::size_t k = rings.size(); k-- > 0;) {
            const int n = shares[k];
            if (n == 0) continue;
            const double length = rings[k].Length();
            for (int i = 0; i < n; ++i) {
                const Outline::Point pt = rings[k].At((i + 0.5) * length / n);
                p.holes.push_back({HoleType::Auxiliary, pt.x, pt.y, delay,
                                   design.chargePerHole[int(HoleType::Auxiliary)]});
            }
            delay += 2;
        }
    }
    int lastAux = 3;
    for (const Hole &h : p.holes)
        if (h.type == HoleType::Auxiliary) lastAux = std::max(lastAux, h.delay);
    const int perimeterDelay = std::max(13, lastAux + 2);

    const double lo = o.Length();
    for (int i = 0; i < perimeter; ++i) {
        const double s = perimeter == 1 ? lo / 2 : i * lo / (perimeter - 1);
        const Outline::Point pt = o.At(s);
        p.holes.push_back({HoleType::Perimeter, pt.x, pt.y, perimeterDelay,
                           design.chargePerHole[int(HoleType::Perimeter)]});
    }
    for (int i = 0; i < floor; ++i) {
        const double x = -o.width / 2 + (i + 0.5) * o.width / floor;
        p.holes.push_back({HoleType::Floor, x, 0, perimeterDelay + 2,
                           design.chargePerHole[int(HoleType::Floor)]});
    }

    if (!Drillable(p)) return Failed(kTooDense);

    for (const Hole &h : p.holes) {
        auto row = std::find_if(p.delays.begin(), p.delays.end(),
                                [&](const DelayRow &r) { return r.delay == h.delay; });
        if (row == p.delays.end()) {
            p.delays.push_back({h.delay, h.type, 0, h.charge, 0});
            row = p.delays.end() - 1;
        }
        ++row->count;
        row->charge = row->count * row->chargePerHole;
    }
    std::sort(p.delays.begin(), p.delays.end(),
              [](const DelayRow &a, const DelayRow &b) { return a.delay < b.delay; });
    for (const DelayRow &r : p.delays) p.maxDelayCharge = std::max(p.maxDelayCharge, r.charge);
    return p;
}

}  // namespace tunnel

namespace tunnel {

namespace {

QString Metres(double m) {
    return ToText(RoundTo(m, 2)) + QStringLiteral("m");
}

QString Centimetres(double m) {
    return ToText(RoundTo(m * 100, 1)) + QStringLiteral("cm");
}

}  // namespace

QString ChargeText(double kg) {
    return ToText(RoundTo(kg, 3));
}

std::vector<Dimension> PatternDimensions(const DrillPattern &p, const DrillDesign &design) {
    std::vector<Dimension> dims;
    const Outline &o = p.outline;
    const double b = o.width, h = o.Height();
    dims.push_back({-b / 2, 0, b / 2, 0, -0.8, QStringLiteral("B=") + Metres(b)});
    dims.push_back({b / 2, 0, b / 2, h, -0.8, QStringLiteral("H=") + Metres(h)});
    // E between the two perimeter holes nearest the crown, measured as drawn.
    std::vector<const Hole *> perimeter;
    for (const Hole &hole : p.holes)
        if (hole.type == HoleType::Perimeter) perimeter.push_back(&hole);
    if (perimeter.size() >= 2) {
        std::size_t i = (perimeter.size() - 1) / 2;
        if (i + 1 >= perimeter.size()) i = perimeter.size() - 2;
        const Hole &a = *perimeter[i], &c = *perimeter[i + 1];
        dims.push_back({a.x, a.y, c.x, c.y, 0.45,
                        QStringLiteral("E=") + Centimetres(Hypot(c.x - a.x, c.y - a.y))});
    }
    if (p.Count(HoleType::Auxiliary) > 0)
        dims.push_back(
            {0, h, 0, h - design.burden, 1.3, QStringLiteral("W=") + Centimetres(design.burden)});
    double top = -1, left = 0, right = 0;
    for (const Hole &hole : p.holes) {
        if (hole.type != HoleType::Cut) continue;
        if (hole.y > top + 1e-9) {
            top = hole.y;
            left = right = hole.x;
        } else if (std::abs(hole.y - top) < 1e-9) {
            left = std::min(left, hole.x);
            right = std::max(right, hole.x);
        }
    }
    if (p.hasRelief && p.Count(HoleType::Cut) > 0) {
        dims.push_back({p.reliefX, p.reliefY, p.reliefX + p.cutSpacing, p.reliefY, -0.3,
                        QStringLiteral("掏槽间距") + Centimetres(p.cutSpacing)});
    } else if (right - left > 1e-9) {
        dims.push_back(
            {left, top, right, top, 0.7, QStringLiteral("掏槽间距") + Metres(right - left)});
    }
    return dims;
}

QStringList PatternLegend(const DrillPattern &p, const DrillDesign &design) {
    QStringList lines;
    for (HoleType t : {HoleType::Cut, HoleType::Auxiliary, HoleType::Perimeter, HoleType::Floor})
        lines << QStringLiteral("%1  %2个").arg(HoleTypeName(t), ToText(p.Count(t)));
    lines << QStringLiteral("合计  %1个").arg(ToText(int(p.holes.size())));
    lines << QStringLiteral("轮廓面积 %1m²（输入断面面积S=%2m²，S可含仰拱，两者可不同）")
                 .arg(ToText(RoundTo(p.outline.Area(), 2)), ToText(design.area));
    for (const DelayRow &r : p.delays)
        lines << QStringLiteral("第%1段 %2 %3个 %4kg")
                     .arg(ToText(r.delay), HoleTypeName(r.type), ToText(r.count),
                          ChargeText(r.charge));
    lines << QStringLiteral("最大段装药量 %1kg").arg(ChargeText(p.maxDelayCharge));
    return lines;
}

QByteArray DrillPatternDxf(const DrillPattern &p, const DrillDesign &design) {
    constexpr double kMm = 1000;
    const QString outlineLayer = QStringLiteral("开挖轮廓");
    const QString notes = QStringLiteral("标注");
    const QString relief = QStringLiteral("空孔");
    DxfWriter dxf(4);
    dxf.AddLayer(outlineLayer, 7);
    const int colours[] = {1, 3, 5, 6};  // red, green, blue, magenta
    for (HoleType t : {HoleType::Cut, HoleType::Auxiliary, HoleType::Perimeter, HoleType::Floor})
        dxf.AddLayer(HoleTypeName(t), colours[int(t)]);
    dxf.AddLayer(relief, 8);
    dxf.AddLayer(notes, 7);

    const Outline &o = p.outline;
    const double hb = o.width / 2 * kMm, wall = o.wallHeight * kMm;
    dxf.Line(outlineLayer, -hb, 0, hb, 0);
    if (wall > 0) {
        dxf.Line(outlineLayer, -hb, 0, -hb, wall);
        dxf.Line(outlineLayer, hb, 0, hb, wall);
    }
    const double a = o.halfAngle * 180 / kPi;
    dxf.Arc(outlineLayer, 0, o.centreY * kMm, o.radius * kMm, 90 - a, 90 + a);

    const double r = design.holeDiameter / 2;
    const double textHeight = 100;
    for (const Hole &h : p.holes) {
        dxf.Circle(HoleTypeName(h.type), h.x * kMm, h.y * kMm, r);
        dxf.Text(notes, h.x * kMm + r + 30, h.y * kMm + r + 20, textHeight, ToText(h.delay));
    }
    if (p.hasRelief)
        dxf.Circle(relief, p.reliefX * kMm, p.reliefY * kMm, p.reliefDiameter / 2 * kMm);

    for (const Dimension &d : PatternDimensions(p, design)) {
        const double len = Hypot(d.x2 - d.x1, d.y2 - d.y1);
        if (len <= 0) continue;
        const double nx = -(d.y2 - d.y1) / len, ny = (d.x2 - d.x1) / len;
        const double ax = (d.x1 + nx * d.offset) * kMm, ay = (d.y1 + ny * d.offset) * kMm;
        const double bx = (d.x2 + nx * d.offset) * kMm, by = (d.y2 + ny * d.offset) * kMm;
        dxf.Line(notes, d.x1 * kMm, d.y1 * kMm, ax, ay);
        dxf.Line(notes, d.x2 * kMm, d.y2 * kMm, bx, by);
        dxf.Line(notes, ax, ay, bx, by);
        const double side = d.offset < 0 ? -1 : 1;
        double angle = std::atan2(d.y2 - d.y1, d.x2 - d.x1) * 180 / kPi;
        if (angle > 90.5 || angle < -90.5) angle += 180;
        dxf.Text(notes, (ax + bx) / 2 + nx * side * 60, (ay + by) / 2 + ny * side * 60,
                 textHeight * 1.5, d.text, DxfWriter::Align::Centre, angle);
    }

    const double legendX = (o.width / 2 + 2.0) * kMm;
    double y = o.Height() * kMm;
    dxf.Text(notes, legendX, y, 250, QStringLiteral("钻爆设计图"));
    for (const QString &line : PatternLegend(p, design)) {
        y -= 300;
        dxf.Text(notes, legendX, y, 180, line);
    }
    return dxf.Finish();
}

QString SaveDrawingFile(Dialogs &dialogs, const QString &programFolder, const QString &fileName,
                        const QString &filter, const QByteArray &bytes) {
    const QString folder = programFolder + QStringLiteral("/导出的方案");
    QDir().mkpath(folder);
    FileRequest request;
    request.save = true;
    request.initialFolder = folder;
    request.filter = filter;
    request.defaultExtension = QLatin1Char('.') + QFileInfo(fileName).suffix();
    request.fileName = fileName;
    const std::optional<QString> path = dialogs.AskFile(request);
    if (!path || path->isEmpty()) return QString();
    const QString failure = WriteFileAtomically(*path, bytes);
    if (!failure.isEmpty()) {
        dialogs.Message(QStringLiteral("导出失败！\r\n文件：%1\r\n原因：%2")
                            .arg(QDir::toNativeSeparators(*path), failure),
                        QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return QString();
    }
    dialogs.Message(QStringLiteral("导出成功！"));
    return *path;
}

}  // namespace tunnel
