#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "modules/smoothblast/core/drill_pattern_auxiliary.h"

namespace tunnel::drill {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Far above the rounding of a sum of coordinates of the face, m.
constexpr double kSlack = 1e-9;

// Sites (holes) indexed by square cells for nearest-site queries, the cells
// stored flat over the span of the sites.
class SiteIndex {
public:
    SiteIndex(const std::vector<Outline::Point> &sites, double cell)
        : m_sites(sites), m_cell(cell) {
        if (sites.empty()) return;
        m_left = m_right = Cell(sites[0].x);
        m_bottom = m_top = Cell(sites[0].y);
        for (const Outline::Point &site : sites) {
            m_left = std::min(m_left, Cell(site.x));
            m_right = std::max(m_right, Cell(site.x));
            m_bottom = std::min(m_bottom, Cell(site.y));
            m_top = std::max(m_top, Cell(site.y));
        }
        m_columns = m_right - m_left + 1;
        m_start.assign(std::size_t(m_columns * (m_top - m_bottom + 1) + 1), 0);
        for (const Outline::Point &site : sites) ++m_start[Slot(Cell(site.x), Cell(site.y)) + 1];
        for (std::size_t i = 1; i < m_start.size(); ++i) m_start[i] += m_start[i - 1];
        // Each cell's sites in ascending order, as a query meets them.
        m_items.resize(sites.size());
        std::vector<std::uint32_t> next(m_start.begin(), m_start.end() - 1);
        for (std::size_t i = 0; i < sites.size(); ++i)
            m_items[next[Slot(Cell(sites[i].x), Cell(sites[i].y))]++] = std::uint32_t(i);
    }

    qint64 Cell(double v) const { return qint64(std::floor(v / m_cell)); }

    // The nearest site and its squared distance, the first met of equally
    // near ones; sites must not be empty. Rings of cells round (x, y) are
    // searched outward until no further ring can hold a nearer site.
    std::pair<std::size_t, double> Nearest(double x, double y) const {
        const qint64 cx = Cell(x), cy = Cell(y);
        std::size_t best = 0;
        double best2 = kInfinity;
        const auto visit = [&](qint64 column, qint64 row) {
            if (row < m_bottom || row > m_top) return;
            const std::size_t slot = Slot(column, row);
            for (std::uint32_t k = m_start[slot]; k < m_start[slot + 1]; ++k) {
                const std::uint32_t i = m_items[k];
                const double ex = m_sites[i].x - x, ey = m_sites[i].y - y;
                const double d2 = ex * ex + ey * ey;
                if (d2 < best2) {
                    best2 = d2;
                    best = i;
                }
            }
        };
        for (qint64 ring = 0;; ++ring) {
            // Every site of a further ring is at least ring − 1 cells away.
            const double reach = double(ring - 1) * m_cell;
            if (ring > 0 && reach > 0 && reach * reach > best2) break;
            if (ring > kMaxRing) break;
            // The ring's cells column by column, each from the bottom up.
            for (qint64 dx = -ring; dx <= ring; ++dx) {
                const qint64 column = cx + dx;
                if (column < m_left || column > m_right) continue;
                if (dx == -ring || dx == ring) {
                    for (qint64 dy = -ring; dy <= ring; ++dy) visit(column, cy + dy);
                } else {
                    visit(column, cy - ring);
                    visit(column, cy + ring);
                }
            }
            // Past the span of the sites every ring is empty.
            if (cx - ring <= m_left && cx + ring >= m_right && cy - ring <= m_bottom &&
                cy + ring >= m_top)
                break;
        }
        if (best2 == kInfinity) {
            for (std::size_t i = 0; i < m_sites.size(); ++i) {
                const double ex = m_sites[i].x - x, ey = m_sites[i].y - y;
                if (ex * ex + ey * ey < best2) {
                    best2 = ex * ex + ey * ey;
                    best = i;
                }
            }
        }
        return {best, best2};
    }

    // Whether a query from the cell (cx, cy) meets site a before site b.
    bool MetBefore(std::size_t a, std::size_t b, qint64 cx, qint64 cy) const {
        const qint64 ax = Cell(m_sites[a].x) - cx, ay = Cell(m_sites[a].y) - cy;
        const qint64 bx = Cell(m_sites[b].x) - cx, by = Cell(m_sites[b].y) - cy;
        const qint64 ra = std::max(std::abs(ax), std::abs(ay));
        const qint64 rb = std::max(std::abs(bx), std::abs(by));
        if (ra != rb) return ra < rb;
        if (ax != bx) return ax < bx;
        if (ay != by) return ay < by;
        return a < b;
    }

    // Up to this distance a query surely finds the nearest site; further
    // out it may stop at its last ring first.
    double Sure() const { return double(kMaxRing - 4) * m_cell; }

    // Calls f with every site within reach of the box, and with some more.
    template <class F>
    void SitesNear(double left, double right, double bottom, double top, double reach,
                   F &&f) const {
        // The cell of a coordinate never decreases with it: a little more
        // reach covers the rounding of the sums.
        reach += kSlack;
        const auto cell = [&](double v, qint64 low, qint64 high) {
            return qint64(std::clamp(std::floor(v / m_cell), double(low), double(high)));
        };
        const qint64 c0 = cell(left - reach, m_left, m_right);
        const qint64 c1 = cell(right + reach, m_left, m_right);
        const qint64 r0 = cell(bottom - reach, m_bottom, m_top);
        const qint64 r1 = cell(top + reach, m_bottom, m_top);
        for (qint64 r = r0; r <= r1; ++r)
            for (qint64 c = c0; c <= c1; ++c) {
                const std::size_t slot = Slot(c, r);
                for (std::uint32_t k = m_start[slot]; k < m_start[slot + 1]; ++k) f(m_items[k]);
            }
    }

private:
    static constexpr qint64 kMaxRing = 64;
    std::size_t Slot(qint64 column, qint64 row) const {
        return std::size_t((row - m_bottom) * m_columns + (column - m_left));
    }

    const std::vector<Outline::Point> &m_sites;
    double m_cell;
    qint64 m_left = 0, m_right = -1, m_bottom = 0, m_top = -1, m_columns = 0;
    std::vector<std::uint32_t> m_start, m_items;
};

}  // namespace tunnel::drill
