// Player-clip volumes: extended compile tools keep CLIP brushes only in the clip hulls, so they are found as what
// hull 1 holds beyond the hull-0 solids grown by the player's box.
#include "bsptwomap/Rebuild.h"

#include <algorithm>
#include <cmath>

namespace btm {
namespace {

// Half-extents of the standing player's box, which hull 1 is built for.
constexpr Vec3 kPlayerHalf{16, 16, 36};
// Pieces thinner than this are rounding left over between grown brushes, not clip volumes.
constexpr double kMinPieceThickness = 1.0;
constexpr double kMinPieceVolume = 8.0;
// Widening a clip brush: how far its grown shape may reach past the model's bounds, how thin a part of it in open
// space may be, and how much of the clip hull one check may walk.
constexpr double kLimitSlack = 0.5;
constexpr double kOpenSlack = 0.5;
constexpr size_t kMaxWidenVisits = 20000;
// How far a point may stand in front of a plane that a brush counts as lying behind (as behind() allows).
constexpr double kBehindSlack = 0.01;

struct Bounds {
    Vec3 mins{1e30, 1e30, 1e30};
    Vec3 maxs{-1e30, -1e30, -1e30};

    explicit Bounds(const std::vector<BrushFace>& faces)
    {
        for (const BrushFace& f : faces)
            for (const Vec3& p : f.winding) {
                mins = {std::min(mins.x, p.x), std::min(mins.y, p.y), std::min(mins.z, p.z)};
                maxs = {std::max(maxs.x, p.x), std::max(maxs.y, p.y), std::max(maxs.z, p.z)};
            }
    }
    template <typename Other> bool overlaps(const Other& o) const
    {
        return mins.x < o.maxs.x && o.mins.x < maxs.x && mins.y < o.maxs.y && o.mins.y < maxs.y && mins.z < o.maxs.z &&
            o.mins.z < maxs.z;
    }
};

// How far the box reaches along a direction.
double boxSupport(const Vec3& n)
{
    return kPlayerHalf.x * std::fabs(n.x) + kPlayerHalf.y * std::fabs(n.y) + kPlayerHalf.z * std::fabs(n.z);
}

// Points spread over a face, out to near its edges: a side that solids back only in part must show as open.
std::vector<Vec3> facePoints(const Winding& w)
{
    std::vector<Vec3> points = probePoints(w);
    const Vec3 centre = windingCentre(w);
    for (size_t i = 0; i < w.size(); ++i) {
        const Vec3 mid = (w[i] + w[(i + 1) % w.size()]) * 0.5;
        for (const Vec3& p : {w[i], mid}) {
            points.push_back(centre + (p - centre) * 0.97);
            points.push_back(centre + (p - centre) * 0.4);
        }
    }
    return points;
}

int32_t clipContents(const Bsp& bsp, int32_t node, const Vec3& p)
{
    for (size_t steps = 0; node >= 0 && steps <= bsp.clipNodes.size(); ++steps) {
        const BspClipNode& n = bsp.clipNodes[static_cast<size_t>(node)];
        const BspPlane& plane = bsp.planes[n.plane];
        node = n.children[dot(plane.normal, p) - plane.dist >= 0 ? 0 : 1];
    }
    return node;
}

} // namespace

std::vector<std::vector<BrushFace>> Rebuilder::clipHullSolids(
    size_t modelIndex, const Vec3& mins, const Vec3& maxs, double extent)
{
    std::vector<int> boxIds;
    for (int i = 0; i < 3; ++i) {
        Vec3 n;
        (i == 0 ? n.x : i == 1 ? n.y : n.z) = 1;
        boxIds.push_back(table_.find({n, maxs[i]}));
        boxIds.push_back(table_.find({-n, -mins[i]}));
    }
    const size_t visitBudget = 64 * bsp_.clipNodes.size() + 4096;
    size_t visits = 0;
    struct Item {
        int32_t child;
        Region region;
        size_t depth;
    };
    std::vector<Item> stack;
    stack.push_back({bsp_.models[modelIndex].clipHeads[0], Region{brushFromPlanes(boxIds, table_, extent)}, 0});
    std::vector<std::vector<BrushFace>> solids;
    while (!stack.empty()) {
        Item item = std::move(stack.back());
        stack.pop_back();
        if (item.region.faces.size() < 4)
            continue;
        if (item.child < 0) {
            if (item.child == kSolid)
                solids.push_back(std::move(item.region.faces));
            continue;
        }
        if (item.depth >= kMaxDepth)
            throw BspError("clip hull of model " + std::to_string(modelIndex) + " is deeper than " +
                std::to_string(kMaxDepth) + " levels");
        // Clip hulls share equal subtrees, so a node may be reached more than once; the walk is bounded instead.
        if (++visits > visitBudget)
            throw BspError("clip hull of model " + std::to_string(modelIndex) + " has too many paths");
        const BspClipNode& node = bsp_.clipNodes[static_cast<size_t>(item.child)];
        Region front, back;
        split(std::move(item.region), bspPlaneIds_[node.plane], extent, front, back);
        stack.push_back({node.children[1], std::move(back), item.depth + 1});
        stack.push_back({node.children[0], std::move(front), item.depth + 1});
    }
    return solids;
}

Rebuilder::GrownSolid Rebuilder::grow(const std::vector<BrushFace>& faces)
{
    const Bounds bounds(faces);
    GrownSolid g;
    for (const BrushFace& f : faces) {
        // A copy: finding a plane may grow the table and move its entries.
        const Plane p = table_[f.planeId];
        g.planeIds.push_back(table_.find({p.normal, p.dist + boxSupport(p.normal)}));
    }
    // Bevels along the axes, as the tools add them, so that corners grow like the box does.
    for (int i = 0; i < 3; ++i) {
        Vec3 n;
        (i == 0 ? n.x : i == 1 ? n.y : n.z) = 1;
        g.planeIds.push_back(table_.find({n, bounds.maxs[i] + kPlayerHalf[i]}));
        g.planeIds.push_back(table_.find({-n, -(bounds.mins[i] - kPlayerHalf[i])}));
    }
    g.mins = bounds.mins - kPlayerHalf;
    g.maxs = bounds.maxs + kPlayerHalf;
    return g;
}

std::vector<Rebuilder::GrownSolid> Rebuilder::growSolids(const std::vector<Brush>& brushes)
{
    std::vector<GrownSolid> grown;
    for (const Brush& brush : brushes)
        if (brush.contents == kSolid || brush.contents == kSky)
            grown.push_back(grow(brush.faces));
    return grown;
}

std::vector<Brush> Rebuilder::subtractGrown(
    std::vector<std::vector<BrushFace>> solids, const std::vector<GrownSolid>& grown, double extent)
{
    struct Piece {
        Region region;
        Bounds bounds;
    };
    std::vector<Brush> pieces;
    std::vector<const GrownSolid*> near;
    for (std::vector<BrushFace>& solid : solids) {
        const Bounds solidBounds(solid);
        near.clear();
        for (const GrownSolid& g : grown)
            if (solidBounds.overlaps(g))
                near.push_back(&g);
        std::vector<Piece> remaining;
        remaining.push_back({Region{std::move(solid)}, solidBounds});
        for (const GrownSolid* g : near) {
            std::vector<Piece> next;
            for (Piece& piece : remaining) {
                if (!piece.bounds.overlaps(*g)) {
                    next.push_back(std::move(piece));
                    continue;
                }
                Region rest = std::move(piece.region);
                for (int id : g->planeIds) {
                    Region front, back;
                    split(std::move(rest), id, extent, front, back);
                    if (front.faces.size() >= 4) {
                        const Bounds bounds(front.faces);
                        next.push_back({std::move(front), bounds});
                    }
                    rest = std::move(back);
                    if (rest.faces.size() < 4)
                        break;
                }
            }
            remaining = std::move(next);
        }
        for (Piece& piece : remaining)
            pieces.push_back({kClip, "CLIP", std::move(piece.region.faces)});
    }
    std::erase_if(pieces, [&](const Brush& b) { return isThinnerThan(b, kMinPieceVolume, kMinPieceThickness); });
    return pieces;
}

std::vector<Brush> Rebuilder::shrinkPieces(const std::vector<Brush>& pieces, const std::vector<GrownSolid>& grown,
    const BspModel& source, double extent, std::vector<int>& openPlanes)
{
    // Growing the result again restores every side. A piece thinner than the box (a clip brush standing in a
    // solid's grown margin) vanishes that way; its sides against grown solids then move out by the box instead,
    // into what those solids fill anyway, and its sides against more of the same clip volume stay where they are
    // (moved out, they would reach past that volume).
    auto inGrown = [&](const Vec3& p) {
        return std::any_of(grown.begin(), grown.end(), [&](const GrownSolid& g) {
            return p.x >= g.mins.x && p.x <= g.maxs.x && p.y >= g.mins.y && p.y <= g.maxs.y && p.z >= g.mins.z &&
                p.z <= g.maxs.z && std::all_of(g.planeIds.begin(), g.planeIds.end(), [&](int id) {
                    return table_[id].distanceTo(p) <= kBehindSlack;
                });
        });
    };
    std::vector<Brush> clips;
    for (const Brush& piece : pieces) {
        std::vector<int> shrunk;
        std::vector<bool> open;
        for (const BrushFace& f : piece.faces) {
            // A copy: finding a plane may grow the table and move its entries.
            const Plane p = table_[f.planeId];
            bool isOpen = false;
            for (const Vec3& q : facePoints(f.winding))
                isOpen = isOpen || clipContents(bsp_, source.clipHeads[0], q + p.normal * 0.5) != kSolid;
            const int inward = table_.find({p.normal, p.dist - boxSupport(p.normal)});
            shrunk.push_back(inward);
            open.push_back(isOpen);
            if (isOpen)
                openPlanes.push_back(inward);
        }
        std::vector<BrushFace> faces = brushFromPlanes(shrunk, table_, extent);
        if (faces.size() < 4 || brushVolume(faces, table_) < kMinPieceVolume) {
            std::vector<int> intoSolids;
            for (size_t i = 0; i < piece.faces.size(); ++i) {
                const BrushFace& f = piece.faces[i];
                const Plane p = table_[f.planeId];
                const std::vector<Vec3> points = facePoints(f.winding);
                const bool againstSolids = std::all_of(
                    points.begin(), points.end(), [&](const Vec3& q) { return inGrown(q + p.normal * 0.5); });
                intoSolids.push_back(open[i] ? shrunk[i]
                        : againstSolids      ? table_.find({p.normal, p.dist + boxSupport(p.normal)})
                                             : f.planeId);
            }
            faces = brushFromPlanes(intoSolids, table_, extent);
        }
        if (faces.size() < 4 || brushVolume(faces, table_) < kMinPieceVolume)
            continue;
        // Inside the hull-0 solids a clip brush changes nothing.
        bool buried = true;
        for (const BrushFace& f : faces) {
            const Plane& p = table_[f.planeId];
            for (const Vec3& q : probePoints(f.winding))
                buried = buried && hullZeroContents(bsp_, source.headNode, q - p.normal * 0.5) == kSolid;
        }
        if (!buried)
            clips.push_back({kClip, "CLIP", std::move(faces)});
    }
    return clips;
}

bool Rebuilder::grownInClipHull(
    const std::vector<BrushFace>& faces, int32_t headNode, const Vec3& mins, const Vec3& maxs, double extent)
{
    const GrownSolid g = grow(faces);
    for (int i = 0; i < 3; ++i)
        if (g.mins[i] < mins[i] - kLimitSlack || g.maxs[i] > maxs[i] + kLimitSlack)
            return false;
    std::vector<std::pair<int32_t, Region>> stack;
    stack.emplace_back(headNode, Region{brushFromPlanes(g.planeIds, table_, extent)});
    for (size_t visits = 0; !stack.empty();) {
        auto [child, region] = std::move(stack.back());
        stack.pop_back();
        if (region.faces.size() < 4)
            continue;
        if (child < 0) {
            // Planes rebuilt from rounded ones leave slivers against open space; they are not the volume.
            if (child != kSolid && !isThinnerThan({kClip, "", std::move(region.faces)}, kMinPieceVolume, kOpenSlack))
                return false;
            continue;
        }
        if (++visits > kMaxWidenVisits)
            return false;
        const BspClipNode& node = bsp_.clipNodes[static_cast<size_t>(child)];
        Region front, back;
        split(std::move(region), bspPlaneIds_[node.plane], extent, front, back);
        stack.emplace_back(node.children[1], std::move(back));
        stack.emplace_back(node.children[0], std::move(front));
    }
    return true;
}

std::vector<Brush> Rebuilder::widenClips(
    std::vector<Brush> clips, std::vector<int> openPlanes, const BspModel& source, double extent)
{
    const Vec3 mins = source.mins - kPlayerHalf;
    const Vec3 maxs = source.maxs + kPlayerHalf;
    std::sort(openPlanes.begin(), openPlanes.end());
    openPlanes.erase(std::unique(openPlanes.begin(), openPlanes.end()), openPlanes.end());
    std::vector<int> boundIds;
    for (int i = 0; i < 3; ++i) {
        Vec3 n;
        (i == 0 ? n.x : i == 1 ? n.y : n.z) = 1;
        boundIds.push_back(table_.find({n, source.maxs[i]}));
        boundIds.push_back(table_.find({-n, -source.mins[i]}));
    }
    const Region bounds{brushFromPlanes(boundIds, table_, extent)};
    // Largest first, so that the pieces of one volume fall inside the first of them to grow back.
    std::vector<std::pair<double, size_t>> order;
    for (size_t i = 0; i < clips.size(); ++i)
        order.emplace_back(-brushVolume(clips[i].faces, table_), i);
    std::sort(order.begin(), order.end());
    std::vector<Brush> kept;
    for (const auto& entry : order) {
        // Copies: lambdas below may not name structured bindings.
        const double volume = -entry.first;
        const size_t index = entry.second;
        Brush& clip = clips[index];
        if (std::any_of(kept.begin(), kept.end(), [&](const Brush& k) { return holds(k, clip); }))
            continue;
        // The widest candidate: the bounds cut by every open side the piece lies behind. The piece's box decides
        // most sides without looking at its points.
        const Bounds box(clip.faces);
        auto behindSide = [&](const Plane& plane) {
            const Vec3& n = plane.normal;
            const Vec3 far{n.x > 0 ? box.maxs.x : box.mins.x, n.y > 0 ? box.maxs.y : box.mins.y,
                n.z > 0 ? box.maxs.z : box.mins.z};
            const Vec3 near{n.x > 0 ? box.mins.x : box.maxs.x, n.y > 0 ? box.mins.y : box.maxs.y,
                n.z > 0 ? box.mins.z : box.maxs.z};
            return plane.distanceTo(far) <= 0 || (plane.distanceTo(near) <= kBehindSlack && behind(clip, plane));
        };
        Region widest = bounds;
        for (int id : openPlanes)
            if (widest.faces.size() >= 4 && behindSide(table_[id])) {
                Region front, back;
                split(std::move(widest), id, extent, front, back);
                widest = std::move(back);
            }
        if (widest.faces.size() >= 4 && brushVolume(widest.faces, table_) > volume + kMinPieceVolume &&
            grownInClipHull(widest.faces, source.clipHeads[0], mins, maxs, extent))
            clip.faces = std::move(widest.faces);
        kept.push_back(std::move(clip));
    }
    // A brush that grew later may hold one kept before it.
    std::vector<bool> gone(kept.size(), false);
    for (size_t i = 0; i < kept.size(); ++i)
        for (size_t j = 0; j < kept.size() && !gone[i]; ++j)
            gone[i] = j != i && !gone[j] && holds(kept[j], kept[i]);
    std::vector<Brush> out;
    for (size_t i = 0; i < kept.size(); ++i)
        if (!gone[i])
            out.push_back(std::move(kept[i]));
    return out;
}

size_t Rebuilder::addClipBrushes(size_t modelIndex, ModelBrushes& model)
{
    const BspModel& source = bsp_.models.at(modelIndex);
    const Vec3 mins = source.mins - kPlayerHalf;
    const Vec3 maxs = source.maxs + kPlayerHalf;
    if (bsp_.clipNodes.empty() || source.clipHeads[0] < 0 || !(mins.x < maxs.x && mins.y < maxs.y && mins.z < maxs.z))
        return 0;
    double maxAbs = 0;
    for (int i = 0; i < 3; ++i)
        maxAbs = std::max({maxAbs, std::fabs(mins[i]), std::fabs(maxs[i])});
    const double extent = 4 * maxAbs + 64;

    // What the clip hull holds beyond the hull-0 solids grown by the box, merged, then shrunk back by the box.
    const std::vector<GrownSolid> grown = growSolids(model.brushes);
    std::vector<Brush> pieces = subtractGrown(clipHullSolids(modelIndex, mins, maxs, extent), grown, extent);
    RebuildStats ignored;
    mergeBrushes(pieces, extent, ignored);
    std::vector<int> openPlanes;
    std::vector<Brush> clips = shrinkPieces(pieces, grown, source, extent, openPlanes);
    mergeBrushes(clips, extent, ignored);
    clips = widenClips(std::move(clips), std::move(openPlanes), source, extent);
    for (Brush& b : clips)
        joinToolCoplanarFaces(b, table_, extent);
    std::erase_if(clips, [&](const Brush& b) { return isSplinter(b); });
    model.stats.clipBrushes = clips.size();
    for (Brush& b : clips)
        model.brushes.push_back(std::move(b));
    return model.stats.clipBrushes;
}

} // namespace btm
