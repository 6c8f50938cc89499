#pragma once

#include "bsptwomap/Geometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace btm::test {

// Textures the generated maps use beyond the compile tools' own; `plainWad` makes the WAD for them.
const std::vector<std::string>& generatedMapTextures();

// A random valid map for the GoldSource compile tools: a sealed room with sky, convex world brushes cut by
// skewed planes, several textures per brush with shifts, scales and rotations, water, clip brushes, and brush
// entities of the common classes with render modes and origin brushes, and a player start clear of every brush.
// `wad` is the "wad" key.
std::string generateMap(uint32_t seed, const std::string& wad);

// Map text of one axial box brush with every side showing `texture`.
std::string boxBrush(const Vec3& mins, const Vec3& maxs, const std::string& texture);
// Map text of an upright prism over a convex polygon given anticlockwise from above, from z0 to z1.
std::string prismBrush(const std::vector<std::array<double, 2>>& polygon, double z0, double z1,
    const std::string& sideTexture, const std::string& topTexture);
// A sealed box room (walls, floor, ceiling 16 units thick) around mins..maxs.
std::string roomBrushes(const Vec3& mins, const Vec3& maxs, const std::string& texture);

} // namespace btm::test
