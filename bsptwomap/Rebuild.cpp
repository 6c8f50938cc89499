#include "bsptwomap/Rebuild.h"

#include "bsptwomap/Textures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <unordered_map>

namespace btm {
namespace {

PlaneReach reachOf(const Plane& plane, const std::vector<BrushFace>& faces)
{
    PlaneReach reach;
    for (const BrushFace& f : faces)
        reach.add(plane, f.winding);
    return reach;
}

// Faces smaller than this (square units) carry no surface worth keeping.
constexpr double kMinFaceArea = 1e-3;
// Brushes thinner than this are splinters that compile tools reject.
constexpr double kMinThickness = 0.1;
constexpr double kMinVolume = 0.5;
// Leaf regions below this are numerical dust, not worth a merge attempt.
constexpr double kDegenerateVolume = 1e-3;
// Slack when testing that one brush lies inside another's planes.
constexpr double kContainEpsilon = 0.01;
// The compile tools take two sides for one plane when each normal component lies within 1e-4 of a plane they
// already hold; two sides within twice that may meet on one such plane and make the brush "coplanar".
constexpr double kToolNormalEpsilon = 2.5e-4;

struct Box {
    Vec3 mins{1e30, 1e30, 1e30};
    Vec3 maxs{-1e30, -1e30, -1e30};

    void add(const Vec3& p)
    {
        mins = {std::min(mins.x, p.x), std::min(mins.y, p.y), std::min(mins.z, p.z)};
        maxs = {std::max(maxs.x, p.x), std::max(maxs.y, p.y), std::max(maxs.z, p.z)};
    }
    bool encloses(const Box& o, double eps) const
    {
        return o.mins.x >= mins.x - eps && o.mins.y >= mins.y - eps && o.mins.z >= mins.z - eps &&
            o.maxs.x <= maxs.x + eps && o.maxs.y <= maxs.y + eps && o.maxs.z <= maxs.z + eps;
    }
    bool touches(const Box& o, double eps) const
    {
        return mins.x <= o.maxs.x + eps && o.mins.x <= maxs.x + eps && mins.y <= o.maxs.y + eps &&
            o.mins.y <= maxs.y + eps && mins.z <= o.maxs.z + eps && o.mins.z <= maxs.z + eps;
    }
};

Box boxOf(const std::vector<BrushFace>& faces)
{
    Box box;
    for (const BrushFace& f : faces)
        for (const Vec3& p : f.winding)
            box.add(p);
    return box;
}

// Finds the boxes near a box without looking at every box: each is listed in the grid cells it overlaps, or among
// the few large ones that every query looks at.
class BoxGrid {
public:
    explicit BoxGrid(const std::vector<Box>& boxes) : boxes_(boxes), seen_(boxes.size(), 0)
    {
        for (size_t i = 0; i < boxes.size(); ++i)
            add(i);
    }

    // After boxes[i] grew; entries for its old box stay, since queries check the boxes themselves.
    void add(size_t i)
    {
        const auto [low, high] = cellRange(boxes_[i]);
        if (cellCount(low, high) > kMaxCells) {
            large_.push_back(i);
            return;
        }
        for (int64_t x = low[0]; x <= high[0]; ++x)
            for (int64_t y = low[1]; y <= high[1]; ++y)
                for (int64_t z = low[2]; z <= high[2]; ++z)
                    cells_[key(x, y, z)].push_back(i);
    }

    // Calls f(j) once for every box j that touches `box`.
    template <typename F> void forEachTouching(const Box& box, F f)
    {
        ++stamp_;
        auto visit = [&](size_t j) {
            if (seen_[j] != stamp_ && boxes_[j].touches(box, kContainEpsilon)) {
                seen_[j] = stamp_;
                f(j);
            }
        };
        for (size_t j : large_)
            visit(j);
        const auto [low, high] = cellRange(box);
        if (cellCount(low, high) > kMaxCells) {
            for (size_t j = 0; j < boxes_.size(); ++j)
                visit(j);
            return;
        }
        for (int64_t x = low[0]; x <= high[0]; ++x)
            for (int64_t y = low[1]; y <= high[1]; ++y)
                for (int64_t z = low[2]; z <= high[2]; ++z)
                    if (const auto it = cells_.find(key(x, y, z)); it != cells_.end())
                        for (size_t j : it->second)
                            visit(j);
    }

private:
    static constexpr double kCell = 512;
    static constexpr int64_t kMaxCells = 27;

    static std::pair<std::array<int64_t, 3>, std::array<int64_t, 3>> cellRange(const Box& box)
    {
        std::array<int64_t, 3> low, high;
        for (int i = 0; i < 3; ++i) {
            low[static_cast<size_t>(i)] = static_cast<int64_t>(std::floor((box.mins[i] - kContainEpsilon) / kCell));
            high[static_cast<size_t>(i)] = static_cast<int64_t>(std::floor((box.maxs[i] + kContainEpsilon) / kCell));
        }
        return {low, high};
    }
    static int64_t cellCount(const std::array<int64_t, 3>& low, const std::array<int64_t, 3>& high)
    {
        return (high[0] - low[0] + 1) * (high[1] - low[1] + 1) * (high[2] - low[2] + 1);
    }
    static int64_t key(int64_t x, int64_t y, int64_t z) { return (x * 73856093) ^ (y * 19349663) ^ (z * 83492791); }

    const std::vector<Box>& boxes_;
    std::unordered_map<int64_t, std::vector<size_t>> cells_;
    std::vector<size_t> large_;
    std::vector<uint32_t> seen_;
    uint32_t stamp_ = 0;
};

// Brush entities may only hold solids and liquids; the tools refuse sky or currents there.
int32_t entityContents(int32_t contents)
{
    if (contents == kWater || contents == kSlime || contents == kLava)
        return contents;
    return contents <= -9 && contents >= -14 ? kWater : kSolid;
}

} // namespace

size_t PlaneTable::KeyHash::operator()(const Key& k) const
{
    uint64_t h = 1469598103934665603ull;
    for (int64_t v : k)
        h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

int PlaneTable::find(const Plane& plane)
{
    constexpr double kNormalTolerance = 1e-5;
    constexpr double kDistTolerance = 0.01;
    // Cells twice the tolerance wide: a plane's close neighbours lie in the cell of its value give or take the
    // tolerance, one or two cells per component.
    constexpr std::array<double, 4> kCell{
        2 * kNormalTolerance, 2 * kNormalTolerance, 2 * kNormalTolerance, 2 * kDistTolerance};
    // Orient so that the first significant component is positive; the flip becomes the low bit.
    Plane canon = plane;
    bool flip = false;
    for (int i = 0; i < 3; ++i) {
        const double c = canon.normal[i];
        if (std::fabs(c) > 1e-6) {
            flip = c < 0;
            break;
        }
    }
    if (flip)
        canon = {-canon.normal, -canon.dist};
    const std::array<double, 4> values{canon.normal.x, canon.normal.y, canon.normal.z, canon.dist};
    auto close = [&](const Plane& p) {
        return std::fabs(p.normal.x - canon.normal.x) <= kNormalTolerance &&
            std::fabs(p.normal.y - canon.normal.y) <= kNormalTolerance &&
            std::fabs(p.normal.z - canon.normal.z) <= kNormalTolerance &&
            std::fabs(p.dist - canon.dist) <= kDistTolerance;
    };
    std::array<std::array<int64_t, 2>, 4> range;
    for (size_t i = 0; i < 4; ++i) {
        const double tolerance = kCell[i] / 2;
        range[i] = {static_cast<int64_t>(std::floor((values[i] - tolerance) / kCell[i])),
            static_cast<int64_t>(std::floor((values[i] + tolerance) / kCell[i]))};
    }
    for (int64_t a = range[0][0]; a <= range[0][1]; ++a)
        for (int64_t b = range[1][0]; b <= range[1][1]; ++b)
            for (int64_t c = range[2][0]; c <= range[2][1]; ++c)
                for (int64_t d = range[3][0]; d <= range[3][1]; ++d) {
                    const auto it = cells_.find({a, b, c, d});
                    if (it == cells_.end())
                        continue;
                    for (int id : it->second)
                        if (close(planes_[static_cast<size_t>(id)]))
                            return id | (flip ? 1 : 0);
                }
    const int id = static_cast<int>(planes_.size());
    planes_.push_back(canon);
    planes_.push_back({-canon.normal, -canon.dist});
    Key key;
    for (size_t i = 0; i < 4; ++i)
        key[i] = static_cast<int64_t>(std::floor(values[i] / kCell[i]));
    cells_[key].push_back(id);
    return id | (flip ? 1 : 0);
}

std::vector<BrushFace> brushFromPlanes(const std::vector<int>& planeIds, const PlaneTable& table, double extent)
{
    std::vector<BrushFace> faces;
    for (size_t i = 0; i < planeIds.size(); ++i) {
        Winding w = baseWinding(table[planeIds[i]], extent);
        for (size_t j = 0; j < planeIds.size() && !w.empty(); ++j)
            if (j != i)
                clipBackInPlace(w, table[planeIds[j]]);
        if (windingArea(w) >= kMinFaceArea)
            faces.push_back({planeIds[i], std::move(w), -1});
    }
    return faces;
}

double brushVolume(const std::vector<BrushFace>& faces, const PlaneTable& table)
{
    Vec3 centre;
    size_t count = 0;
    for (const BrushFace& f : faces)
        for (const Vec3& p : f.winding) {
            centre = centre + p;
            ++count;
        }
    if (count == 0)
        return 0;
    centre = centre * (1.0 / static_cast<double>(count));
    double volume = 0;
    for (const BrushFace& f : faces)
        volume += windingArea(f.winding) * -table[f.planeId].distanceTo(centre) / 3.0;
    return volume;
}

int32_t hullZeroContents(const Bsp& bsp, int32_t node, const Vec3& p)
{
    for (size_t steps = 0; node >= 0 && steps <= bsp.nodes.size(); ++steps) {
        const BspNode& n = bsp.nodes[static_cast<size_t>(node)];
        const BspPlane& plane = bsp.planes[n.plane];
        node = n.children[dot(plane.normal, p) - plane.dist >= 0 ? 0 : 1];
    }
    return node < 0 ? bsp.leaves[static_cast<size_t>(-(node + 1))].contents : kEmpty;
}

std::vector<Vec3> probePoints(const Winding& w)
{
    const Vec3 centre = windingCentre(w);
    std::vector<Vec3> points{centre};
    for (const Vec3& p : w)
        points.push_back(centre + (p - centre) * 0.8);
    return points;
}

bool toolsSeeOnePlane(const Plane& a, const Plane& b)
{
    return std::fabs(a.normal.x - b.normal.x) < kToolNormalEpsilon &&
        std::fabs(a.normal.y - b.normal.y) < kToolNormalEpsilon &&
        std::fabs(a.normal.z - b.normal.z) < kToolNormalEpsilon;
}

void joinToolCoplanarFaces(Brush& brush, const PlaneTable& table, double extent)
{
    // Two such sides of one convex brush meet at a crease too shallow to matter: the smaller one goes, which
    // widens the brush by a wedge thinner than the normals' difference times its size.
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < brush.faces.size() && !changed; ++i)
            for (size_t j = i + 1; j < brush.faces.size() && !changed; ++j) {
                if (!toolsSeeOnePlane(table[brush.faces[i].planeId], table[brush.faces[j].planeId]))
                    continue;
                const size_t drop = windingArea(brush.faces[i].winding) < windingArea(brush.faces[j].winding) ? i : j;
                std::vector<int> ids;
                for (size_t k = 0; k < brush.faces.size(); ++k)
                    if (k != drop)
                        ids.push_back(brush.faces[k].planeId);
                std::vector<BrushFace> faces = brushFromPlanes(ids, table, extent);
                for (BrushFace& f : faces)
                    for (const BrushFace& old : brush.faces)
                        if (old.planeId == f.planeId)
                            f.texInfo = old.texInfo;
                brush.faces = std::move(faces);
                changed = true;
            }
    }
}

bool Rebuilder::hasToolCoplanarSides(const Brush& brush) const
{
    for (size_t i = 0; i < brush.faces.size(); ++i)
        for (size_t j = i + 1; j < brush.faces.size(); ++j)
            if (toolsSeeOnePlane(table_[brush.faces[i].planeId], table_[brush.faces[j].planeId]))
                return true;
    return false;
}

// Two sides the tools would read as one plane meet at a crease too shallow to see (terrain whose slopes differ a
// hair). Dropping one of them would move the surface it shows off its plane; cutting the brush through the crease
// gives each its own brush. Small sides just go.
size_t Rebuilder::splitShallowCreases(std::vector<Brush>& brushes, double extent)
{
    constexpr double kMinCreaseSide = 16; // square units
    std::vector<Brush> pending = std::move(brushes);
    brushes.clear();
    size_t splits = 0, budget = pending.size() + 64;
    while (!pending.empty()) {
        Brush brush = std::move(pending.back());
        pending.pop_back();
        int cut = -1, a = -1, b = -1;
        for (size_t i = 0; i < brush.faces.size() && cut < 0 && budget > 0; ++i)
            for (size_t j = i + 1; j < brush.faces.size() && cut < 0; ++j) {
                const Plane pa = table_[brush.faces[i].planeId], pb = table_[brush.faces[j].planeId];
                const Vec3 across = pa.normal - pb.normal;
                if (!toolsSeeOnePlane(pa, pb) || length(across) < 1e-9 ||
                    windingArea(brush.faces[i].winding) < kMinCreaseSide ||
                    windingArea(brush.faces[j].winding) < kMinCreaseSide)
                    continue;
                // The plane through the crease that a's side lies in front of and b's behind.
                cut = table_.find({across * (1 / length(across)), (pa.dist - pb.dist) / length(across)});
                a = brush.faces[i].planeId;
                b = brush.faces[j].planeId;
            }
        Region front, back;
        if (cut >= 0)
            split(Region{brush.faces}, cut, extent, front, back);
        if (front.faces.size() < 4 || back.faces.size() < 4) {
            joinToolCoplanarFaces(brush, table_, extent);
            brushes.push_back(std::move(brush));
            continue;
        }
        --budget;
        ++splits;
        for (Region* part : {&front, &back}) {
            Brush piece{brush.contents, brush.fillTexture, std::move(part->faces)};
            for (BrushFace& f : piece.faces) {
                for (const BrushFace& old : brush.faces)
                    if (old.planeId == f.planeId)
                        f.texInfo = old.texInfo;
                // The tools would take a side whose first point lies on the crease for the other side's plane.
                if (f.planeId == a || f.planeId == b) {
                    const Plane& other = table_[f.planeId == a ? b : a];
                    const auto far =
                        std::max_element(f.winding.begin(), f.winding.end(), [&](const Vec3& p, const Vec3& q) {
                            return std::fabs(other.distanceTo(p)) < std::fabs(other.distanceTo(q));
                        });
                    std::rotate(f.winding.begin(), far, f.winding.end());
                }
            }
            pending.push_back(std::move(piece));
        }
    }
    return splits;
}

Rebuilder::Rebuilder(const Bsp& bsp) : bsp_(bsp), visited_(bsp.nodes.size(), 0)
{
    bspPlaneIds_.reserve(bsp.planes.size());
    for (const BspPlane& p : bsp.planes)
        bspPlaneIds_.push_back(table_.find({p.normal, p.dist}));
    faceIds_.reserve(bsp.faces.size());
    faceBounds_.reserve(bsp.faces.size());
    for (const BspFace& f : bsp.faces) {
        faceIds_.push_back(bspPlaneIds_[f.plane] ^ (f.flipped ? 1 : 0));
        Box box;
        for (const Vec3& p : f.winding)
            box.add(p);
        faceBounds_.push_back({box.mins, box.maxs});
    }
}

void Rebuilder::split(Region region, int planeId, double extent, Region& front, Region& back)
{
    // A region bounded by the plane itself lies wholly on one side; cutting would give it a second face there.
    for (const BrushFace& f : region.faces)
        if ((f.planeId | 1) == (planeId | 1)) {
            (f.planeId == planeId ? back : front) = std::move(region);
            return;
        }
    const Plane& plane = table_[planeId];
    // Most planes miss the region: then no face is cut. One that only touches it leaves it whole too.
    const auto [lowest, highest] = reachOf(plane, region.faces);
    if (lowest >= -kOnEpsilon || highest <= kOnEpsilon) {
        (highest > -lowest ? front : back) = std::move(region);
        return;
    }
    Winding cap = baseWinding(plane, extent);
    for (const BrushFace& f : region.faces) {
        clipBackInPlace(cap, table_[f.planeId]);
        if (cap.empty())
            break;
    }
    if (windingArea(cap) < kMinFaceArea) {
        (highest > -lowest ? front : back) = std::move(region);
        return;
    }
    const Plane flipped{-plane.normal, -plane.dist};
    for (const BrushFace& f : region.faces) {
        Winding b = clipBack(f.winding, plane);
        if (windingArea(b) >= kMinFaceArea)
            back.faces.push_back({f.planeId, std::move(b), -1});
        Winding a = clipBack(f.winding, flipped);
        if (windingArea(a) >= kMinFaceArea)
            front.faces.push_back({f.planeId, std::move(a), -1});
    }
    back.faces.push_back({planeId, cap, -1});
    front.faces.push_back({planeId ^ 1, std::move(cap), -1});
}

std::string Rebuilder::fillTextureFor(const BspLeaf& leaf, int32_t contents) const
{
    if (contents == kSolid)
        return "NULL";
    // A name the file itself uses is extracted or in the original WAD list; prefer one the leaf shows.
    for (uint32_t i = 0; i < leaf.markSurfaceCount; ++i) {
        const std::string& name = faceTextureName(bsp_, bsp_.faces[bsp_.markSurfaces[leaf.firstMarkSurface + i]]);
        if (textureContents(name) == contents)
            return name;
    }
    for (const BspMipTex& mt : bsp_.mipTextures)
        if (!mt.name.empty() && textureContents(mt.name) == contents)
            return mt.name;
    // Otherwise a tool texture with those contents.
    switch (contents) {
    case kSky: return "sky";
    case -9: return "!cur_0";
    case -10: return "!cur_90";
    case -11: return "!cur_180";
    case -12: return "!cur_270";
    case -13: return "!cur_up";
    case -14: return "!cur_dwn";
    default: return "CONTENTWATER";
    }
}

const std::string& Rebuilder::textureName(int texInfo) const
{
    return bsp_.mipTextures[bsp_.texInfos[static_cast<size_t>(texInfo)].mipTex].name;
}

bool Rebuilder::sameTexture(int a, int b) const
{
    if (a == b)
        return true;
    if (a < 0 || b < 0)
        return false;
    const BspTexInfo& x = bsp_.texInfos[static_cast<size_t>(a)];
    const BspTexInfo& y = bsp_.texInfos[static_cast<size_t>(b)];
    if (x.mipTex != y.mipTex)
        return false;
    for (size_t i = 0; i < 2; ++i)
        if (length(x.axis[i] - y.axis[i]) > 1e-5 || std::fabs(x.offset[i] - y.offset[i]) > 1e-3)
            return false;
    return true;
}

std::vector<Brush> Rebuilder::leafBrushes(size_t modelIndex, const Vec3& mins, const Vec3& maxs, double extent)
{
    std::vector<int> boxIds;
    for (int i = 0; i < 3; ++i) {
        Vec3 n;
        (i == 0 ? n.x : i == 1 ? n.y : n.z) = 1;
        boxIds.push_back(table_.find({n, maxs[i]}));
        boxIds.push_back(table_.find({-n, -mins[i]}));
    }
    ++stamp_;
    struct Item {
        int32_t child;
        Region region;
        size_t depth;
    };
    std::vector<Item> stack;
    stack.push_back({bsp_.models[modelIndex].headNode, Region{brushFromPlanes(boxIds, table_, extent)}, 0});
    std::vector<Brush> brushes;
    while (!stack.empty()) {
        Item item = std::move(stack.back());
        stack.pop_back();
        if (item.region.faces.size() < 4)
            continue;
        if (item.child < 0) {
            const BspLeaf& leaf = bsp_.leaves[static_cast<size_t>(-(item.child + 1))];
            if (leaf.contents == kEmpty || leaf.contents == kOrigin || leaf.contents == kClip)
                continue;
            const int32_t contents = modelIndex == 0 ? leaf.contents : entityContents(leaf.contents);
            if (brushVolume(item.region.faces, table_) >= kDegenerateVolume)
                brushes.push_back({contents, fillTextureFor(leaf, contents), std::move(item.region.faces)});
            continue;
        }
        if (item.depth >= kMaxDepth)
            throw BspError("node tree of model " + std::to_string(modelIndex) + " is deeper than " +
                std::to_string(kMaxDepth) + " levels");
        const size_t nodeIndex = static_cast<size_t>(item.child);
        if (visited_[nodeIndex] == stamp_)
            throw BspError("node tree of model " + std::to_string(modelIndex) + " reaches node " +
                std::to_string(nodeIndex) + " twice (a cycle or shared subtree)");
        visited_[nodeIndex] = stamp_;
        const BspNode& node = bsp_.nodes[nodeIndex];
        Region front, back;
        split(std::move(item.region), bspPlaneIds_[node.plane], extent, front, back);
        stack.push_back({node.children[1], std::move(back), item.depth + 1});
        stack.push_back({node.children[0], std::move(front), item.depth + 1});
    }
    return brushes;
}

// Leaves can span surfaces of different textures; cut them apart along the surfaces' edges, then texture them.
std::vector<Brush> Rebuilder::textureBrushes(
    std::vector<Brush> pending, const FaceIndex& faces, double extent, bool facesDecideContents, RebuildStats& stats)
{
    std::vector<Brush> done;
    size_t splitBudget = 8 * pending.size() + 64;
    while (!pending.empty()) {
        Brush brush = std::move(pending.back());
        pending.pop_back();
        Plane cut;
        // The surfaces each face shows: found once, for the cut and for the textures.
        std::vector<std::vector<Patch>> shown(brush.faces.size());
        for (size_t fi = 0; fi < brush.faces.size(); ++fi)
            shown[fi] = surfacesOn(brush, fi, faces);
        if (splitBudget > 0 && findTextureSplit(brush, shown, cut)) {
            --splitBudget;
            ++stats.textureSplits;
            Region front, back;
            split(Region{std::move(brush.faces)}, table_.find(cut), extent, front, back);
            for (Region* part : {&front, &back})
                if (part->faces.size() >= 4)
                    pending.push_back({brush.contents, brush.fillTexture, std::move(part->faces)});
            continue;
        }
        assignTextures(brush, shown, facesDecideContents);
        done.push_back(std::move(brush));
    }
    return done;
}

bool Rebuilder::isThinnerThan(const Brush& brush, double minVolume, double minThickness) const
{
    if (brushVolume(brush.faces, table_) < minVolume)
        return true;
    for (const BrushFace& f : brush.faces) {
        double depth = 0;
        for (const BrushFace& g : brush.faces)
            for (const Vec3& p : g.winding)
                depth = std::max(depth, -table_[f.planeId].distanceTo(p));
        if (depth < minThickness)
            return true;
    }
    return false;
}

bool Rebuilder::isSplinter(const Brush& brush) const { return isThinnerThan(brush, kMinVolume, kMinThickness); }

// A solid of the world that shows nothing, reaches the world's bounds and borders nothing open is part of the
// void outside the map: the compile tools fill that void again, so writing it only adds brushes.
bool Rebuilder::isHiddenVoid(const Brush& brush, int32_t headNode, const Vec3& mins, const Vec3& maxs) const
{
    constexpr double kNear = 0.01;
    if (brush.contents != kSolid)
        return false;
    bool atBounds = false;
    for (const BrushFace& f : brush.faces) {
        if (f.texInfo >= 0)
            return false;
        for (const Vec3& p : f.winding)
            for (int i = 0; i < 3; ++i)
                atBounds = atBounds || p[i] <= mins[i] + kNear || p[i] >= maxs[i] - kNear;
    }
    if (!atBounds)
        return false;
    for (const BrushFace& f : brush.faces) {
        const Vec3& n = table_[f.planeId].normal;
        for (const Vec3& q : probePoints(f.winding)) {
            const Vec3 out = q + n * 0.5;
            bool inside = true;
            for (int i = 0; i < 3; ++i)
                inside = inside && out[i] > mins[i] && out[i] < maxs[i];
            const int32_t c = inside ? hullZeroContents(bsp_, headNode, out) : kSolid;
            if (c != kSolid && c != kSky)
                return false;
        }
    }
    return true;
}

ModelBrushes Rebuilder::rebuild(size_t modelIndex, bool facesDecideContents)
{
    const BspModel& model = bsp_.models.at(modelIndex);
    ModelBrushes out;
    // Brush models are empty outside, so a margin costs nothing and keeps geometry the bounds cut short.
    const double margin = modelIndex == 0 ? 0.0 : 16.0;
    const Vec3 mins = model.mins - Vec3{margin, margin, margin};
    const Vec3 maxs = model.maxs + Vec3{margin, margin, margin};
    if (!(mins.x < maxs.x && mins.y < maxs.y && mins.z < maxs.z))
        return out;
    double maxAbs = 0;
    for (int i = 0; i < 3; ++i)
        maxAbs = std::max({maxAbs, std::fabs(mins[i]), std::fabs(maxs[i])});
    const double extent = 4 * maxAbs + 64;

    std::vector<Brush> leaves = leafBrushes(modelIndex, mins, maxs, extent);
    out.stats.leafBrushes = leaves.size();
    FaceIndex facesByPlane;
    for (uint32_t i = model.firstFace; i < model.firstFace + model.faceCount; ++i)
        facesByPlane[faceIds_[i]].push_back(i);
    out.brushes = textureBrushes(std::move(leaves), facesByPlane, extent, facesDecideContents, out.stats);
    mergeBrushes(out.brushes, extent, out.stats);
    out.stats.creaseSplits = splitShallowCreases(out.brushes, extent);
    if (modelIndex == 0) {
        out.stats.hiddenVoid = static_cast<size_t>(
            std::erase_if(out.brushes, [&](const Brush& b) { return isHiddenVoid(b, model.headNode, mins, maxs); }));
        out.stats.held = widenSolids(out.brushes, model.headNode, facesByPlane, mins, maxs, extent);
    }

    // Splinters left after merging would be rejected by the compile tools.
    out.stats.slivers = static_cast<size_t>(std::erase_if(out.brushes, [&](const Brush& b) { return isSplinter(b); }));
    return out;
}

// Pieces of one solid, cut apart where other solids or the tree's planes crossed it, grow back into one brush: a
// piece widens to what its shown sides and those of its neighbours bound, when that lies wholly in hull-0 solid and
// each of its sides shows one texture or nothing, and pieces a wider brush holds go. Overlapping brushes of one
// contents are what mappers write; the compile tools take their union.
size_t Rebuilder::widenSolids(std::vector<Brush>& brushes, int32_t headNode, const FaceIndex& faces, const Vec3& mins,
    const Vec3& maxs, double extent)
{
    std::vector<Box> boxes;
    std::vector<std::pair<double, size_t>> order;
    for (size_t i = 0; i < brushes.size(); ++i) {
        boxes.push_back(boxOf(brushes[i].faces));
        order.emplace_back(-brushVolume(brushes[i].faces, table_), i);
    }
    std::sort(order.begin(), order.end());
    BoxGrid grid(boxes);
    // Whether a solid brush other than i, kept and looked at before, holds brush i.
    std::vector<bool> keep(brushes.size(), false);
    auto heldByAnother = [&](size_t i) {
        bool held = false;
        grid.forEachTouching(boxes[i], [&](size_t j) {
            held = held ||
                (j != i && keep[j] && brushes[j].contents == kSolid && boxes[j].encloses(boxes[i], kContainEpsilon) &&
                    holds(brushes[j], brushes[i]));
        });
        return held;
    };
    std::vector<int> planes, tried;
    std::vector<size_t> neighbours;
    for (const auto& entry : order) {
        // Copies: lambdas below may not name structured bindings.
        const double volume = -entry.first;
        const size_t index = entry.second;
        Brush& brush = brushes[index];
        if (brush.contents == kSolid && heldByAnother(index))
            continue;
        keep[index] = true;
        // A piece showing a surface on every side is already as wide as it gets.
        if (brush.contents != kSolid ||
            std::all_of(brush.faces.begin(), brush.faces.end(), [](const BrushFace& f) { return f.texInfo >= 0; }))
            continue;
        // The shown sides of the piece and of the solids it touches, where the piece lies behind them.
        planes.clear();
        tried.clear();
        const Box box = boxes[index];
        // The piece's own sides first: they cut the region down soonest. The widened brush stays within the
        // solids the piece touches.
        Box reach = box;
        auto gather = [&](size_t n) {
            if (brushes[n].contents != kSolid)
                return;
            reach.add(boxes[n].mins);
            reach.add(boxes[n].maxs);
            for (const BrushFace& f : brushes[n].faces) {
                if (f.texInfo < 0 || std::find(tried.begin(), tried.end(), f.planeId) != tried.end())
                    continue;
                tried.push_back(f.planeId);
                // The box's farthest corner decides most planes without looking at the piece's points.
                const Plane& plane = table_[f.planeId];
                const Vec3 far{plane.normal.x > 0 ? box.maxs.x : box.mins.x,
                    plane.normal.y > 0 ? box.maxs.y : box.mins.y, plane.normal.z > 0 ? box.maxs.z : box.mins.z};
                if (plane.distanceTo(far) <= kContainEpsilon || behind(brush, plane))
                    planes.push_back(f.planeId);
            }
        };
        gather(index);
        neighbours.clear();
        grid.forEachTouching(box, [&](size_t n) {
            if (n != index && !keep[n] && brushes[n].contents == kSolid)
                neighbours.push_back(n);
        });
        // Widening pays only when the wider brush would hold a piece still to come: one behind the piece's own
        // shown sides first, then behind those of its neighbours too.
        const auto holdsOne = [&] {
            return std::any_of(neighbours.begin(), neighbours.end(), [&](size_t n) {
                return std::all_of(
                    planes.begin(), planes.end(), [&](int id) { return behind(brushes[n], table_[id]); });
            });
        };
        if (!holdsOne())
            continue;
        for (size_t n : neighbours)
            gather(n);
        if (!holdsOne())
            continue;
        std::vector<int> ids;
        for (int i = 0; i < 3; ++i) {
            Vec3 n;
            (i == 0 ? n.x : i == 1 ? n.y : n.z) = 1;
            ids.push_back(table_.find({n, std::min(maxs[i], reach.maxs[i])}));
            ids.push_back(table_.find({-n, -std::max(mins[i], reach.mins[i])}));
        }
        Region wider{brushFromPlanes(ids, table_, extent)};
        for (int id : planes) {
            Region front, back;
            split(std::move(wider), id, extent, front, back);
            wider = std::move(back);
            if (wider.faces.size() < 4)
                break;
        }
        if (wider.faces.size() < 4 || brushVolume(wider.faces, table_) < volume + kMinVolume ||
            !solidInHullZero(wider, headNode, extent))
            continue;
        Brush candidate{kSolid, brush.fillTexture, std::move(wider.faces)};
        if (!textureWhole(candidate, faces) || hasToolCoplanarSides(candidate))
            continue;
        brush = std::move(candidate);
        boxes[index] = boxOf(brush.faces);
        grid.add(index);
    }
    // A brush that grew later may hold one kept before it.
    for (size_t i = 0; i < brushes.size(); ++i)
        if (keep[i] && brushes[i].contents == kSolid && heldByAnother(i))
            keep[i] = false;
    std::vector<Brush> out;
    for (size_t i = 0; i < brushes.size(); ++i)
        if (keep[i])
            out.push_back(std::move(brushes[i]));
    const size_t held = brushes.size() - out.size();
    brushes = std::move(out);
    return held;
}

bool Rebuilder::solidInHullZero(const Region& region, int32_t headNode, double extent)
{
    std::vector<std::pair<int32_t, Region>> stack;
    stack.emplace_back(headNode, region);
    for (size_t visits = 0; !stack.empty();) {
        auto [child, part] = std::move(stack.back());
        stack.pop_back();
        if (part.faces.size() < 4)
            continue;
        if (child < 0) {
            if (bsp_.leaves[static_cast<size_t>(-(child + 1))].contents != kSolid &&
                brushVolume(part.faces, table_) >= kDegenerateVolume)
                return false;
            continue;
        }
        if (++visits > bsp_.nodes.size())
            return false;
        const BspNode& node = bsp_.nodes[static_cast<size_t>(child)];
        Region front, back;
        split(std::move(part), bspPlaneIds_[node.plane], extent, front, back);
        stack.emplace_back(node.children[1], std::move(back));
        stack.emplace_back(node.children[0], std::move(front));
    }
    return true;
}

// Gives each side of the brush the one texture its surfaces show; false when a side shows two.
bool Rebuilder::textureWhole(Brush& brush, const FaceIndex& faces) const
{
    for (size_t fi = 0; fi < brush.faces.size(); ++fi) {
        int texInfo = -1;
        for (const Patch& patch : surfacesOn(brush, fi, faces)) {
            if (texInfo >= 0 && !sameTexture(texInfo, patch.texInfo))
                return false;
            texInfo = patch.texInfo;
        }
        if (texInfo >= 0 && !textureFitsContents(textureName(texInfo), brush.contents))
            return false;
        brush.faces[fi].texInfo = texInfo;
    }
    return true;
}

bool Rebuilder::behind(const Brush& brush, const Plane& plane) const
{
    for (const BrushFace& f : brush.faces)
        for (const Vec3& v : f.winding)
            if (plane.distanceTo(v) > kContainEpsilon)
                return false;
    return true;
}

bool Rebuilder::holds(const Brush& outer, const Brush& inner) const
{

    for (const BrushFace& f : outer.faces)
        if (!behind(inner, table_[f.planeId]))
            return false;
    return true;
}

std::vector<Rebuilder::Patch> Rebuilder::surfacesOn(const Brush& brush, size_t faceIndex, const FaceIndex& faces) const
{
    std::vector<Patch> patches;
    const BrushFace& face = brush.faces[faceIndex];
    const auto candidates = faces.find(face.planeId);
    if (candidates == faces.end())
        return patches;
    Box faceBox;
    for (const Vec3& p : face.winding)
        faceBox.add(p);
    for (uint32_t i : candidates->second) {
        if (!faceBox.touches({faceBounds_[i][0], faceBounds_[i][1]}, kContainEpsilon))
            continue;
        Winding w = bsp_.faces[i].winding;
        for (size_t j = 0; j < brush.faces.size() && !w.empty(); ++j)
            if (j != faceIndex)
                clipBackInPlace(w, table_[brush.faces[j].planeId]);
        if (windingArea(w) >= kMinFaceArea)
            patches.push_back({static_cast<int>(bsp_.faces[i].texInfo), std::move(w)});
    }
    return patches;
}

// A plane through an edge between differently textured surfaces of one face, cutting the brush in two.
bool Rebuilder::findTextureSplit(const Brush& brush, const std::vector<std::vector<Patch>>& shown, Plane& plane) const
{
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t fewestCuts = kNone;
    Plane fallback;
    for (size_t fi = 0; fi < brush.faces.size(); ++fi) {
        const std::vector<Patch>& patches = shown[fi];
        std::vector<size_t> group(patches.size());
        bool mixed = false;
        for (size_t i = 0; i < patches.size(); ++i) {
            group[i] = i;
            for (size_t j = 0; j < i; ++j)
                if (sameTexture(patches[i].texInfo, patches[j].texInfo)) {
                    group[i] = group[j];
                    break;
                }
            mixed = mixed || group[i] != group[0];
        }
        if (!mixed)
            continue;
        const Vec3 normal = table_[brush.faces[fi].planeId].normal;
        for (const Patch& patch : patches)
            for (size_t e = 0; e < patch.winding.size(); ++e) {
                const Vec3& a = patch.winding[e];
                const Vec3 dir = patch.winding[(e + 1) % patch.winding.size()] - a;
                Vec3 n = cross(dir, normal);
                if (length(n) < 0.01)
                    continue;
                n = n * (1.0 / length(n));
                const Plane candidate{n, dot(n, a)};
                const auto [lowest, highest] = reachOf(candidate, brush.faces);
                if (highest < kMinThickness || lowest > -kMinThickness)
                    continue;
                // Groups wholly in front and wholly behind, and how many surfaces the plane cuts through.
                std::vector<size_t> front, back;
                size_t cuts = 0;
                for (size_t i = 0; i < patches.size(); ++i) {
                    PlaneReach reach;
                    reach.add(candidate, patches[i].winding);
                    const auto [lo, hi] = reach;
                    if (hi > kContainEpsilon && lo < -kContainEpsilon) {
                        ++cuts;
                        continue;
                    }
                    auto& side = hi > kContainEpsilon ? front : back;
                    if (std::find(side.begin(), side.end(), group[i]) == side.end())
                        side.push_back(group[i]);
                }
                if (front.empty() || back.empty() || (front.size() == 1 && back.size() == 1 && front[0] == back[0]))
                    continue;
                if (cuts == 0 && (front.size() == 1 || back.size() == 1)) {
                    plane = candidate;
                    return true;
                }
                // Surfaces enclosed by others allow no clean cut; cutting a few surfaces still makes progress.
                if (cuts < fewestCuts) {
                    fewestCuts = cuts;
                    fallback = candidate;
                }
            }
    }
    if (fewestCuts == kNone)
        return false;
    plane = fallback;
    return true;
}

void Rebuilder::assignTextures(Brush& brush, const std::vector<std::vector<Patch>>& shown, bool facesDecideContents)
{
    if (facesDecideContents && brush.contents != kSolid) {
        // What the faces show beats the leaf's contents: a brush showing walls is a solid, whatever hull 0 says.
        double fitting = 0, solid = 0;
        for (size_t fi = 0; fi < brush.faces.size(); ++fi)
            for (const Patch& patch : shown[fi]) {
                const std::string& name = textureName(patch.texInfo);
                if (textureFitsContents(name, brush.contents))
                    fitting += windingArea(patch.winding);
                else if (textureContents(name) == kSolid)
                    solid += windingArea(patch.winding);
            }
        if (solid > fitting) {
            brush.contents = kSolid;
            brush.fillTexture = "NULL";
        }
    }
    for (size_t fi = 0; fi < brush.faces.size(); ++fi) {
        std::vector<std::pair<int, double>> areas;
        for (const Patch& patch : shown[fi]) {
            const double area = windingArea(patch.winding);
            auto it = std::find_if(
                areas.begin(), areas.end(), [&](const auto& e) { return sameTexture(e.first, patch.texInfo); });
            if (it == areas.end())
                areas.emplace_back(patch.texInfo, area);
            else
                it->second += area;
        }
        BrushFace& face = brush.faces[fi];
        face.texInfo = -1;
        double best = 0;
        for (const auto& [texInfo, area] : areas)
            if (area > best && textureFitsContents(textureName(texInfo), brush.contents)) {
                best = area;
                face.texInfo = texInfo;
            }
    }
}

namespace {

// Merges neighbours of equal contents whose union is convex, in phases: index the brushes by plane, merge pairs
// across shared planes until nothing changes, then drop the brushes merged into others.
class BrushMerger {
public:
    BrushMerger(std::vector<Brush>& brushes, const PlaneTable& table, double extent,
        std::function<bool(int, int)> sameTexture) :
          brushes_(brushes),
          table_(table),
          extent_(extent),
          sameTexture_(std::move(sameTexture)),
          alive_(brushes.size(), true),
          boxes_(brushes.size()),
          volumes_(brushes.size())
    {
        for (size_t i = 0; i < brushes_.size(); ++i) {
            boxes_[i] = boxOf(brushes_[i].faces);
            volumes_[i] = brushVolume(brushes_[i].faces, table_);
            for (const BrushFace& f : brushes_[i].faces)
                byPlane_[f.planeId].push_back(i);
        }
    }

    // Returns how many brushes were merged into others.
    size_t run()
    {
        // One pass: a brush that grows tries all its neighbours again, so every pair that could merge has been tried
        // with both brushes as they end up.
        size_t merged = 0;
        for (size_t a = 0; a < brushes_.size(); ++a)
            if (alive_[a])
                while (mergeAcrossAFace(a))
                    ++merged;
        compact();
        return merged;
    }

private:
    // Merges one neighbour sharing a face plane with brush a into it.
    bool mergeAcrossAFace(size_t a)
    {
        std::vector<int> before;
        for (const BrushFace& f : brushes_[a].faces)
            before.push_back(f.planeId);
        for (size_t fi = 0; fi < brushes_[a].faces.size(); ++fi) {
            const int shared = brushes_[a].faces[fi].planeId;
            const auto it = byPlane_.find(shared ^ 1);
            if (it == byPlane_.end())
                continue;
            for (size_t b : it->second)
                if (b != a && alive_[b] && brushes_[a].contents == brushes_[b].contents &&
                    boxes_[a].touches(boxes_[b], 0.01) && hasPlane(b, shared ^ 1) && tryMerge(a, b, shared)) {
                    alive_[b] = false;
                    // Planes a had before are listed for it already.
                    for (const BrushFace& f : brushes_[a].faces)
                        if (std::find(before.begin(), before.end(), f.planeId) == before.end())
                            byPlane_[f.planeId].push_back(a);
                    return true;
                }
        }
        return false;
    }

    bool hasPlane(size_t b, int id) const
    {
        return std::any_of(
            brushes_[b].faces.begin(), brushes_[b].faces.end(), [&](const BrushFace& f) { return f.planeId == id; });
    }

    // Every point of a lies behind every plane of b but `skip`.
    bool inside(const Brush& a, const Brush& b, int skip) const
    {
        for (const BrushFace& f : b.faces) {
            if (f.planeId == skip)
                continue;
            const Plane& p = table_[f.planeId];
            for (const BrushFace& g : a.faces)
                for (const Vec3& v : g.winding)
                    if (p.distanceTo(v) > kContainEpsilon)
                        return false;
        }
        return true;
    }

    // Replaces brush ai by its union with bi across the shared plane when that union is exactly convex and the
    // textures on common planes agree.
    bool tryMerge(size_t ai, size_t bi, int shared)
    {
        const Brush& a = brushes_[ai];
        const Brush& b = brushes_[bi];
        if (a.contents != b.contents || a.fillTexture != b.fillTexture || !boxes_[ai].touches(boxes_[bi], 0.01))
            return false;
        std::vector<std::pair<int, int>> planes; // id, texinfo
        auto add = [&](const Brush& brush, int skip) {
            for (const BrushFace& f : brush.faces) {
                if (f.planeId == skip)
                    continue;
                auto it =
                    std::find_if(planes.begin(), planes.end(), [&](const auto& e) { return e.first == f.planeId; });
                if (it == planes.end()) {
                    planes.emplace_back(f.planeId, f.texInfo);
                } else if (f.texInfo >= 0) {
                    if (it->second >= 0 && !sameTexture_(it->second, f.texInfo))
                        return false;
                    it->second = f.texInfo;
                }
            }
            return true;
        };
        if (!add(a, shared) || !add(b, shared ^ 1))
            return false;
        if (!inside(a, b, shared ^ 1) || !inside(b, a, shared))
            return false;
        std::vector<int> ids;
        for (const auto& e : planes)
            ids.push_back(e.first);
        std::vector<BrushFace> faces = brushFromPlanes(ids, table_, extent_);
        const double volume = brushVolume(faces, table_);
        const double expected = volumes_[ai] + volumes_[bi];
        if (faces.size() < 4 || std::fabs(volume - expected) > 1e-6 * expected + 0.05)
            return false;
        for (BrushFace& f : faces)
            f.texInfo =
                std::find_if(planes.begin(), planes.end(), [&](const auto& e) { return e.first == f.planeId; })->second;
        brushes_[ai].faces = std::move(faces);
        volumes_[ai] = volume;
        boxes_[ai] = boxOf(brushes_[ai].faces);
        return true;
    }

    void compact()
    {
        std::vector<Brush> kept;
        for (size_t i = 0; i < brushes_.size(); ++i)
            if (alive_[i])
                kept.push_back(std::move(brushes_[i]));
        brushes_ = std::move(kept);
    }

    std::vector<Brush>& brushes_;
    const PlaneTable& table_;
    const double extent_;
    const std::function<bool(int, int)> sameTexture_;
    std::vector<bool> alive_;
    std::vector<Box> boxes_;
    std::vector<double> volumes_;
    std::unordered_map<int, std::vector<size_t>> byPlane_;
};

} // namespace

void Rebuilder::mergeBrushes(std::vector<Brush>& brushes, double extent, RebuildStats& stats)
{
    stats.merged += BrushMerger(brushes, table_, extent, [this](int a, int b) { return sameTexture(a, b); }).run();
}

} // namespace btm
