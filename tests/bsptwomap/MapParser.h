#pragma once

#include "bsptwomap/Geometry.h"

#include <string>
#include <utility>
#include <vector>

namespace btm::test {

struct MapFace {
    Plane plane; // outward
    std::string texture;
    Vec3 u, v;
    double shiftU = 0, shiftV = 0, rotation = 0, scaleU = 1, scaleV = 1;
};

struct MapBrush {
    std::vector<MapFace> faces;
    Vec3 mins, maxs;
    size_t boundingFaces = 0; // planes that bound a face with area
    double volume = 0;

    bool contains(const Vec3& p) const;
    bool allFacesTextured(const char* name) const;
};

struct MapEntity {
    std::vector<std::pair<std::string, std::string>> keys;
    std::vector<MapBrush> brushes;

    const std::string* find(const std::string& key) const;
};

// Valve 220 map text as compile tools read it; throws std::runtime_error on malformed input.
std::vector<MapEntity> parseMap(const std::string& text);

} // namespace btm::test
