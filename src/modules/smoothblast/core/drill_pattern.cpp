#include "modules/smoothblast/core/drill_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <bit>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <mutex>
#include <numbers>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/dxf_writer.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "modules/smoothblast/core/drill_pattern_auxiliary.h"
#include "modules/smoothblast/core/pattern_labels.h"
#include "modules/smoothblast/core/smoothblast.h"

// The drill pattern drawn from the smooth blasting design.
//
// Outline: walls and a circular arch over the floor width B whose length
// without the floor is Lo (see MakeOutline).
// Perimeter holes: evenly along the outline from one floor corner to the
// other, both corners included. Floor holes: evenly between the two corner
// holes on the floor line, B / (n + 1) apart.
// Cut: centred, at a third of the face height. A wedge cut is two columns
// 1.2 m apart with rows 0.5 m apart (an odd hole on the centre line); a
// parallel cut rings the charged holes round one empty relief hole.
// Auxiliary holes: spread over the face between the cut, the perimeter and
// the floor row, at least the burden W inside the outline (see
// PlaceAuxiliary).

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
// Rings are followed as polylines of this step, m.
constexpr double kRingStep = 0.02;

using drill::Hypot;

constexpr char kNoOutline[] = "开挖轮廓无法确定：底板长须大于0，外弧长须大于底板长，请检查参数";
constexpr char kBadCounts[] = "炮眼数量须为不小于0的整数，请先计算并检查参数";
constexpr char kBadCount[] = "%1数量为%2，须为不小于0的整数，请检查参数";
constexpr char kBadBurden[] = "光爆层厚须大于0，请检查参数";
constexpr char kTooDense[] = "炮眼过密，无法布置：%1，请检查参数";
constexpr char kAreaMismatch[] =
    "由底板长和开挖面外弧长绘出的轮廓面积为%1m²，与开挖断面面积S=%2m²不符，请检查参数";

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Walls at ±wallX from bottom to wallTop under an arc of radius round
// (0, centreY) spanning halfAngle either side of the vertical.
struct Arch {
    double wallX = 0;
    double bottom = 0;
    double wallTop = 0;
    double centreY = 0;
    double radius = 0;
    double halfAngle = 0;

    double Distance(double x, double y) const {
        double d = std::abs(Hypot(x, y - centreY) - radius);
        const double a = std::atan2(x, y - centreY);
        if (std::abs(a) > halfAngle) {
            const double ex = radius * std::sin(halfAngle),
                         ey = centreY + radius * std::cos(halfAngle);
            d = std::min(Hypot(x - ex, y - ey), Hypot(x + ex, y - ey));
        }
        if (wallTop > bottom) {
            d = std::min(d, SegmentDistance(x, y, -wallX, bottom, -wallX, wallTop));
            d = std::min(d, SegmentDistance(x, y, wallX, bottom, wallX, wallTop));
        }
        return d;
    }
};

bool IsCount(double c) {
    return std::isfinite(c) && c >= 0 && std::abs(c - std::round(c)) < 1e-9;
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


QString Distance(double m) {
    // Down to the millimetre, so that a distance just short of the least
    // never reads as the least itself.
    return ToText(std::floor(m * 1000 + 1e-9) / 1000) + QStringLiteral("m");
}

// Why the holes cannot be drilled, empty when they can: a cut or auxiliary
// hole outside the outline or nearer to it than the least spacing, or two
// charged holes nearer to each other (the closest pair is named).
QString Undrillable(const DrillPattern &p) {
    const double least = kMinHoleSpacing - 1e-9;
    for (const Hole &h : p.holes) {
        if (h.type != HoleType::Cut && h.type != HoleType::Auxiliary) continue;
        if (!p.outline.Contains(h.x, h.y))
            return QStringLiteral("%1超出开挖轮廓").arg(HoleTypeName(h.type));
        const double d = p.outline.Distance(h.x, h.y);
        if (d < least)
            return QStringLiteral("%1距开挖轮廓%2，小于最小间距%3")
                .arg(HoleTypeName(h.type), Distance(d), Distance(kMinHoleSpacing));
    }
    // Neighbours by cells of the least spacing.
    QHash<QPair<qint64, qint64>, std::vector<std::size_t>> cells;
    const auto cellOf = [](double v) { return qint64(std::floor(v / kMinHoleSpacing)); };
    for (std::size_t i = 0; i < p.holes.size(); ++i)
        cells[{cellOf(p.holes[i].x), cellOf(p.holes[i].y)}].push_back(i);
    double closest = least;
    const Hole *a = nullptr, *b = nullptr;
    for (std::size_t i = 0; i < p.holes.size(); ++i) {
        const Hole &h = p.holes[i];
        const qint64 cx = cellOf(h.x), cy = cellOf(h.y);
        for (qint64 dx = -1; dx <= 1; ++dx)
            for (qint64 dy = -1; dy <= 1; ++dy) {
                const auto it = cells.constFind({cx + dx, cy + dy});
                if (it == cells.constEnd()) continue;
                for (std::size_t j : *it) {
                    if (j <= i) continue;
                    const double d = Hypot(h.x - p.holes[j].x, h.y - p.holes[j].y);
                    if (d < closest) {
                        closest = d;
                        a = &h;
                        b = &p.holes[j];
                    }
                }
            }
    }
    if (!a) return QString();
    const QString pair =
        a->type == b->type
            ? QStringLiteral("%1间距").arg(HoleTypeName(a->type))
            : QStringLiteral("%1与%2相距").arg(HoleTypeName(a->type), HoleTypeName(b->type));
    return QStringLiteral("%1%2，小于最小间距%3")
        .arg(pair, Distance(closest), Distance(kMinHoleSpacing));
}

DrillPattern Failed(const QString &why) {
    DrillPattern p;
    p.error = why;
    return p;
}

DrillPattern Dense(const QString &why) {
    return Failed(U(kTooDense).arg(why));
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
        d.counts[t] = text.trimmed().isEmpty() ? std::numeric_limits<double>::quiet_NaN()
                                               : ToNumber(text);
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
    const Arch arch{width / 2, 0, wallHeight, centreY, radius, halfAngle};
    return std::min(arch.Distance(x, y), SegmentDistance(x, y, -width / 2, 0, width / 2, 0));
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

DrillPattern PlaceHolesAfresh(const DrillDesign &design) {
    DrillPattern p;
    if (!MakeOutline(design.floorWidth, design.outlineLength, &p.outline))
        return Failed(U(kNoOutline));
    const Outline &o = p.outline;
    // The counts were designed for S: an outline much smaller cannot take them.
    if (std::isfinite(design.area) && o.Area() < kLeastOutlineShare * design.area) {
        p.error = U(kAreaMismatch).arg(ToText(RoundTo(o.Area(), 2)), ToText(design.area));
        p.hasOutline = true;
        return p;
    }
    // An empty count is a design not yet calculated; a number names the row.
    for (int t = 0; t < 4; ++t) {
        const double c = design.counts[t];
        if (IsCount(c)) continue;
        if (!std::isfinite(c)) return Failed(U(kBadCounts));
        return Failed(U(kBadCount).arg(HoleTypeName(HoleType(t)), ToText(c)));
    }
    // More holes than any face takes would only cost time to place.
    for (int t = 0; t < 4; ++t)
        if (design.counts[t] > kMaxHoles)
            return Dense(
                QStringLiteral("%1多于%2个").arg(HoleTypeName(HoleType(t)), ToText(kMaxHoles)));
    const int cut = int(std::lround(design.counts[int(HoleType::Cut)]));
    const int aux = int(std::lround(design.counts[int(HoleType::Auxiliary)]));
    const int perimeter = int(std::lround(design.counts[int(HoleType::Perimeter)]));
    const int floor = int(std::lround(design.counts[int(HoleType::Floor)]));
    const double w = design.burden;
    if (aux > 0 && !(std::isfinite(w) && w > 0)) return Failed(U(kBadBurden));

    p.hasOutline = true;
    p.cutCentreY = o.Height() / 3;
    PlaceCut(design, cut, p);
    const double lo = o.Length();
    for (int i = 0; i < perimeter; ++i) {
        const double s = perimeter == 1 ? lo / 2 : i * lo / (perimeter - 1);
        const Outline::Point pt = o.At(s);
        p.holes.push_back(
            {HoleType::Perimeter, pt.x, pt.y, 0, design.chargePerHole[int(HoleType::Perimeter)]});
    }
    // Evenly between the corner holes.
    for (int i = 1; i <= floor; ++i) {
        const double x = -o.width / 2 + i * o.width / (floor + 1);
        p.holes.push_back({HoleType::Floor, x, 0, 0, design.chargePerHole[int(HoleType::Floor)]});
    }
    if (aux > 0 && !drill::PlaceAuxiliary(design, aux, p))
        return Dense(QStringLiteral("开挖轮廓内光爆层以内已无布置辅助眼的位置"));
    int lastAux = 3;
    for (const Hole &h : p.holes)
        if (h.type == HoleType::Auxiliary) lastAux = std::max(lastAux, h.delay);
    const int perimeterDelay = std::max(13, lastAux + 2);
    for (Hole &h : p.holes) {
        if (h.type == HoleType::Perimeter) h.delay = perimeterDelay;
        if (h.type == HoleType::Floor) h.delay = perimeterDelay + 2;
    }
    // Holes in the order cut, auxiliary, perimeter, floor.
    std::stable_sort(p.holes.begin(), p.holes.end(),
                     [](const Hole &a, const Hole &b) { return a.type < b.type; });

    if (const QString why = Undrillable(p); !why.isEmpty()) return Dense(why);

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

namespace {

// Bit for bit, so that a NaN count matches itself.
bool SameDesign(const DrillDesign &a, const DrillDesign &b) {
    static_assert(sizeof(DrillDesign) == 15 * sizeof(double), "a new field must be compared here");
    const auto same = [](double x, double y) {
        return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
    };
    for (int t = 0; t < 4; ++t)
        if (!same(a.counts[t], b.counts[t]) || !same(a.chargePerHole[t], b.chargePerHole[t]))
            return false;
    return same(a.floorWidth, b.floorWidth) && same(a.outlineLength, b.outlineLength) &&
           same(a.area, b.area) && same(a.spacing, b.spacing) && same(a.burden, b.burden) &&
           same(a.holeDiameter, b.holeDiameter) && a.parallelCut == b.parallelCut;
}

}  // namespace

// The drawing window, the report and its picture ask in turn for the same
// design, and placing it is most of an export's time.
DrillPattern PlaceHoles(const DrillDesign &design) {
    static std::mutex mutex;
    static std::deque<std::pair<DrillDesign, DrillPattern>> recent;
    {
        const std::lock_guard lock(mutex);
        for (const auto &[known, pattern] : recent)
            if (SameDesign(known, design)) return pattern;
    }
    DrillPattern pattern = PlaceHolesAfresh(design);
    const std::lock_guard lock(mutex);
    recent.emplace_front(design, pattern);
    if (recent.size() > 4) recent.pop_back();
    return pattern;
}

}  // namespace tunnel
