#include "MapGenerator.h"

#include "bsptwomap/Rebuild.h"
#include "bsptwomap/Writers.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

namespace btm::test {
namespace {

constexpr int kRoom = 512; // the room spans -kRoom..kRoom on every axis

struct Side {
    Vec3 normal; // integer components, not normalised
    Vec3 point; // integer point on the plane
    std::string texture;
};

class Generator {
public:
    explicit Generator(uint32_t seed) : rng_(seed) {}

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    const std::string& pick(const std::vector<std::string>& names)
    {
        return names[static_cast<size_t>(uniform(0, static_cast<int>(names.size()) - 1))];
    }

    // An axial box from mins to maxs, every side with `texture`.
    std::vector<Side> box(const Vec3& mins, const Vec3& maxs, const std::string& texture)
    {
        std::vector<Side> sides;
        for (int axis = 0; axis < 3; ++axis) {
            Vec3 n;
            (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = 1;
            sides.push_back({n, maxs, texture});
            sides.push_back({-n, mins, texture});
        }
        return sides;
    }

    // A box inside the room cut by up to three skewed planes through integer points; sides drawn from `textures`.
    std::vector<Side> skewedBrush(const std::vector<std::string>& textures, int minSize, int maxSize)
    {
        Vec3 mins{double(uniform(-kRoom + 8, kRoom - minSize - 8)), double(uniform(-kRoom + 8, kRoom - minSize - 8)),
            double(uniform(-kRoom + 8, kRoom - minSize - 8))};
        Vec3 maxs = mins +
            Vec3{double(uniform(minSize, maxSize)), double(uniform(minSize, maxSize)),
                double(uniform(minSize, maxSize))};
        maxs = {std::min(maxs.x, kRoom - 8.0), std::min(maxs.y, kRoom - 8.0), std::min(maxs.z, kRoom - 8.0)};
        std::vector<Side> sides = box(mins, maxs, pick(textures));
        for (Side& s : sides)
            s.texture = pick(textures);
        const int cuts = uniform(0, 4);
        for (int c = 0; c < cuts; ++c) {
            Vec3 n{double(uniform(-4, 4)), double(uniform(-4, 4)), double(uniform(-4, 4))};
            if (std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z) < 2)
                continue;
            // Through a point between the centre and a corner the normal faces, so that the cut keeps most.
            const Vec3 centre = (mins + maxs) * 0.5;
            const Vec3 corner{n.x > 0 ? maxs.x : mins.x, n.y > 0 ? maxs.y : mins.y, n.z > 0 ? maxs.z : mins.z};
            const double t = 0.4 + 0.5 * std::uniform_real_distribution<double>(0, 1)(rng_);
            const Vec3 p = centre + (corner - centre) * t;
            sides.push_back({n, {std::round(p.x), std::round(p.y), std::round(p.z)}, pick(textures)});
        }
        return sides;
    }

    // Writes the brush if its planes bound a solid in which every side shows; returns whether it did.
    bool brush(std::ostringstream& out, const std::vector<Side>& sides, bool randomAxes = true)
    {
        PlaneTable table;
        std::vector<int> ids;
        for (const Side& s : sides) {
            const Vec3 n = s.normal * (1.0 / length(s.normal));
            ids.push_back(table.find({n, dot(n, s.point)}));
        }
        const std::vector<BrushFace> faces = brushFromPlanes(ids, table, 8 * kRoom);
        if (faces.size() != sides.size() || brushVolume(faces, table) < 512)
            return false;
        for (const BrushFace& f : faces) {
            double depth = 0;
            for (const BrushFace& g : faces)
                for (const Vec3& p : g.winding)
                    depth = std::max(depth, -table[f.planeId].distanceTo(p));
            if (depth < 8)
                return false;
        }
        Vec3 mins = faces.front().winding.front(), maxs = mins;
        for (const BrushFace& f : faces)
            for (const Vec3& p : f.winding) {
                mins = {std::min(mins.x, p.x), std::min(mins.y, p.y), std::min(mins.z, p.z)};
                maxs = {std::max(maxs.x, p.x), std::max(maxs.y, p.y), std::max(maxs.z, p.z)};
            }
        bounds_.push_back({mins, maxs});
        out << "{\n";
        for (const Side& s : sides)
            side(out, s, randomAxes);
        out << "}\n";
        return true;
    }

    // A spot for the player start clear of every brush written so far by the largest player hull (32 units each
    // way) and some: an entity in solid leaves a hull unfilled, and then the outside of the room counts as open.
    // Top centre first, so that maps with room there keep their start.
    Vec3 playerStart() const
    {
        static constexpr double kOffsets[] = {0, 128, -128, 256, -256, 384, -384};
        for (double z = kRoom - 64; z > -kRoom + 48; z -= 64)
            for (double y : kOffsets)
                for (double x : kOffsets) {
                    const Vec3 at{x, y, z};
                    if (std::none_of(bounds_.begin(), bounds_.end(), [&](const auto& b) {
                            return at.x + 40 > b.first.x && at.x - 40 < b.second.x && at.y + 40 > b.first.y &&
                                at.y - 40 < b.second.y && at.z + 48 > b.first.z && at.z - 48 < b.second.z;
                        }))
                        return at;
                }
        return {0, 0, kRoom - 64};
    }

    // Two boxes side by side with one top plane and different textures, both cut by one skewed plane: the
    // surface of their top crosses leaf regions, so texture cuts meet node planes.
    void neighbours(std::ostringstream& out, const std::vector<std::string>& textures)
    {
        const double x0 = uniform(-kRoom + 16, 0), y0 = uniform(-kRoom + 16, 0), z0 = uniform(-kRoom + 16, 0);
        const double split = x0 + uniform(16, 200), x1 = split + uniform(16, 200);
        const double y1 = y0 + uniform(32, 300), z1 = z0 + uniform(16, 200);
        const Vec3 n{double(uniform(1, 3)), double(uniform(-3, 3)), double(uniform(2, 5))};
        const Vec3 through{std::round(split), std::round((y0 + y1) / 2), std::round(z1 - 4)};
        for (const auto& [a, b] : {std::pair{x0, split}, std::pair{split, x1}}) {
            std::vector<Side> sides = box({a, y0, z0}, {b, y1, z1}, pick(textures));
            sides.push_back({n, through, pick(textures)});
            brush(out, sides);
        }
    }

    template <typename Make> void brushes(std::ostringstream& out, int count, Make make)
    {
        for (int written = 0, tries = 0; written < count && tries < 20 * count; ++tries)
            written += brush(out, make()) ? 1 : 0;
    }

private:
    void side(std::ostringstream& out, const Side& s, bool randomAxes)
    {
        // Two integer vectors in the plane, u x v along the normal, so the points read outward.
        const Vec3& n = s.normal;
        const Vec3 other = std::fabs(n.x) <= std::fabs(n.y) && std::fabs(n.x) <= std::fabs(n.z)
            ? Vec3{1, 0, 0}
            : (std::fabs(n.y) <= std::fabs(n.z) ? Vec3{0, 1, 0} : Vec3{0, 0, 1});
        const Vec3 u = cross(n, other);
        const Vec3 v = cross(n, u);
        const Vec3 p0 = s.point + u, p1 = s.point, p2 = s.point + v;
        // Editor-style axes for the plane, turned by a random angle about the projection axis.
        const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
        Vec3 su, sv, axis;
        if (az >= ax && az >= ay) {
            su = {1, 0, 0};
            sv = {0, -1, 0};
            axis = {0, 0, 1};
        } else if (ax >= ay) {
            su = {0, 1, 0};
            sv = {0, 0, -1};
            axis = {1, 0, 0};
        } else {
            su = {1, 0, 0};
            sv = {0, 0, -1};
            axis = {0, 1, 0};
        }
        double shiftU = 0, shiftV = 0, scaleU = 1, scaleV = 1, angle = 0;
        if (randomAxes) {
            static constexpr double kAngles[] = {0, 0, 15, 30, 45, 90, 180, 270};
            static constexpr double kScales[] = {1, 1, 0.5, 0.25, 2, 0.75};
            angle = kAngles[uniform(0, 7)];
            scaleU = kScales[uniform(0, 5)];
            scaleV = chance(0.7) ? scaleU : kScales[uniform(0, 5)];
            shiftU = uniform(0, 63);
            shiftV = uniform(0, 63);
            const double r = angle * 3.14159265358979323846 / 180;
            auto turn = [&](const Vec3& a) { return a * std::cos(r) + cross(axis, a) * std::sin(r); };
            su = turn(su);
            sv = turn(sv);
        }
        out << "( " << formatVec(p0) << " ) ( " << formatVec(p1) << " ) ( " << formatVec(p2) << " ) " << s.texture
            << " [ " << formatVec(su) << " " << formatNumber(shiftU) << " ] [ " << formatVec(sv) << " "
            << formatNumber(shiftV) << " ] " << formatNumber(angle) << " " << formatNumber(scaleU) << " "
            << formatNumber(scaleV) << "\n";
    }

    static std::string formatVec(const Vec3& v)
    {
        return formatNumber(v.x) + " " + formatNumber(v.y) + " " + formatNumber(v.z);
    }

    std::mt19937 rng_;
    std::vector<std::pair<Vec3, Vec3>> bounds_; // of every brush written
};

const std::vector<std::string> kWalls{"BRICK", "ROCK", "GRASS", "DIRT", "METAL"};

} // namespace

const std::vector<std::string>& generatedMapTextures()
{
    static const std::vector<std::string> names{"BRICK", "ROCK", "GRASS", "DIRT", "METAL", "{FENCE", "!WATER", "SKY"};
    return names;
}

std::string generateMap(uint32_t seed, const std::string& wad)
{
    Generator g(seed);
    std::ostringstream out;
    out << "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n\"wad\" \"" << wad << "\"\n";
    // The room: walls and floor of one texture, a sky ceiling.
    constexpr double r = kRoom, t = 16;
    const std::string wall = g.pick(kWalls);
    g.brush(out, g.box({-r - t, -r - t, -r - t}, {r + t, r + t, -r}, wall), false);
    g.brush(out, g.box({-r - t, -r - t, r}, {r + t, r + t, r + t}, "SKY"), false);
    g.brush(out, g.box({-r - t, -r - t, -r}, {-r, r + t, r}, wall), false);
    g.brush(out, g.box({r, -r - t, -r}, {r + t, r + t, r}, wall), false);
    g.brush(out, g.box({-r, -r - t, -r}, {r, -r, r}, wall), false);
    g.brush(out, g.box({-r, r, -r}, {r, r + t, r}, wall), false);
    g.brushes(out, g.uniform(6, 24), [&] { return g.skewedBrush(kWalls, 16, 256); });
    for (int i = g.uniform(0, 3); i > 0; --i)
        g.neighbours(out, kWalls);
    if (g.chance(0.6))
        g.brushes(out, g.uniform(1, 2), [&] { return g.skewedBrush({"!WATER"}, 32, 256); });
    if (g.chance(0.6))
        g.brushes(out, g.uniform(1, 3), [&] { return g.skewedBrush({"CLIP"}, 16, 128); });
    out << "}\n";

    const int entities = g.uniform(1, 5);
    for (int e = 0; e < entities; ++e) {
        const int kind = g.uniform(0, 7);
        std::vector<std::string> textures = kWalls;
        std::string keys;
        switch (kind) {
        case 0: keys = "\"classname\" \"func_wall\"\n"; break;
        case 1:
            keys = "\"classname\" \"func_wall\"\n\"rendermode\" \"4\"\n\"renderamt\" \"255\"\n";
            textures = {"{FENCE"};
            break;
        case 2:
            keys = "\"classname\" \"func_illusionary\"\n\"rendermode\" \"" + std::to_string(g.chance(0.5) ? 5 : 2) +
                "\"\n\"renderamt\" \"150\"\n";
            break;
        case 3:
            keys = "\"classname\" \"func_water\"\n\"WaveHeight\" \"1\"\n";
            textures = {"!WATER"};
            break;
        case 4:
            keys = "\"classname\" \"func_monsterclip\"\n";
            textures = {"CLIP"};
            break;
        case 5: keys = "\"classname\" \"func_door\"\n\"angles\" \"0 90 0\"\n\"speed\" \"100\"\n"; break;
        case 7:
            // A fence standing in water of the same entity.
            keys = "\"classname\" \"func_illusionary\"\n\"rendermode\" \"4\"\n\"renderamt\" \"255\"\n";
            textures = {"{FENCE", "!WATER"};
            break;
        default: keys = "\"classname\" \"func_rotating\"\n\"speed\" \"40\"\n\"spawnflags\" \"1\"\n"; break;
        }
        std::ostringstream body;
        if (kind == 7) {
            const Vec3 at{double(g.uniform(-400, 300)), double(g.uniform(-400, 300)), double(g.uniform(-400, 200))};
            g.brush(body, g.box(at, at + Vec3{96, 96, 48}, "!WATER"), false);
            g.brush(body, g.box(at + Vec3{0, 96, 0}, at + Vec3{96, 104, 128}, "{FENCE"));
        } else {
            g.brushes(body, g.uniform(1, 3), [&] { return g.skewedBrush(textures, 16, 128); });
        }
        if (body.str().empty())
            continue;
        out << "{\n" << keys << body.str();
        if (kind == 6) {
            const Vec3 o{
                double(g.uniform(-20, 20) * 8), double(g.uniform(-20, 20) * 8), double(g.uniform(-20, 20) * 8)};
            g.brush(out, g.box(o - Vec3{8, 8, 8}, o + Vec3{8, 8, 8}, "ORIGIN"), false);
        }
        out << "}\n";
    }
    const Vec3 start = g.playerStart();
    out << "{\n\"classname\" \"info_player_start\"\n\"origin\" \"" << formatNumber(start.x) << " "
        << formatNumber(start.y) << " " << formatNumber(start.z) << "\"\n}\n";
    return out.str();
}

std::string boxBrush(const Vec3& mins, const Vec3& maxs, const std::string& texture)
{
    return prismBrush(
        {{mins.x, mins.y}, {maxs.x, mins.y}, {maxs.x, maxs.y}, {mins.x, maxs.y}}, mins.z, maxs.z, texture, texture);
}

std::string prismBrush(const std::vector<std::array<double, 2>>& polygon, double z0, double z1,
    const std::string& sideTexture, const std::string& topTexture)
{
    auto point = [](double x, double y, double z) {
        return "( " + formatNumber(x) + " " + formatNumber(y) + " " + formatNumber(z) + " ) ";
    };
    std::string out = "{\n";
    for (size_t i = 0; i < polygon.size(); ++i) {
        const auto& a = polygon[i];
        const auto& b = polygon[(i + 1) % polygon.size()];
        const double dx = b[0] - a[0], dy = b[1] - a[1], len = std::hypot(dx, dy);
        out += point(b[0], b[1], z0) + point(a[0], a[1], z0) + point(a[0], a[1], z1) + sideTexture + " [ " +
            formatNumber(dx / len) + " " + formatNumber(dy / len) + " 0 0 ] [ 0 0 -1 0 ] 0 1 1\n";
    }
    const auto& v0 = polygon[0];
    const auto& v1 = polygon[1];
    const auto& v2 = polygon[2];
    out += point(v1[0], v1[1], z1) + point(v0[0], v0[1], z1) + point(v2[0], v2[1], z1) + topTexture +
        " [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n";
    out += point(v2[0], v2[1], z0) + point(v0[0], v0[1], z0) + point(v1[0], v1[1], z0) + topTexture +
        " [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n";
    return out + "}\n";
}

std::string roomBrushes(const Vec3& mins, const Vec3& maxs, const std::string& texture)
{
    constexpr double t = 16;
    const Vec3 a = mins, b = maxs;
    return boxBrush({a.x - t, a.y - t, a.z - t}, {b.x + t, b.y + t, a.z}, texture) +
        boxBrush({a.x - t, a.y - t, b.z}, {b.x + t, b.y + t, b.z + t}, texture) +
        boxBrush({a.x - t, a.y - t, a.z}, {a.x, b.y + t, b.z}, texture) +
        boxBrush({b.x, a.y - t, a.z}, {b.x + t, b.y + t, b.z}, texture) +
        boxBrush({a.x, a.y - t, a.z}, {b.x, a.y, b.z}, texture) +
        boxBrush({a.x, b.y, a.z}, {b.x, b.y + t, b.z}, texture);
}

} // namespace btm::test
