#include "modules/smoothblast/core/drill_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/dxf_writer.h"
#include "core/form.h"
#include "core/ini_file.h"
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

constexpr char kNoOutline[] = "开挖轮廓无法确定：底板长须大于0，外弧长须大于底板长，请检查参数";
constexpr char kBadCounts[] = "炮眼数量须为不小于0的整数，请先计算并检查参数";
constexpr char kBadCount[] = "%1数量为%2，须为不小于0的整数，请检查参数";
constexpr char kBadBurden[] = "光爆层厚须大于0，请检查参数";
constexpr char kTooDense[] = "炮眼过密，无法布置：%1，请检查参数";
constexpr char kAreaMismatch[] =
    "由底板长和开挖面外弧长绘出的轮廓面积为%1m²，与开挖断面面积S=%2m²不符，请检查参数";

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

// The box round the cut holes and the relief hole.
struct Box {
    double left = 0, right = 0, bottom = 0, top = 0;

    double Distance(double x, double y) const {
        const double dx = std::max({left - x, 0.0, x - right});
        const double dy = std::max({bottom - y, 0.0, y - top});
        return Hypot(dx, dy);
    }
};

Box CutBox(const DrillPattern &p) {
    Box box{0, 0, p.cutCentreY, p.cutCentreY};
    for (const Hole &h : p.holes) {
        if (h.type != HoleType::Cut) continue;
        box.left = std::min(box.left, h.x);
        box.right = std::max(box.right, h.x);
        box.bottom = std::min(box.bottom, h.y);
        box.top = std::max(box.top, h.y);
    }
    return box;
}

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

// The face as points of a grid, in square tiles, so that what a site
// changes near it is found without visiting the whole face.
struct FaceGrid {
    struct Tile {
        double left = kInfinity, right = -kInfinity, bottom = kInfinity, top = -kInfinity;
        std::vector<std::uint32_t> points;  // ascending
        std::vector<double> xs, ys;         // theirs, side by side

        void Reserve(std::size_t n) {
            points.reserve(n);
            xs.reserve(n);
            ys.reserve(n);
        }

        void Add(std::uint32_t g, double x, double y) {
            points.push_back(g);
            xs.push_back(x);
            ys.push_back(y);
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    };

    // Tiles of size × size grid steps, row by row.
    struct Tiling {
        int size = 0;
        int columns = 0, rows = 0;
        std::vector<Tile> tiles;
    };

    double step = 0;
    int halfColumns = 0;  // grid columns either side of the centre line
    std::vector<Outline::Point> points;
    std::vector<char> free;  // where a hole may go
    Tiling tiles{4}, blocks{8};
    std::vector<std::uint32_t> tileOf;       // of each point
    std::vector<std::uint32_t> blockOfTile;  // of each tile

    // Symmetric about the centre line, row by row from the floor up.
    template <class Allowed>
    FaceGrid(const Outline &o, double gridStep, const Allowed &allowed) : step(gridStep) {
        int rows = 0;
        while ((rows + 0.5) * step < o.Height()) ++rows;
        while ((halfColumns + 0.5) * step < o.width / 2) ++halfColumns;
        for (Tiling *t : {&tiles, &blocks}) {
            t->columns = (2 * halfColumns + t->size - 1) / t->size;
            t->rows = (rows + t->size - 1) / t->size;
            t->tiles.resize(std::size_t(t->columns) * std::size_t(t->rows));
        }
        const auto at = [](const Tiling &t, int column, int row) {
            return std::size_t(row / t.size) * std::size_t(t.columns) +
                   std::size_t(column / t.size);
        };
        std::vector<std::uint32_t> blockOf;
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < halfColumns; ++i)
                for (double side : {-1.0, 1.0}) {
                    const double x = side * (i + 0.5) * step, y = (j + 0.5) * step;
                    if (!o.Contains(x, y)) continue;
                    const int column = halfColumns + (side < 0 ? -i - 1 : i);
                    points.push_back({x, y});
                    free.push_back(allowed(x, y));
                    tileOf.push_back(std::uint32_t(at(tiles, column, j)));
                    blockOf.push_back(std::uint32_t(at(blocks, column, j)));
                }
        // Each tile's points in one go, its vectors sized first.
        for (auto [tiling, of] : {std::pair{&tiles, &tileOf}, std::pair{&blocks, &blockOf}}) {
            std::vector<std::uint32_t> count(tiling->tiles.size(), 0);
            for (std::uint32_t t : *of) ++count[t];
            for (std::size_t t = 0; t < count.size(); ++t) tiling->tiles[t].Reserve(count[t]);
            for (std::size_t g = 0; g < points.size(); ++g)
                tiling->tiles[(*of)[g]].Add(std::uint32_t(g), points[g].x, points[g].y);
        }
        for (int r = 0; r < tiles.rows; ++r)
            for (int c = 0; c < tiles.columns; ++c)
                blockOfTile.push_back(std::uint32_t(at(blocks, c * tiles.size, r * tiles.size)));
    }

    // No point of the tile is nearer to (x, y) than the square root of this.
    // Worked out as a point's squared distance is, rounding and all, it never
    // exceeds that.
    static double Least2(const Tile &t, double x, double y) {
        const double dx = x < t.left ? t.left - x : x > t.right ? x - t.right : 0;
        const double dy = y < t.bottom ? t.bottom - y : y > t.top ? y - t.top : 0;
        return dx * dx + dy * dy;
    }

    // No point of the tile is further from (x, y) than the square root of
    // this, rounding and all.
    static double Most2(const Tile &t, double x, double y) {
        const double dx = std::max(std::abs(x - t.left), std::abs(x - t.right));
        const double dy = std::max(std::abs(y - t.bottom), std::abs(y - t.top));
        return dx * dx + dy * dy;
    }

    // Calls f with the index of every tile of the tiling that may hold a
    // point within reach of (x, y), and of a few more.
    template <class F>
    void Near(const Tiling &tiling, double x, double y, double reach, F &&f) const {
        int left = 0, right = tiling.columns - 1, bottom = 0, top = tiling.rows - 1;
        if (reach < kInfinity) {
            // A point's column never decreases with its x, nor its row with
            // its y: a little more reach covers the rounding of the sums.
            reach += kSlack;
            const auto tileOf = [&](double v, int shift, int count) {
                const double t = std::floor((std::floor(v / step) + shift) / tiling.size);
                return int(std::clamp(t, 0.0, double(count - 1)));
            };
            left = tileOf(x - reach, halfColumns, tiling.columns);
            right = tileOf(x + reach, halfColumns, tiling.columns);
            bottom = tileOf(y - reach, 0, tiling.rows);
            top = tileOf(y + reach, 0, tiling.rows);
        }
        for (int r = bottom; r <= top; ++r)
            for (int c = left; c <= right; ++c)
                f(std::size_t(r) * std::size_t(tiling.columns) + std::size_t(c));
    }
};

// Adds count sites, each at the free grid point furthest from every site
// before it (of equally far ones the first in grid order). Each tile keeps
// its furthest free point, and a new site changes only the tiles it comes
// nearer to than that. False when no grid point is free.
bool AddFurthest(const FaceGrid &grid, std::vector<Outline::Point> &sites, int count) {
    struct Furthest {
        double far = -kInfinity;
        std::uint32_t point = 0;
        bool any = false;
    };
    std::vector<double> far(grid.points.size(), kInfinity);  // squared, to the nearest site
    std::vector<Furthest> furthest(grid.blocks.tiles.size());
    const auto update = [&](std::size_t t, const Outline::Point *site) {
        Furthest f;
        for (std::uint32_t g : grid.blocks.tiles[t].points) {
            if (!grid.free[g]) continue;
            if (site) {
                const double ex = grid.points[g].x - site->x, ey = grid.points[g].y - site->y;
                far[g] = std::min(far[g], ex * ex + ey * ey);
            }
            if (!f.any || far[g] > f.far) f = {far[g], g, true};
        }
        furthest[t] = f;
    };
    const auto add = [&](const Outline::Point &site, double reach) {
        grid.Near(grid.blocks, site.x, site.y, reach, [&](std::size_t t) {
            if (furthest[t].any &&
                FaceGrid::Least2(grid.blocks.tiles[t], site.x, site.y) < furthest[t].far)
                update(t, &site);
        });
    };
    for (std::size_t t = 0; t < grid.blocks.tiles.size(); ++t) update(t, nullptr);
    for (const Outline::Point &site : sites) add(site, kInfinity);
    for (int k = 0; k < count; ++k) {
        const Furthest *best = nullptr;
        for (const Furthest &f : furthest)
            if (f.any &&
                (!best || f.far > best->far || (f.far == best->far && f.point < best->point)))
                best = &f;
        if (!best) return false;
        const Outline::Point site = grid.points[best->point];
        // No free point is further from the sites than the furthest one.
        const double reach = std::sqrt(best->far) * (1 + 1e-9);
        sites.push_back(site);
        add(site, reach);
    }
    return true;
}

// The sites that may be nearest to a point of the tile, given one site
// near it: none nearer to the tile than its furthest point is from a site.
void Candidates(const SiteIndex &index, const std::vector<Outline::Point> &sites,
                const FaceGrid::Tile &tile, std::size_t near, std::vector<std::uint32_t> &out) {
    out.clear();
    double most = FaceGrid::Most2(tile, sites[near].x, sites[near].y);
    index.SitesNear(tile.left, tile.right, tile.bottom, tile.top, std::sqrt(most) * (1 + 1e-9),
                    [&](std::uint32_t s) {
                        const double least = FaceGrid::Least2(tile, sites[s].x, sites[s].y);
                        if (least > most) return;
                        most = std::min(most, FaceGrid::Most2(tile, sites[s].x, sites[s].y));
                        out.push_back(s);
                    });
    std::erase_if(out, [&](std::uint32_t s) {
        return FaceGrid::Least2(tile, sites[s].x, sites[s].y) > most;
    });
}

// Lloyd's relaxation: each site from fixed on moves to the middle of the
// grid points nearest to it (its part), up to rounds times or until no site
// moves a quarter step. A middle outside the allowed part of the face moves
// to the allowed point of its part nearest to it; a part without one stays.
//
// A point goes to the site that a query of every point would give it, of
// equally near ones the one the query meets first. After the first round
// few sites move: only the tiles where a moved site was nearest or came
// near are looked at again, and only a site whose part changed moves.
template <class Allowed>
void Relax(const FaceGrid &grid, std::vector<Outline::Point> &sites, std::size_t fixed,
           double spacing, int rounds, const Allowed &allowed) {
    const std::size_t n = grid.points.size();
    std::vector<std::uint32_t> owner(n, 0);
    std::vector<double> dist(n);                                  // squared, to the owner
    std::vector<double> tileFar(grid.tiles.tiles.size(), 0);      // largest dist in each
    std::vector<std::vector<std::uint32_t>> parts(sites.size());  // ascending
    std::vector<qint64> cellX(n), cellY(n);
    {
        const SiteIndex cells(sites, spacing);
        for (std::size_t g = 0; g < n; ++g) {
            cellX[g] = cells.Cell(grid.points[g].x);
            cellY[g] = cells.Cell(grid.points[g].y);
        }
    }
    std::vector<std::size_t> moved, changed, dirty;
    std::vector<char> isDirty(grid.tiles.tiles.size(), 0), inChanged(sites.size(), 0);
    // Each block's candidates, worked out once a round for its tiles.
    std::vector<std::vector<std::uint32_t>> blockCandidates(grid.blocks.tiles.size());
    std::vector<int> blockRound(grid.blocks.tiles.size(), -1);
    std::vector<std::size_t> kept(sites.size(), 0);  // of a changed part, the points it kept
    std::vector<std::uint32_t> candidates, before;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> moves;  // point, its former site
    for (int round = 0; round < rounds; ++round) {
        const SiteIndex index(sites, spacing);
        const auto markDirty = [&](std::size_t t) {
            if (isDirty[t]) return;
            isDirty[t] = 1;
            dirty.push_back(t);
        };
        dirty.clear();
        if (round == 0) {
            for (std::size_t t = 0; t < grid.tiles.tiles.size(); ++t) markDirty(t);
        } else {
            // Where a moved site was nearest, and where it may now be.
            double farthest = 0;
            for (double f : tileFar) farthest = std::max(farthest, f);
            const double reach = std::sqrt(farthest) * (1 + 1e-9);
            for (std::size_t t : moved) {
                for (std::uint32_t g : parts[t]) markDirty(grid.tileOf[g]);
                grid.Near(grid.tiles, sites[t].x, sites[t].y, reach, [&](std::size_t tile) {
                    const FaceGrid::Tile &near = grid.tiles.tiles[tile];
                    if (!near.points.empty() &&
                        FaceGrid::Least2(near, sites[t].x, sites[t].y) <= tileFar[tile])
                        markDirty(tile);
                });
            }
        }
        moves.clear();
        for (std::size_t t : dirty) {
            isDirty[t] = 0;
            const FaceGrid::Tile &tile = grid.tiles.tiles[t];
            if (tile.points.empty()) continue;
            before.resize(tile.points.size());
            const std::size_t b = grid.blockOfTile[t];
            if (blockRound[b] != round) {
                // A site near the block: its middle point's, or one looked up.
                const FaceGrid::Tile &block = grid.blocks.tiles[b];
                const std::uint32_t middle = block.points[block.points.size() / 2];
                const std::size_t near =
                    round > 0 ? owner[middle]
                              : index.Nearest(grid.points[middle].x, grid.points[middle].y).first;
                Candidates(index, sites, block, near, blockCandidates[b]);
                blockRound[b] = round;
            }
            // Of the block's, those that may be nearest to a point of the tile.
            double most = kInfinity;
            for (std::uint32_t s : blockCandidates[b])
                most = std::min(most, FaceGrid::Most2(tile, sites[s].x, sites[s].y));
            candidates.clear();
            for (std::uint32_t s : blockCandidates[b])
                if (FaceGrid::Least2(tile, sites[s].x, sites[s].y) <= most) candidates.push_back(s);
            double far = 0;
            for (std::size_t k = 0; k < tile.points.size(); ++k) {
                const double x = tile.xs[k], y = tile.ys[k];
                // Without branches, which the nearest of a few sites defeats;
                // a tie is settled again in the order a query meets them.
                std::uint32_t best = candidates.front();
                double best2 = kInfinity;
                bool tie = false;
                for (std::uint32_t s : candidates) {
                    const double ex = sites[s].x - x, ey = sites[s].y - y;
                    const double d2 = ex * ex + ey * ey;
                    tie |= d2 == best2;
                    best = d2 < best2 ? s : best;
                    best2 = std::min(d2, best2);
                }
                const std::uint32_t g = tile.points[k];
                if (tie) {
                    best2 = kInfinity;
                    for (std::uint32_t s : candidates) {
                        const double ex = sites[s].x - x, ey = sites[s].y - y;
                        const double d2 = ex * ex + ey * ey;
                        if (d2 < best2 ||
                            (d2 == best2 && index.MetBefore(s, best, cellX[g], cellY[g]))) {
                            best2 = d2;
                            best = s;
                        }
                    }
                }
                before[k] = owner[g];
                owner[g] = best;
                dist[g] = best2;
                far = std::max(far, best2);
            }
            // So far out a query may stop short of the nearest site: as it does.
            if (!(far < index.Sure() * index.Sure())) {
                far = 0;
                for (std::uint32_t g : tile.points) {
                    const auto [s, d] = index.Nearest(grid.points[g].x, grid.points[g].y);
                    owner[g] = std::uint32_t(s);
                    dist[g] = d;
                    far = std::max(far, d);
                }
            }
            if (round > 0)
                for (std::size_t k = 0; k < tile.points.size(); ++k)
                    if (owner[tile.points[k]] != before[k])
                        moves.push_back({tile.points[k], before[k]});
            tileFar[t] = far;
        }

        // The parts that lost or gained a point, kept in grid order.
        changed.clear();
        if (round == 0) {
            for (std::uint32_t g = 0; g < n; ++g) parts[owner[g]].push_back(g);
            for (std::size_t s = fixed; s < sites.size(); ++s) changed.push_back(s);
        } else {
            for (const auto &[g, from] : moves) {
                for (std::size_t s : {std::size_t(from), std::size_t(owner[g])})
                    if (!inChanged[s]) {
                        inChanged[s] = 1;
                        changed.push_back(s);
                    }
            }
            for (std::size_t s : changed) {
                std::vector<std::uint32_t> &part = parts[s];
                std::erase_if(part, [&](std::uint32_t g) { return owner[g] != s; });
            }
            for (std::size_t s : changed) kept[s] = parts[s].size();
            for (const auto &[g, from] : moves) parts[owner[g]].push_back(g);
            for (std::size_t s : changed) {
                std::vector<std::uint32_t> &part = parts[s];
                const auto middle = part.begin() + std::ptrdiff_t(kept[s]);
                std::sort(middle, part.end());
                std::inplace_merge(part.begin(), middle, part.end());
                inChanged[s] = 0;
            }
            std::erase_if(changed, [&](std::size_t s) { return s < fixed; });
        }

        // Each changed part's middle, or the allowed point of the part
        // nearest to a middle that is not allowed.
        moved.clear();
        double largest = 0;
        for (std::size_t s : changed) {
            const std::vector<std::uint32_t> &part = parts[s];
            Outline::Point to = sites[s];
            if (!part.empty()) {
                Outline::Point sum{0, 0};
                for (std::uint32_t g : part) {
                    sum.x += grid.points[g].x;
                    sum.y += grid.points[g].y;
                }
                const int cells = int(part.size());
                to = {sum.x / cells, sum.y / cells};
            }
            if (!allowed(to.x, to.y)) {
                double snap = kInfinity;
                Outline::Point snapped{};
                for (std::uint32_t g : part) {
                    if (!grid.free[g]) continue;
                    const double ex = grid.points[g].x - to.x, ey = grid.points[g].y - to.y;
                    if (ex * ex + ey * ey < snap) {
                        snap = ex * ex + ey * ey;
                        snapped = grid.points[g];
                    }
                }
                if (snap == kInfinity) continue;  // no allowed point in its part: it stays
                to = snapped;
            }
            largest = std::max(largest, std::abs(to.x - sites[s].x) + std::abs(to.y - sites[s].y));
            if (to.x != sites[s].x || to.y != sites[s].y) moved.push_back(s);
            sites[s] = to;
        }
        if (largest < grid.step / 4) break;
    }
}

// Whether a point inside the outline is at least w from it, where the
// floor, the walls or the arch alone make that plain: 1 or -1; 0 near the
// limit, or where it takes the outline's own distance to tell.
int ClearOfOutline(const Outline &o, double x, double y, double w) {
    // Far above the rounding of any of these distances.
    constexpr double kMargin = 1e-9;
    if (y < w - kMargin) return -1;  // the floor
    const double arch = o.radius - Hypot(x, y - o.centreY);
    if (o.wallHeight > 0) {
        const double above = y - o.centreY;
        if (std::abs(above) < kMargin) return 0;
        // Above the centre the arch is nearer than the wall tops on it; below
        // it the walls are, and the wall tops the arch ends in.
        const double side = above > 0 ? arch : o.width / 2 - std::abs(x);
        if (side < w - kMargin) return -1;
        return y >= w + kMargin && side >= w + kMargin ? 1 : 0;
    }
    // A flat arch rises from the floor's ends: a point not right at the floor
    // faces the arch.
    if (y < 1e-6) return 0;
    if (arch < w - kMargin) return -1;
    return y >= w + kMargin && arch >= w + kMargin ? 1 : 0;
}

// Places the auxiliary holes among the holes already placed (cut, perimeter
// and floor): evenly over the face at the burden W or more inside the
// outline and the floor and clear of the cut. Each hole in turn goes where
// the face is furthest from any hole; then each moves, a number of times, to
// the middle of the part of the face nearest to it (Lloyd's relaxation),
// which evens out their spacing. False when there is no room for them.
bool PlaceAuxiliary(const DrillDesign &design, int count, DrillPattern &p) {
    constexpr int kRelaxations = 40;
    const Outline &o = p.outline;
    const double w = design.burden;
    const Box cut = CutBox(p);
    const double spacing = std::sqrt(o.Area() / (double(p.holes.size()) + count));
    const double step = std::clamp(spacing / 8, 0.02, 0.1);
    const auto allowed = [&](double x, double y) {
        if (!o.Contains(x, y) || cut.Distance(x, y) < kMinHoleSpacing) return false;
        const int clear = ClearOfOutline(o, x, y, w);
        return clear != 0 ? clear > 0 : o.Distance(x, y) >= w;
    };
    const FaceGrid grid(o, step, allowed);
    std::vector<Outline::Point> sites;
    for (const Hole &h : p.holes) sites.push_back({h.x, h.y});
    const std::size_t fixed = sites.size();
    if (!AddFurthest(grid, sites, count)) return false;
    Relax(grid, sites, fixed, spacing, kRelaxations, allowed);

    // Delays by distance from the cut, in at most six bands.
    std::vector<double> reach;
    double furthest = 0;
    for (std::size_t s = fixed; s < sites.size(); ++s) {
        reach.push_back(cut.Distance(sites[s].x, sites[s].y));
        furthest = std::max(furthest, reach.back());
    }
    const double band = std::max(spacing, furthest / 6 + 1e-9);
    std::vector<int> bands(reach.size());
    std::vector<int> used;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        bands[i] = int(reach[i] / band);
        if (std::find(used.begin(), used.end(), bands[i]) == used.end()) used.push_back(bands[i]);
    }
    std::sort(used.begin(), used.end());
    const double charge = design.chargePerHole[int(HoleType::Auxiliary)];
    for (std::size_t i = 0; i < reach.size(); ++i) {
        const int rank = int(std::find(used.begin(), used.end(), bands[i]) - used.begin());
        const Outline::Point &site = sites[fixed + i];
        p.holes.push_back({HoleType::Auxiliary, site.x, site.y, 5 + 2 * rank, charge});
    }
    return true;
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

DrillPattern PlaceHoles(const DrillDesign &design) {
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
    if (aux > 0 && !PlaceAuxiliary(design, aux, p))
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

}  // namespace tunnel
