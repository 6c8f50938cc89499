#include "RoundTrip.h"

#include "Support.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"
#include "bsptwomap/Entities.h"
#include "support/BoundedRun.h"
#include "support/CompileTools.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace btm::test {
namespace {

namespace fs = std::filesystem;

#ifdef NDEBUG
constexpr int kWorldSamples = 200000;
constexpr int kModelSamples = 5000;
#else
constexpr int kWorldSamples = 60000;
constexpr int kModelSamples = 1500;
#endif

std::string quoted(const fs::path& path)
{
    std::string out = "'";
    for (char c : path.string())
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs one compile stage in `dir`; its messages go to `dir`/tools.txt.
int runTool(const fs::path& tool, const fs::path& dir, const std::string& mapName)
{
    const std::string command = "cd " + quoted(dir) + " && " + quoted(tool) + " " + mapName + " >> tools.txt 2>&1";
    const testsupport::BoundedRun run = testsupport::runShellBounded(command, testsupport::kToolLimit);
    EXPECT_EQ(run.failure, "");
    return run.exitCode;
}

// The first error line the tools wrote, for the failure message.
std::string toolError(const fs::path& dir)
{
    const std::string text = readText(dir / "tools.txt");
    const size_t at = text.find("Error:");
    if (at == std::string::npos)
        return "";
    const size_t end = text.find_first_of("\r\n", at);
    return ": " + text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

Vec3 originOf(const Entity& entity)
{
    Vec3 origin;
    if (const std::string* text = entity.find("origin")) {
        std::istringstream in(*text);
        in >> origin.x >> origin.y >> origin.z;
    }
    return origin;
}

// The same brush entity in both files, found by its place in the entity list (kept by decompiler and tools).
struct ModelPair {
    size_t original;
    size_t rebuilt; // kNoModel when the entity came back without one
    Vec3 originalOrigin, rebuiltOrigin;
};
constexpr size_t kNoModel = static_cast<size_t>(-1);

std::vector<ModelPair> pairModels(const Bsp& original, const Bsp& rebuilt, size_t& lost)
{
    const std::vector<Entity> a = parseEntities(original.entities);
    const std::vector<Entity> b = parseEntities(rebuilt.entities);
    std::vector<ModelPair> pairs{{0, 0, {}, {}}};
    for (size_t e = 1; e < a.size(); ++e) {
        const auto model = brushModelIndex(a[e]);
        if (!model || *model == 0 || *model >= original.models.size())
            continue;
        const auto other = e < b.size() ? brushModelIndex(b[e]) : std::nullopt;
        const bool found = other && *other > 0 && *other < rebuilt.models.size();
        lost += found ? 0 : 1;
        pairs.push_back({*model, found ? *other : kNoModel, originOf(a[e]), found ? originOf(b[e]) : Vec3{}});
    }
    return pairs;
}

struct Agreement {
    size_t samples = 0, agreeing = 0;
    void add(bool same)
    {
        ++samples;
        agreeing += same ? 1 : 0;
    }
    double percent() const
    {
        return samples ? 100.0 * static_cast<double>(agreeing) / static_cast<double>(samples) : 100.0;
    }
};

// Points in the original model's bounds, classified by both files: hull 0 contents, and solid or not in hull 1.
void compareHulls(const Bsp& original, const Bsp& rebuilt, const ModelPair& pair, Agreement& hull0, Agreement& hull1)
{
    const BspModel& model = original.models[pair.original];
    std::mt19937 rng(777 + static_cast<unsigned>(pair.original));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int count = pair.original == 0 ? kWorldSamples : kModelSamples;
    for (int i = 0; i < count; ++i) {
        const Vec3 p{model.mins.x + unit(rng) * (model.maxs.x - model.mins.x),
            model.mins.y + unit(rng) * (model.maxs.y - model.mins.y),
            model.mins.z + unit(rng) * (model.maxs.z - model.mins.z)};
        const Vec3 q = p + pair.originalOrigin - pair.rebuiltOrigin;
        const int32_t before = hullContents(original, model.headNode, p);
        const bool clipBefore = clipHullContents(original, model.clipHeads[0], p) == kSolid;
        if (pair.rebuilt == kNoModel) {
            hull0.add(before == kEmpty);
            hull1.add(!clipBefore);
            continue;
        }
        const BspModel& other = rebuilt.models[pair.rebuilt];
        hull0.add(before == hullContents(rebuilt, other.headNode, q));
        hull1.add(clipBefore == (clipHullContents(rebuilt, other.clipHeads[0], q) == kSolid));
    }
}

std::string lowerCase(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

Winding worldWinding(const BspFace& face, const Vec3& origin)
{
    Winding w = face.winding;
    for (Vec3& p : w)
        p = p + origin;
    return w;
}

Plane worldPlane(const Bsp& bsp, const BspFace& face, const Vec3& origin)
{
    const BspPlane& bp = bsp.planes[face.plane];
    const Vec3 normal = face.flipped ? -bp.normal : bp.normal;
    return {normal, (face.flipped ? -bp.dist : bp.dist) + dot(normal, origin)};
}

// A point spread evenly over a convex polygon, from two uniform numbers and a third picking the triangle.
Vec3 pointOn(const Winding& w, double area, double pick, double u, double v)
{
    double target = pick * area;
    size_t k = 2;
    for (; k + 1 < w.size(); ++k) {
        const double part = 0.5 * length(cross(w[k - 1] - w[0], w[k] - w[0]));
        if (target < part)
            break;
        target -= part;
    }
    if (u + v > 1) {
        u = 1 - u;
        v = 1 - v;
    }
    return w[0] + (w[k - 1] - w[0]) * u + (w[k] - w[0]) * v;
}

bool boxesOverlap(const Winding& a, const Winding& b)
{
    for (int axis = 0; axis < 3; ++axis) {
        double aLow = 1e30, aHigh = -1e30, bLow = 1e30, bHigh = -1e30;
        for (const Vec3& p : a) {
            aLow = std::min(aLow, p[axis]);
            aHigh = std::max(aHigh, p[axis]);
        }
        for (const Vec3& p : b) {
            bLow = std::min(bLow, p[axis]);
            bHigh = std::max(bHigh, p[axis]);
        }
        if (aLow > bHigh + 0.1 || bLow > aHigh + 0.1)
            return false;
    }
    return true;
}

bool insideConvex(const Winding& w, const Vec3& normal, const Vec3& p)
{
    const Vec3 centre = windingCentre(w);
    for (size_t e = 0; e < w.size(); ++e) {
        Vec3 n = cross(w[(e + 1) % w.size()] - w[e], normal);
        if (dot(n, centre - w[e]) > 0)
            n = -n;
        const double len = length(n);
        if (len > 1e-9 && dot(n, p - w[e]) / len > 0.01)
            return false;
    }
    return true;
}

// Visible surface area of the original that the rebuilt file shows with the same texture and texel alignment,
// measured on points spread over each face; a point counts when open space or liquid lies in front of it.
void compareSurfaces(const Bsp& original, const Bsp& rebuilt, const ModelPair& pair, double& area, double& kept)
{
    const BspModel& model = original.models[pair.original];
    std::map<std::string, std::vector<uint32_t>> byTexture;
    if (pair.rebuilt != kNoModel) {
        const BspModel& other = rebuilt.models[pair.rebuilt];
        for (uint32_t j = other.firstFace; j < other.firstFace + other.faceCount; ++j)
            byTexture[lowerCase(faceTextureName(rebuilt, rebuilt.faces[j]))].push_back(j);
    }
    std::mt19937 rng(4242 + static_cast<unsigned>(pair.original));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (uint32_t i = model.firstFace; i < model.firstFace + model.faceCount; ++i) {
        const BspFace& face = original.faces[i];
        const BspTexInfo& ti = original.texInfos[face.texInfo];
        const BspMipTex& tex = original.mipTextures[ti.mipTex];
        const Plane plane = worldPlane(original, face, pair.originalOrigin);
        const Winding world = worldWinding(face, pair.originalOrigin);
        const double faceArea = windingArea(world);
        std::vector<std::pair<Winding, const BspTexInfo*>> candidates;
        for (uint32_t j : byTexture[lowerCase(tex.name)]) {
            const BspFace& candidate = rebuilt.faces[j];
            const Plane p = worldPlane(rebuilt, candidate, pair.rebuiltOrigin);
            if (dot(p.normal, plane.normal) < 0.9999 || std::fabs(p.dist - plane.dist) > 0.05)
                continue;
            Winding w = worldWinding(candidate, pair.rebuiltOrigin);
            if (boxesOverlap(w, world))
                candidates.emplace_back(std::move(w), &rebuilt.texInfos[candidate.texInfo]);
        }
        const int samples = static_cast<int>(std::clamp(faceArea / 64.0, 4.0, 256.0));
        for (int k = 0; k < samples; ++k) {
            const Vec3 p = pointOn(world, faceArea, unit(rng), unit(rng), unit(rng));
            // The tools also emit faces looking into sky and faces hidden under detail brushes.
            const int32_t inFront =
                hullContents(original, model.headNode, p - pair.originalOrigin + plane.normal * 0.5);
            if (inFront == kSolid || inFront == kSky)
                continue;
            const double weight = faceArea / samples;
            area += weight;
            const Vec3 a = p - pair.originalOrigin;
            const Vec3 b = p - pair.rebuiltOrigin;
            for (const auto& [winding, cti] : candidates)
                if (insideConvex(winding, plane.normal, p) &&
                    wrappedDifference(
                        dot(ti.axis[0], a) + ti.offset[0], dot(cti->axis[0], b) + cti->offset[0], tex.width) <= 0.5 &&
                    wrappedDifference(
                        dot(ti.axis[1], a) + ti.offset[1], dot(cti->axis[1], b) + cti->offset[1], tex.height) <= 0.5) {
                    kept += weight;
                    break;
                }
        }
    }
}

size_t brushCount(const std::vector<MapEntity>& map)
{
    size_t count = 0;
    for (const MapEntity& e : map)
        count += e.brushes.size();
    return count;
}

bool namesTexture(const std::vector<MapEntity>& map, const char* name)
{
    for (const MapEntity& e : map)
        for (const MapBrush& b : e.brushes)
            for (const MapFace& f : b.faces)
                if (equalNoCase(f.texture, name))
                    return true;
    return false;
}

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

fs::path goldsrcToolsDir() { return ferrowind::goldSourceToolsDir(); }

bool goldsrcToolsPresent()
{
    return fs::exists(goldsrcToolsDir() / "sdHLCSG") && fs::exists(goldsrcToolsDir() / "sdHLBSP");
}

std::string compileMap(const fs::path& dir, const std::string& name)
{
    const int csg = runTool(goldsrcToolsDir() / "sdHLCSG", dir, name);
    if (csg != 0)
        return "sdHLCSG exit " + std::to_string(csg) + toolError(dir);
    const int bsp = runTool(goldsrcToolsDir() / "sdHLBSP", dir, name);
    if (bsp != 0)
        return "sdHLBSP exit " + std::to_string(bsp) + toolError(dir);
    return "";
}

std::string unfilledHull(const fs::path& dir)
{
    std::istringstream text(readText(dir / "tools.txt"));
    for (std::string line; std::getline(text, line);)
        if (line.find("no filling performed") != std::string::npos || line.find("LEAK") != std::string::npos) {
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.pop_back();
            return line;
        }
    return "";
}

double RoundTripFigures::brushRatio() const
{
    return static_cast<double>(brushes) / static_cast<double>(std::max<size_t>(sourceBrushes, 1));
}

std::string RoundTripFigures::shortfall(bool brenmoor) const
{
    if (!failure.empty())
        return failure;
    std::string out;
    auto add = [&](const std::string& what) { out += (out.empty() ? "" : "; ") + what; };
    if (modelsLost > 0)
        add(std::to_string(modelsLost) + " brush models lost");
    if (hull0 < 99.9)
        add("hull 0 " + std::to_string(hull0) + "%");
    if (texture < 99.5)
        add("texture " + std::to_string(texture) + "%");
    if (brushRatio() > 1.5)
        add("brushes " + std::to_string(brushRatio()) + "x");
    if (brenmoor && sourceClips && clipHull < 99.5)
        add("clip hull " + std::to_string(clipHull) + "%");
    return out;
}

std::string RoundTripFigures::line(const std::string& name, bool brenmoor) const
{
    char text[512];
    std::snprintf(text, sizeof text,
        "[round trip] %-34s %-9s hull0 %7.3f%%  texture %7.3f%%  brushes %5zu / %5zu = %.2fx  clip hull "
        "%7.3f%%%s%s",
        name.c_str(), brenmoor ? "-brenmoor" : "", hull0, texture, brushes, sourceBrushes, brushRatio(), clipHull,
        sourceClips ? " (source has clip brushes)" : "",
        modelsLost ? (", " + std::to_string(modelsLost) + " models lost").c_str() : "");
    return text;
}

RoundTripFigures roundTrip(const fs::path& bsp, const std::vector<MapEntity>& source, const fs::path& wadDir,
    const fs::path& dir, bool brenmoor)
{
    RoundTripFigures figures;
    const std::string name = bsp.stem().string();
    const fs::path copy = dir / bsp.filename();
    fs::copy_file(bsp, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
    std::vector<std::string> args{copy.string()};
    if (brenmoor)
        args.push_back("-brenmoor");
    std::ostringstream console;
    if (runCommandLine(args, console) != 0) {
        figures.failure = "decompile failed: " + console.str();
        return figures;
    }
    fs::remove(copy);
    // The WADs the original was compiled with and the extracted one (already here); the tools' WAD is not listed,
    // so every texture the map names must resolve through its own "wad" key.
    for (const auto& entry : fs::directory_iterator(wadDir))
        if (entry.path().extension() == ".wad" && !fs::exists(dir / entry.path().filename()))
            fs::copy_file(entry.path(), dir / entry.path().filename());
    const std::vector<MapEntity> map = parseMap(readText(dir / (name + ".map")));
    figures.failure = compileMap(dir, name);
    if (!figures.failure.empty())
        return figures;

    const Bsp original = readBsp(readBytes(bsp));
    const Bsp rebuilt = readBsp(readBytes(copy));
    Agreement hull0, hull1;
    double area = 0, kept = 0;
    for (const ModelPair& pair : pairModels(original, rebuilt, figures.modelsLost)) {
        compareHulls(original, rebuilt, pair, hull0, hull1);
        compareSurfaces(original, rebuilt, pair, area, kept);
    }
    figures.hull0 = hull0.percent();
    figures.clipHull = hull1.percent();
    figures.texture = area > 0 ? 100.0 * kept / area : 100.0;
    figures.brushes = brushCount(map);
    figures.sourceBrushes = brushCount(source);
    figures.sourceClips = namesTexture(source, "CLIP");
    return figures;
}

std::vector<uint8_t> plainWad(const std::vector<std::string>& names, uint32_t size)
{
    std::vector<uint8_t> out{'W', 'A', 'D', '3'};
    putU32(out, static_cast<uint32_t>(names.size()));
    putU32(out, 0);
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    for (size_t t = 0; t < names.size(); ++t) {
        const uint32_t start = static_cast<uint32_t>(out.size());
        out.resize(out.size() + 16, 0);
        std::memcpy(out.data() + start, names[t].data(), std::min<size_t>(names[t].size(), 15));
        putU32(out, size);
        putU32(out, size);
        uint32_t offset = 40;
        for (uint32_t level = 0; level < 4; ++level) {
            putU32(out, offset);
            offset += (size >> level) * (size >> level);
        }
        // A checker pattern, its phase varied per texture, so that alignment shows.
        for (uint32_t level = 0; level < 4; ++level) {
            const uint32_t side = size >> level;
            for (uint32_t i = 0; i < side * side; ++i)
                out.push_back(static_cast<uint8_t>(((i / side) / 4 + (i % side) / 4 + t) % 2 ? 255 : 1 + t % 200));
        }
        out.push_back(0);
        out.push_back(1);
        for (int i = 0; i < 256; ++i)
            for (int c = 0; c < 3; ++c)
                out.push_back(static_cast<uint8_t>(i == 255 ? 0 : (i * (7 + 13 * c)) % 256));
        out.resize(out.size() + 2, 0);
        entries.emplace_back(start, static_cast<uint32_t>(out.size()) - start);
    }
    const uint32_t directory = static_cast<uint32_t>(out.size());
    for (int i = 0; i < 4; ++i)
        out[8 + static_cast<size_t>(i)] = static_cast<uint8_t>(directory >> (8 * i));
    for (size_t t = 0; t < names.size(); ++t) {
        putU32(out, entries[t].first);
        putU32(out, entries[t].second);
        putU32(out, entries[t].second);
        out.push_back(0x43);
        out.resize(out.size() + 3, 0);
        char name[16] = {};
        std::memcpy(name, names[t].data(), std::min<size_t>(names[t].size(), 15));
        out.insert(out.end(), name, name + 16);
    }
    return out;
}

} // namespace btm::test
