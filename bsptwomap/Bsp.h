#pragma once

#include "bsptwomap/Geometry.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace btm {

// Damaged or unsupported input; the message is meant for the user.
class BspError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum Contents : int32_t {
    kEmpty = -1,
    kSolid = -2,
    kWater = -3,
    kSlime = -4,
    kLava = -5,
    kSky = -6,
    kOrigin = -7,
    kClip = -8,
    kTranslucent = -15,
};

inline constexpr int32_t kBspVersion = 30;
// Larger files are refused outright so memory use stays bounded.
inline constexpr size_t kMaxBspSize = size_t{512} << 20;

struct BspPlane {
    Vec3 normal;
    double dist = 0;
};

struct BspNode {
    uint32_t plane = 0;
    std::array<int32_t, 2> children{}; // >= 0: node, < 0: leaf -(c + 1)
};

// Clip hulls store contents in place of leaves: a child >= 0 is a clip node, < 0 the contents there.
struct BspClipNode {
    uint32_t plane = 0;
    std::array<int32_t, 2> children{};
};

struct BspLeaf {
    int32_t contents = kEmpty;
    uint32_t firstMarkSurface = 0;
    uint32_t markSurfaceCount = 0;
};

struct BspTexInfo {
    std::array<Vec3, 2> axis{}; // s and t vectors, not normalised
    std::array<double, 2> offset{};
    uint32_t mipTex = 0;
    int32_t flags = 0;
};

struct BspFace {
    uint32_t plane = 0;
    bool flipped = false;
    uint32_t texInfo = 0;
    Winding winding;
};

struct BspMipTex {
    std::string name;
    uint32_t width = 0;
    uint32_t height = 0;
    // The miptex exactly as stored when its pixels are inside the file; empty for external textures.
    std::vector<uint8_t> stored;
};

struct BspModel {
    Vec3 mins, maxs, origin;
    int32_t headNode = 0;
    std::array<int32_t, 3> clipHeads{kEmpty, kEmpty, kEmpty}; // hulls 1 to 3: clip node, or contents if < 0
    uint32_t firstFace = 0;
    uint32_t faceCount = 0;
};

struct Bsp {
    std::string entities;
    std::vector<BspPlane> planes;
    std::vector<BspMipTex> mipTextures; // absent slots (offset -1) have an empty name
    std::vector<BspNode> nodes;
    std::vector<BspClipNode> clipNodes;
    std::vector<BspTexInfo> texInfos;
    std::vector<BspFace> faces;
    std::vector<BspLeaf> leaves;
    std::vector<uint32_t> markSurfaces;
    std::vector<BspModel> models;
};

// Parses and validates a version 30 file; throws BspError naming the first problem found.
Bsp readBsp(std::span<const uint8_t> data);

// The texture name a face shows, or an empty string when its miptex slot is absent.
const std::string& faceTextureName(const Bsp& bsp, const BspFace& face);

} // namespace btm
