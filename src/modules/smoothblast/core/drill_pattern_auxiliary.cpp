#include "modules/smoothblast/core/drill_pattern_auxiliary.h"
#include "modules/smoothblast/core/drill_site_index.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tunnel::drill {

namespace {

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

}  // namespace

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

}  // namespace tunnel::drill
