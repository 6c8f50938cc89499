#pragma once

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Geometry.h"

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace btm {

struct BrushFace {
    int planeId = 0; // oriented plane, see PlaneTable
    Winding winding;
    int texInfo = -1; // -1: no surface of the file shows this face
};

struct Brush {
    int32_t contents = kSolid;
    std::string fillTexture; // used on faces without a surface: NULL for solids, the sky or liquid texture otherwise
    std::vector<BrushFace> faces;
};

// Canonical planes: id 2k is a plane, 2k + 1 the same plane facing the other way. Planes closer than the compile
// tools tell apart (normals within 1e-5, distances within 0.01) share one id, whatever grid cell they fall in.
class PlaneTable {
public:
    int find(const Plane& plane);
    const Plane& operator[](int id) const { return planes_[static_cast<size_t>(id)]; }

private:
    using Key = std::array<int64_t, 4>;
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };
    std::vector<Plane> planes_;
    std::unordered_map<Key, std::vector<int>, KeyHash> cells_; // grid cell -> ids of the planes in it
};

struct RebuildStats {
    size_t leafBrushes = 0;
    size_t textureSplits = 0;
    size_t merged = 0;
    size_t slivers = 0;
    size_t clipBrushes = 0;
    size_t hiddenVoid = 0;
    size_t held = 0; // pieces that a wider brush of the same solid holds
    size_t creaseSplits = 0; // brushes cut where two sides would read as one plane
};

struct ModelBrushes {
    std::vector<Brush> brushes;
    RebuildStats stats;
};

// Rebuilds the hull-0 solid, sky and liquid regions of one model as convex brushes in model space.
class Rebuilder {
public:
    explicit Rebuilder(const Bsp& bsp);

    // With `facesDecideContents` (entities whose hull-0 contents play no part in the game), a liquid region whose
    // faces mostly show solid textures is written as a solid with those textures.
    ModelBrushes rebuild(size_t modelIndex, bool facesDecideContents = false);
    // Adds CLIP brushes for what the player clip hull holds beyond the model's rebuilt solids expanded by the
    // player's box (volumes that extended compile tools keep in the clip hulls only); returns how many.
    size_t addClipBrushes(size_t modelIndex, ModelBrushes& model);
    const PlaneTable& planes() const { return table_; }

    // Deepest node path accepted before the tree counts as damaged.
    static constexpr size_t kMaxDepth = 1024;

private:
    struct Region {
        std::vector<BrushFace> faces;
    };
    using FaceIndex = std::unordered_map<int, std::vector<uint32_t>>;
    struct Patch {
        int texInfo;
        Winding winding;
    };

    void split(Region region, int planeId, double extent, Region& front, Region& back);
    std::vector<Brush> leafBrushes(size_t modelIndex, const Vec3& mins, const Vec3& maxs, double extent);
    std::vector<Brush> textureBrushes(std::vector<Brush> pending, const FaceIndex& faces, double extent,
        bool facesDecideContents, RebuildStats& stats);
    bool isSplinter(const Brush& brush) const;
    bool isHiddenVoid(const Brush& brush, int32_t headNode, const Vec3& mins, const Vec3& maxs) const;
    std::vector<Patch> surfacesOn(const Brush& brush, size_t faceIndex, const FaceIndex& faces) const;
    // `shown[i]`: the surfaces face i of the brush shows (surfacesOn).
    bool findTextureSplit(const Brush& brush, const std::vector<std::vector<Patch>>& shown, Plane& plane) const;
    void assignTextures(Brush& brush, const std::vector<std::vector<Patch>>& shown, bool facesDecideContents);
    std::string fillTextureFor(const BspLeaf& leaf, int32_t contents) const;
    const std::string& textureName(int texInfo) const;
    void mergeBrushes(std::vector<Brush>& brushes, double extent, RebuildStats& stats);
    size_t widenSolids(std::vector<Brush>& brushes, int32_t headNode, const FaceIndex& faces, const Vec3& mins,
        const Vec3& maxs, double extent);
    bool solidInHullZero(const Region& region, int32_t headNode, double extent);
    bool textureWhole(Brush& brush, const FaceIndex& faces) const;
    size_t splitShallowCreases(std::vector<Brush>& brushes, double extent);
    bool hasToolCoplanarSides(const Brush& brush) const;
    bool sameTexture(int a, int b) const;
    // The phases of addClipBrushes.
    struct GrownSolid {
        std::vector<int> planeIds; // the solid's planes moved out by the box, and axial bevels
        Vec3 mins, maxs;
    };
    std::vector<std::vector<BrushFace>> clipHullSolids(
        size_t modelIndex, const Vec3& mins, const Vec3& maxs, double extent);
    std::vector<GrownSolid> growSolids(const std::vector<Brush>& brushes);
    std::vector<Brush> subtractGrown(
        std::vector<std::vector<BrushFace>> solids, const std::vector<GrownSolid>& grown, double extent);
    // `openPlanes` gets the shrunk planes of sides that face open space in the clip hull.
    std::vector<Brush> shrinkPieces(const std::vector<Brush>& pieces, const std::vector<GrownSolid>& grown,
        const BspModel& source, double extent, std::vector<int>& openPlanes);
    // Pieces of one clip volume, cut apart where hull-0 solids grew into it, grow back into one brush: a side goes
    // while the brush without it, grown by the box, still lies in the clip hull's solids; pieces a wider brush
    // holds go.
    std::vector<Brush> widenClips(
        std::vector<Brush> clips, std::vector<int> openPlanes, const BspModel& source, double extent);
    GrownSolid grow(const std::vector<BrushFace>& faces);
    // Whether `faces` grown by the box lies within mins..maxs and in the solids of the clip hull below `headNode`.
    bool grownInClipHull(
        const std::vector<BrushFace>& faces, int32_t headNode, const Vec3& mins, const Vec3& maxs, double extent);
    // Every point of `inner` lies behind every plane of `outer`.
    bool holds(const Brush& outer, const Brush& inner) const;
    bool behind(const Brush& brush, const Plane& plane) const;
    bool isThinnerThan(const Brush& brush, double minVolume, double minThickness) const;

    const Bsp& bsp_;
    PlaneTable table_;
    std::vector<int> bspPlaneIds_;
    std::vector<int> faceIds_; // oriented plane id of each file face
    std::vector<std::array<Vec3, 2>> faceBounds_;
    std::vector<uint32_t> visited_; // per-node stamp for cycle detection
    uint32_t stamp_ = 0;
};

// Hull-0 contents at p below `node` of the file's node tree.
int32_t hullZeroContents(const Bsp& bsp, int32_t node, const Vec3& p);
// Points just inside a face, pulled towards its centre so that neighbouring faces do not decide.
std::vector<Vec3> probePoints(const Winding& w);

// Faces and planes of the convex solid bounded by `planeIds` (outward); faces with no area are dropped.
std::vector<BrushFace> brushFromPlanes(const std::vector<int>& planeIds, const PlaneTable& table, double extent);
double brushVolume(const std::vector<BrushFace>& faces, const PlaneTable& table);
// Whether the compile tools may read two sides on these planes as one plane.
bool toolsSeeOnePlane(const Plane& a, const Plane& b);
// Leaves no two sides of the brush that the compile tools would read as one plane.
void joinToolCoplanarFaces(Brush& brush, const PlaneTable& table, double extent);

} // namespace btm
