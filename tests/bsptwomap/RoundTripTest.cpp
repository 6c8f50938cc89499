// Decompiles every fixture, compiles the map with the real GoldSource compile tools and compares the new .bsp with
// the original: hull-0 contents, textured surface area, brush count and, with -brenmoor, the player clip hull.
#include "MapParser.h"
#include "Support.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"
#include "bsptwomap/Entities.h"
#include "support/BoundedRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

// The compile tools: FERROWIND_GOLDSRC_TOOLS names their folder, else the shared copy beside the repository.
fs::path toolsDir()
{
    if (const char* env = std::getenv("FERROWIND_GOLDSRC_TOOLS"); env && *env)
        return env;
    return FERROWIND_SOURCE_DIR "/../shared/tools/goldsrc/bin";
}

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

Vec3 originOf(const Entity& entity)
{
    Vec3 origin;
    if (const std::string* text = entity.find("origin")) {
        std::istringstream in(*text);
        in >> origin.x >> origin.y >> origin.z;
    }
    return origin;
}

// The same brush entity in both files, found by order; models are placed at their entity's origin.
struct ModelPair {
    size_t original, rebuilt;
    Vec3 originalOrigin, rebuiltOrigin;
};

std::vector<ModelPair> pairModels(const Bsp& original, const Bsp& rebuilt)
{
    auto brushEntities = [](const Bsp& bsp) {
        std::vector<std::pair<size_t, Vec3>> out;
        const std::vector<Entity> entities = parseEntities(bsp.entities);
        for (size_t e = 1; e < entities.size(); ++e)
            if (const auto model = brushModelIndex(entities[e]); model && *model > 0 && *model < bsp.models.size())
                out.emplace_back(*model, originOf(entities[e]));
        return out;
    };
    const auto a = brushEntities(original);
    const auto b = brushEntities(rebuilt);
    std::vector<ModelPair> pairs{{0, 0, {}, {}}};
    EXPECT_EQ(a.size(), b.size()) << "brush entities before and after the round trip";
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        pairs.push_back({a[i].first, b[i].first, a[i].second, b[i].second});
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
    const BspModel& other = rebuilt.models[pair.rebuilt];
    std::mt19937 rng(777 + static_cast<unsigned>(pair.original));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int count = pair.original == 0 ? kWorldSamples : kModelSamples;
    for (int i = 0; i < count; ++i) {
        const Vec3 p{model.mins.x + unit(rng) * (model.maxs.x - model.mins.x),
            model.mins.y + unit(rng) * (model.maxs.y - model.mins.y),
            model.mins.z + unit(rng) * (model.maxs.z - model.mins.z)};
        const Vec3 q = p + pair.originalOrigin - pair.rebuiltOrigin;
        hull0.add(hullContents(original, model.headNode, p) == hullContents(rebuilt, other.headNode, q));
        hull1.add((clipHullContents(original, model.clipHeads[0], p) == kSolid) ==
            (clipHullContents(rebuilt, other.clipHeads[0], q) == kSolid));
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
    const BspModel& other = rebuilt.models[pair.rebuilt];
    std::map<std::string, std::vector<uint32_t>> byTexture;
    for (uint32_t j = other.firstFace; j < other.firstFace + other.faceCount; ++j)
        byTexture[lowerCase(faceTextureName(rebuilt, rebuilt.faces[j]))].push_back(j);
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

using RoundTripCase = std::tuple<std::string, bool>;

class RoundTrip : public testing::TestWithParam<RoundTripCase> {
protected:
    void SetUp() override
    {
        BTM_REQUIRE_FIXTURES();
        tools_ = toolsDir();
        if (!fs::exists(tools_ / "sdHLCSG") || !fs::exists(tools_ / "sdHLBSP"))
            GTEST_SKIP() << "GoldSource compile tools (sdHLCSG, sdHLBSP) not found in " << tools_.string()
                         << "; set FERROWIND_GOLDSRC_TOOLS to their folder";
        dir_ = fs::temp_directory_path() /
            ("bsptwomap_roundtrip_" + std::get<0>(GetParam()) + (std::get<1>(GetParam()) ? "_brenmoor" : ""));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        if (!dir_.empty() && !HasFailure())
            fs::remove_all(dir_);
    }

    fs::path tools_, dir_;
};

TEST_P(RoundTrip, RealToolsCompileTheMapAndReproduceTheOriginal)
{
    const auto& [name, brenmoor] = GetParam();
    const fs::path bspPath = dir_ / (name + ".bsp");
    fs::copy_file(fixtureDir() / (name + ".bsp"), bspPath);
    fs::permissions(bspPath, fs::perms::owner_write, fs::perm_options::add);
    std::vector<std::string> args{bspPath.string()};
    if (brenmoor)
        args.push_back("-brenmoor");
    std::ostringstream console;
    ASSERT_EQ(runCommandLine(args, console), 0) << console.str();
    fs::remove(bspPath);

    // The fixtures' own WADs and the extracted one (already here); the tools' WAD is not listed, so every
    // texture the map names must resolve through its own "wad" key.
    for (const auto& entry : fs::directory_iterator(fixtureDir()))
        if (entry.path().extension() == ".wad")
            fs::copy_file(entry.path(), dir_ / entry.path().filename());
    const fs::path mapPath = dir_ / (name + ".map");
    const std::vector<MapEntity> map = parseMap(readText(mapPath));

    const int csg = runTool(tools_ / "sdHLCSG", dir_, name);
    const int bsp = csg == 0 ? runTool(tools_ / "sdHLBSP", dir_, name) : -1;
    ASSERT_TRUE(csg == 0 && bsp == 0) << "sdHLCSG exit " << csg << ", sdHLBSP exit " << bsp << "; messages in "
                                      << (dir_ / "tools.txt").string();

    const Bsp original = readBsp(readBytes(fixtureDir() / (name + ".bsp")));
    const Bsp rebuilt = readBsp(readBytes(bspPath));
    Agreement hull0, hull1;
    double area = 0, kept = 0;
    for (const ModelPair& pair : pairModels(original, rebuilt)) {
        compareHulls(original, rebuilt, pair, hull0, hull1);
        compareSurfaces(original, rebuilt, pair, area, kept);
    }
    const double texture = area > 0 ? 100.0 * kept / area : 100.0;
    const size_t sourceBrushes = brushCount(parseMap(readText(fixtureDir() / (name + ".source.map"))));
    const size_t brushes = brushCount(map);
    const double ratio = static_cast<double>(brushes) / static_cast<double>(std::max<size_t>(sourceBrushes, 1));
    const bool sourceClips = namesTexture(parseMap(readText(fixtureDir() / (name + ".source.map"))), "CLIP");

    RecordProperty("hull0_percent", std::to_string(hull0.percent()));
    RecordProperty("texture_percent", std::to_string(texture));
    RecordProperty("brush_ratio", std::to_string(ratio));
    RecordProperty("clip_hull_percent", std::to_string(hull1.percent()));
    std::printf("[round trip] %-34s %-9s hull0 %7.3f%%  texture %7.3f%%  brushes %5zu / %5zu = %.2fx  clip hull "
                "%7.3f%%%s\n",
        name.c_str(), brenmoor ? "-brenmoor" : "", hull0.percent(), texture, brushes, sourceBrushes, ratio,
        hull1.percent(), sourceClips ? " (source has clip brushes)" : "");

    EXPECT_GE(hull0.percent(), 99.9);
    EXPECT_GE(texture, 99.5);
    EXPECT_LE(brushes, 2 * sourceBrushes);
    if (brenmoor && sourceClips) {
        EXPECT_GE(hull1.percent(), 99.5);
    }
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RoundTrip);
INSTANTIATE_TEST_SUITE_P(Fixtures, RoundTrip, testing::Combine(testing::ValuesIn(fixtureNames()), testing::Bool()),
    [](const testing::TestParamInfo<RoundTripCase>& info) {
        return std::get<0>(info.param) + (std::get<1>(info.param) ? "_brenmoor" : "");
    });

} // namespace
} // namespace btm::test
