// Decompiles every fixture and measures the output against the file's own hull-0 tree and surfaces.
#include "MapParser.h"
#include "Support.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"
#include "bsptwomap/Entities.h"
#include "bsptwomap/Textures.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <sstream>

namespace btm::test {
namespace {

#ifdef NDEBUG
constexpr int kWorldSamples = 200000;
constexpr int kModelSamples = 20000;
#else
constexpr int kWorldSamples = 30000;
constexpr int kModelSamples = 3000;
#endif

struct Fidelity {
    size_t samples = 0;
    size_t agreeing = 0;
    double surfaceArea = 0;
    double matchedArea = 0;
};

struct ModelInMap {
    size_t model;
    Vec3 origin;
    std::vector<const MapBrush*> brushes;
};

std::vector<ModelInMap> modelsInMap(const Bsp& bsp, const std::vector<MapEntity>& map)
{
    const std::vector<Entity> source = parseEntities(bsp.entities);
    std::vector<ModelInMap> out;
    for (size_t e = 0; e < source.size() && e < map.size(); ++e) {
        std::optional<size_t> model = e == 0 ? std::optional<size_t>(0) : brushModelIndex(source[e]);
        if (!model || *model >= bsp.models.size())
            continue;
        ModelInMap m{*model, {}, {}};
        if (const std::string* origin = source[e].find("origin"); origin && e != 0) {
            std::istringstream in(*origin);
            in >> m.origin.x >> m.origin.y >> m.origin.z;
        }
        for (const MapBrush& b : map[e].brushes)
            if (!b.allFacesTextured("ORIGIN"))
                m.brushes.push_back(&b);
        out.push_back(m);
    }
    return out;
}

// Solid of the world's outer void: the walk from p to the nearest side of the bounds meets only solid or sky.
// The decompiler leaves such solids out where they show nothing, as the compile tools fill that void themselves.
bool inOuterVoid(const Bsp& bsp, const BspModel& model, const Vec3& p)
{
    int axis = 0;
    double best = 1e30, sign = 1;
    for (int i = 0; i < 3; ++i)
        for (double s : {-1.0, 1.0}) {
            const double d = s < 0 ? p[i] - model.mins[i] : model.maxs[i] - p[i];
            if (d < best) {
                best = d;
                axis = i;
                sign = s;
            }
        }
    for (double t = 0; t <= best; t += 2) {
        Vec3 q = p;
        (axis == 0 ? q.x : axis == 1 ? q.y : q.z) += sign * t;
        const int32_t c = hullContents(bsp, model.headNode, q);
        if (c != kSolid && c != kSky)
            return false;
    }
    return true;
}

void measureVolume(const Bsp& bsp, const ModelInMap& m, Fidelity& f)
{
    const BspModel& model = bsp.models[m.model];
    std::mt19937 rng(12345 + static_cast<unsigned>(m.model));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int count = m.model == 0 ? kWorldSamples : kModelSamples;
    for (int i = 0; i < count; ++i) {
        const Vec3 p{model.mins.x + unit(rng) * (model.maxs.x - model.mins.x),
            model.mins.y + unit(rng) * (model.maxs.y - model.mins.y),
            model.mins.z + unit(rng) * (model.maxs.z - model.mins.z)};
        const bool filled = hullContents(bsp, model.headNode, p) != kEmpty;
        bool inside = false;
        for (const MapBrush* b : m.brushes)
            if (b->contains(p + m.origin)) {
                inside = true;
                break;
            }
        ++f.samples;
        if (filled == inside || (m.model == 0 && filled && inOuterVoid(bsp, model, p)))
            ++f.agreeing;
    }
}

void measureSurfaces(const Bsp& bsp, const ModelInMap& m, Fidelity& f)
{
    const BspModel& model = bsp.models[m.model];
    for (uint32_t i = model.firstFace; i < model.firstFace + model.faceCount; ++i) {
        const BspFace& face = bsp.faces[i];
        const BspTexInfo& ti = bsp.texInfos[face.texInfo];
        const BspMipTex& tex = bsp.mipTextures[ti.mipTex];
        const BspPlane& bp = bsp.planes[face.plane];
        const Vec3 normal = face.flipped ? -bp.normal : bp.normal;
        const double dist = (face.flipped ? -bp.dist : bp.dist) + dot(normal, m.origin);
        // Only surfaces seen from open space or liquid count; the tools also emit faces looking into sky.
        const int32_t inFront = hullContents(bsp, model.headNode, windingCentre(face.winding) + normal * 0.5);
        if (inFront == kSolid || inFront == kSky)
            continue;
        Winding world = face.winding;
        for (Vec3& p : world)
            p = p + m.origin;
        const double area = windingArea(world);
        double covered = 0;
        for (const MapBrush* brush : m.brushes)
            for (const MapFace& mf : brush->faces) {
                if (dot(mf.plane.normal, normal) < 0.9999 || std::fabs(mf.plane.dist - dist) > 0.05 ||
                    !equalNoCase(mf.texture, tex.name))
                    continue;
                bool aligned = true;
                for (const Vec3& p : world) {
                    const double s = dot(ti.axis[0], p - m.origin) + ti.offset[0];
                    const double t = dot(ti.axis[1], p - m.origin) + ti.offset[1];
                    const double ms = dot(mf.u, p) / mf.scaleU + mf.shiftU;
                    const double mt = dot(mf.v, p) / mf.scaleV + mf.shiftV;
                    aligned = aligned && wrappedDifference(s, ms, tex.width) <= 0.5 &&
                        wrappedDifference(t, mt, tex.height) <= 0.5;
                }
                if (!aligned)
                    continue;
                Winding w = world;
                for (const MapFace& other : brush->faces)
                    if (&other != &mf)
                        w = clipBack(w, other.plane, 0.01);
                covered += windingArea(w);
            }
        f.surfaceArea += area;
        f.matchedArea += std::min(area, covered);
    }
}

class FixtureFidelity : public testing::TestWithParam<std::string> {};

TEST_P(FixtureFidelity, OutputReproducesVolumeSurfacesAndBrushBudget)
{
    BTM_REQUIRE_FIXTURES();
    const std::string name = GetParam();
    const Bsp bsp = readBsp(readBytes(fixtureDir() / (name + ".bsp")));
    const DecompileResult result = decompile(bsp, {}, name + "_btm.wad");
    const std::vector<MapEntity> map = parseMap(result.map);
    const std::vector<MapEntity> source = parseMap(readText(fixtureDir() / (name + ".source.map")));

    Fidelity total;
    for (const ModelInMap& m : modelsInMap(bsp, map)) {
        Fidelity f;
        measureVolume(bsp, m, f);
        measureSurfaces(bsp, m, f);
        EXPECT_GE(f.agreeing, f.samples * 0.999) << name << " model *" << m.model;
        total.samples += f.samples;
        total.agreeing += f.agreeing;
        total.surfaceArea += f.surfaceArea;
        total.matchedArea += f.matchedArea;
    }
    size_t sourceBrushes = 0;
    for (const MapEntity& e : source)
        sourceBrushes += e.brushes.size();
    size_t outputBrushes = 0;
    for (const MapEntity& e : map)
        for (const MapBrush& b : e.brushes) {
            ++outputBrushes;
            // Compile tools reject brushes with planes that bound nothing, and splinters.
            EXPECT_EQ(b.boundingFaces, b.faces.size()) << name << " brush " << outputBrushes;
            EXPECT_GT(b.volume, 0.5) << name << " brush " << outputBrushes;
            for (const MapFace& f : b.faces)
                EXPECT_LE(f.texture.size(), 15u);
            // The tools merge planes closer than this and refuse a brush with two sides on one plane.
            for (size_t i = 0; i < b.faces.size(); ++i)
                for (size_t j = 0; j < i; ++j) {
                    const Plane& p = b.faces[i].plane;
                    const Plane& q = b.faces[j].plane;
                    const Vec3 d = p.normal - q.normal;
                    const Vec3 s = p.normal + q.normal;
                    const bool axisNear = std::fabs(d.x) < 1e-4 && std::fabs(d.y) < 1e-4 && std::fabs(d.z) < 1e-4;
                    const bool axisOpposite = std::fabs(s.x) < 1e-4 && std::fabs(s.y) < 1e-4 && std::fabs(s.z) < 1e-4;
                    EXPECT_FALSE((axisNear && std::fabs(p.dist - q.dist) < 0.04) ||
                        (axisOpposite && std::fabs(p.dist + q.dist) < 0.04))
                        << name << " brush " << outputBrushes << " sides " << j << " and " << i;
                }
            // One contents per brush: every side fits what the first non-neutral side makes of it.
            int32_t contents = kSolid;
            for (const MapFace& f : b.faces)
                if (textureContents(f.texture) != kNullContents && textureContents(f.texture) != kSky) {
                    contents = textureContents(f.texture);
                    break;
                }
            if (b.allFacesTextured("SKY") || b.allFacesTextured("sky"))
                contents = kSky;
            for (const MapFace& f : b.faces)
                EXPECT_TRUE(textureFitsContents(f.texture, contents))
                    << name << " brush " << outputBrushes << " mixes " << f.texture;
        }
    for (const MapEntity& e : map)
        for (const MapBrush& b : e.brushes)
            if (b.allFacesTextured("ORIGIN")) {
                EXPECT_EQ(e.find("origin"), nullptr) << name << ": an entity with an ORIGIN brush keeps its origin";
            }

    const double volumeAgreement = 100.0 * static_cast<double>(total.agreeing) / static_cast<double>(total.samples);
    const double surfaceMatch = total.surfaceArea > 0 ? 100.0 * total.matchedArea / total.surfaceArea : 100.0;
    RecordProperty("volume_agreement_percent", std::to_string(volumeAgreement));
    RecordProperty("surface_match_percent", std::to_string(surfaceMatch));
    std::printf("[fidelity] %s: volume %.3f%% of %zu samples, surface %.3f%%, brushes %zu (source %zu)\n", name.c_str(),
        volumeAgreement, total.samples, surfaceMatch, outputBrushes, sourceBrushes);

    EXPECT_GE(volumeAgreement, 99.9);
    EXPECT_GE(surfaceMatch, 99.0);
    EXPECT_LE(outputBrushes, 2 * sourceBrushes);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FixtureFidelity);
INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureFidelity, testing::ValuesIn(fixtureNames()),
    [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
} // namespace btm::test
