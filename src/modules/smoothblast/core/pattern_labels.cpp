#include "modules/smoothblast/core/pattern_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/conversions.h"

namespace tunnel {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

struct Vec {
    double x, y;
};

std::array<Vec, 4> Corners(const Label &l) {
    const double c = std::cos(l.angle * kDegree), s = std::sin(l.angle * kDegree);
    const double hw = l.width / 2, hh = l.height / 2;
    std::array<Vec, 4> corners;
    const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) {
        const double u = signs[i][0] * hw, v = signs[i][1] * hh;
        corners[std::size_t(i)] = {l.x + u * c - v * s, l.y + u * s + v * c};
    }
    return corners;
}

// Separating axes: the two edge directions of each box.
bool Separated(const std::array<Vec, 4> &a, const std::array<Vec, 4> &b) {
    for (const auto *box : {&a, &b})
        for (int e = 0; e < 2; ++e) {
            const Vec axis{(*box)[std::size_t(e + 1)].x - (*box)[std::size_t(e)].x,
                           (*box)[std::size_t(e + 1)].y - (*box)[std::size_t(e)].y};
            double minA = INFINITY, maxA = -INFINITY, minB = INFINITY, maxB = -INFINITY;
            for (const Vec &p : a) {
                const double d = p.x * axis.x + p.y * axis.y;
                minA = std::min(minA, d);
                maxA = std::max(maxA, d);
            }
            for (const Vec &p : b) {
                const double d = p.x * axis.x + p.y * axis.y;
                minB = std::min(minB, d);
                maxB = std::max(maxB, d);
            }
            if (maxA <= minB || maxB <= minA) return true;
        }
    return false;
}

// Readable angle of a line: never upside down.
double Upright(double degrees) {
    while (degrees > 90.5) degrees -= 180;
    while (degrees <= -89.5) degrees += 180;
    return degrees;
}

class Placer {
public:
    Placer(const DrillPattern &p, const LabelStyle &style) : m_pattern(p), m_style(style) {
        m_pad = 0.1 * std::max(style.delayHeight, style.dimensionHeight);
    }

    double Width(const QString &text, bool delay) const {
        const double height = delay ? m_style.delayHeight : m_style.dimensionHeight;
        return (m_style.width ? m_style.width(text, delay) : EstimatedTextWidth(text)) * height;
    }

    bool Free(const Label &l) const {
        const double reach = std::hypot(l.width, l.height) / 2;
        for (const Hole &h : m_pattern.holes) {
            const double r = m_style.holeRadius + m_pad;
            if (std::abs(h.x - l.x) > reach + r || std::abs(h.y - l.y) > reach + r) continue;
            if (Overlaps(l, h.x, h.y, r)) return false;
        }
        if (m_pattern.hasRelief &&
            Overlaps(l, m_pattern.reliefX, m_pattern.reliefY, m_style.reliefRadius + m_pad))
            return false;
        for (const Label &o : m_placed) {
            const double r = std::hypot(o.width, o.height) / 2;
            if (std::abs(o.x - l.x) > reach + r || std::abs(o.y - l.y) > reach + r) continue;
            if (Overlaps(l, o)) return false;
        }
        return true;
    }

    // Places the first free candidate; false when none is.
    bool Place(const std::vector<Label> &candidates) {
        for (const Label &c : candidates)
            if (Free(c)) {
                m_placed.push_back(c);
                return true;
            }
        return false;
    }

    std::vector<Label> Take() { return std::move(m_placed); }

private:
    const DrillPattern &m_pattern;
    const LabelStyle &m_style;
    double m_pad = 0;
    std::vector<Label> m_placed;
};

// Along the dimension line on the side away from what it measures, nearest
// the middle first; then past either end; then on the other side; then
// further out.
std::vector<Label> DimensionCandidates(const Dimension &d, int index, const Placer &placer,
                                       const LabelStyle &style) {
    std::vector<Label> out;
    const double len = std::hypot(d.x2 - d.x1, d.y2 - d.y1);
    if (len <= 0) return out;
    const Vec u{(d.x2 - d.x1) / len, (d.y2 - d.y1) / len};
    const Vec n{-u.y, u.x};
    const Vec a{d.x1 + n.x * d.offset, d.y1 + n.y * d.offset};
    const double side = d.offset < 0 ? -1 : 1;
    const double h = style.dimensionHeight;
    Label base{.text = d.text,
               .width = placer.Width(d.text, false),
               .height = h,
               .angle = Upright(std::atan2(u.y, u.x) / kDegree),
               .dimension = index};
    const double gap = 0.15 * h;
    auto at = [&](double along, double across) {
        Label l = base;
        l.x = a.x + u.x * along + n.x * across;
        l.y = a.y + u.y * along + n.y * across;
        return l;
    };
    for (double rise : {h / 2 + gap, h * 1.5 + gap, h * 2.5 + gap}) {
        for (double s : {-1.0, 1.0}) {
            if (rise > h && s < 0) continue;
            const double across = side * s * rise;
            for (double t : {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8}) out.push_back(at(t * len, across));
            out.push_back(at(len + base.width / 2 + gap, across));
            out.push_back(at(-base.width / 2 - gap, across));
        }
    }
    // Level, further out past either end, the line running on to it.
    const double reach = std::abs(u.x) * base.width / 2 + std::abs(u.y) * h / 2;
    for (double further : {1.0, 2.0, 3.0, 4.0, 6.0})
        for (double end : {0.0, 1.0}) {
            const double along = end > 0 ? len + reach + further * h : -reach - further * h;
            Label l = at(along, 0);
            l.angle = 0;
            out.push_back(l);
        }
    return out;
}

// Round the hole from the side it is best read on, at two distances.
std::vector<Label> DelayCandidates(const DrillPattern &p, std::size_t index, const Placer &placer,
                                   const LabelStyle &style) {
    const Hole &hole = p.holes[index];
    const Outline &o = p.outline;
    double prefer = 45;  // upper right
    if (hole.type == HoleType::Floor) {
        prefer = -90;
    } else if (hole.type == HoleType::Perimeter) {
        // Outward: across the wall, from the arch's centre, out of a corner.
        if (hole.y < 1e-6)
            prefer = hole.x < 0 ? -135 : -45;
        else if (hole.y <= o.wallHeight)
            prefer = hole.x < 0 ? 180 : 0;
        else
            prefer = std::atan2(hole.y - o.centreY, hole.x) / kDegree;
    }
    const QString text = ToText(hole.delay);
    const double h = style.delayHeight;
    const double w = placer.Width(text, true);
    std::vector<Label> out;
    for (double gap : {0.2 * h, 1.0 * h}) {
        for (int k = 0; k < 8; ++k) {
            // 0, +45, −45, +90, −90, … from the preferred side.
            const double turn = (k + 1) / 2 * 45.0 * (k % 2 ? 1 : -1);
            const double a = (prefer + turn) * kDegree;
            const Vec dir{std::cos(a), std::sin(a)};
            const double reach =
                style.holeRadius + gap + std::abs(dir.x) * w / 2 + std::abs(dir.y) * h / 2;
            out.push_back({.text = text,
                           .x = hole.x + dir.x * reach,
                           .y = hole.y + dir.y * reach,
                           .width = w,
                           .height = h,
                           .hole = int(index)});
        }
    }
    return out;
}

}  // namespace

double EstimatedTextWidth(const QString &text) {
    double width = 0;
    for (const QChar c : text) width += c.unicode() < 0x2E80 ? 0.62 : 1.0;
    return width + 0.2;  // side bearings
}

bool Overlaps(const Label &a, const Label &b) {
    return !Separated(Corners(a), Corners(b));
}

bool Overlaps(const Label &l, double x, double y, double radius) {
    const double c = std::cos(l.angle * kDegree), s = std::sin(l.angle * kDegree);
    const double dx = x - l.x, dy = y - l.y;
    const double u = dx * c + dy * s, v = -dx * s + dy * c;
    const double nu = std::clamp(u, -l.width / 2, l.width / 2);
    const double nv = std::clamp(v, -l.height / 2, l.height / 2);
    return std::hypot(u - nu, v - nv) < radius;
}

std::vector<Label> PlaceLabels(const DrillPattern &pattern,
                               const std::vector<Dimension> &dimensions, const LabelStyle &style) {
    Placer placer(pattern, style);
    for (std::size_t i = 0; i < dimensions.size(); ++i)
        placer.Place(DimensionCandidates(dimensions[i], int(i), placer, style));
    for (std::size_t i = 0; i < pattern.holes.size(); ++i)
        placer.Place(DelayCandidates(pattern, i, placer, style));
    return placer.Take();
}

}  // namespace tunnel
