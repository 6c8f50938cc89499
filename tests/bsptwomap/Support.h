#pragma once

#include "bsptwomap/Bsp.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace btm::test {

inline std::filesystem::path fixtureDir() { return FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp"; }
// Larger real maps, with their sources.
inline std::filesystem::path largeFixtureDir() { return FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp-large"; }

// Every .bsp of a fixture folder, sorted; empty when the folder is absent.
inline std::vector<std::string> bspNames(const std::filesystem::path& dir)
{
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (entry.path().extension() == ".bsp")
            found.push_back(entry.path().stem().string());
    std::sort(found.begin(), found.end());
    return found;
}

inline const std::vector<std::string>& fixtureNames()
{
    static const std::vector<std::string> names = bspNames(fixtureDir());
    return names;
}

// Contents at p in hull 0 (a node tree ending in leaves).
inline int32_t hullContents(const Bsp& bsp, int32_t node, const Vec3& p)
{
    while (node >= 0) {
        const BspNode& n = bsp.nodes[static_cast<size_t>(node)];
        const BspPlane& plane = bsp.planes[n.plane];
        node = n.children[dot(plane.normal, p) - plane.dist >= 0 ? 0 : 1];
    }
    return bsp.leaves[static_cast<size_t>(-(node + 1))].contents;
}

// Contents at p in a clip hull (clip nodes ending in contents).
inline int32_t clipHullContents(const Bsp& bsp, int32_t node, const Vec3& p)
{
    while (node >= 0) {
        const BspClipNode& n = bsp.clipNodes[static_cast<size_t>(node)];
        const BspPlane& plane = bsp.planes[n.plane];
        node = n.children[dot(plane.normal, p) - plane.dist >= 0 ? 0 : 1];
    }
    return node;
}

inline bool equalNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Difference of two texel coordinates, ignoring whole repeats of the texture.
inline double wrappedDifference(double a, double b, double size)
{
    const double d = std::fmod(std::fabs(a - b), size);
    return std::min(d, size - d);
}

inline std::vector<uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace btm::test

#define BTM_REQUIRE_FIXTURES()                                                                                         \
    do {                                                                                                               \
        if (!std::filesystem::is_directory(btm::test::fixtureDir()))                                                   \
            GTEST_SKIP() << "BSP fixtures not found at " << btm::test::fixtureDir().string();                          \
    } while (0)
