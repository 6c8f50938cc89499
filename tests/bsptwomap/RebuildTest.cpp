// Small hand-made maps whose exact decompiled shape and texturing are known.
#include "BspBuilder.h"
#include "MapParser.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace btm::test {
namespace {

const Vec3 kX{1, 0, 0}, kY{0, 1, 0}, kZ{0, 0, 1};

std::vector<MapEntity> decompileToMap(const BspBuilder& builder, DecompileOptions options = {})
{
    return parseMap(decompile(readBsp(builder.build()), options, "test_btm.wad").map);
}

std::vector<Vec3> square(double x, double y0, double y1, double z0, double z1)
{
    return {{x, y0, z0}, {x, y1, z0}, {x, y1, z1}, {x, y0, z1}};
}

// World: solid for x < 0 inside the box [-64, 64]^3, the face at x = 0 shown with `left` below y = 0, `right` above.
BspBuilder halfSolidWorld(const std::string& left, const std::string& right)
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n\"message\" \"half\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    const int x0 = b.plane(kX, 0);
    b.node(x0, BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    const int texL = b.texture(left, 16, true);
    const int texR = left == right ? texL : b.texture(right, 16, true);
    b.face(x0, false, b.texInfo(kY, 3, -kZ, 0, texL), square(0, -64, 0, -64, 64));
    b.face(x0, false, b.texInfo(kY, 3, -kZ, 0, texR), square(0, 0, 64, -64, 64));
    b.model({-64, -64, -64}, {64, 64, 64}, 0, 0, 2);
    return b;
}

const MapFace* faceFacing(const MapBrush& brush, const Vec3& normal)
{
    for (const MapFace& f : brush.faces)
        if (dot(f.plane.normal, normal) > 0.9999)
            return &f;
    return nullptr;
}

TEST(Rebuild, HalfSpaceBecomesOneExactBrushWithItsSurfaceTexture)
{
    const auto map = decompileToMap(halfSolidWorld("WALL", "WALL"));
    ASSERT_EQ(map.size(), 1u);
    ASSERT_EQ(map[0].brushes.size(), 1u);
    const MapBrush& brush = map[0].brushes[0];
    EXPECT_EQ(brush.mins.x, -64);
    EXPECT_EQ(brush.maxs.x, 0);
    EXPECT_EQ(brush.maxs.y, 64);
    const MapFace* shown = faceFacing(brush, kX);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->texture, "WALL");
    EXPECT_EQ(shown->shiftU, 3);
    EXPECT_EQ(faceFacing(brush, -kX)->texture, "NULL");
    EXPECT_EQ(*map[0].find("message"), "half");
    EXPECT_EQ(*map[0].find("wad"), "test_btm.wad");
    EXPECT_EQ(*map[0].find("mapversion"), "220");
}

TEST(Rebuild, FaceShowingTwoTexturesSplitsTheBrushAlongTheirEdge)
{
    const auto map = decompileToMap(halfSolidWorld("LEFT", "RIGHT"));
    ASSERT_EQ(map[0].brushes.size(), 2u);
    for (const MapBrush& brush : map[0].brushes) {
        const MapFace* shown = faceFacing(brush, kX);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->texture, brush.maxs.y <= 0 ? "LEFT" : "RIGHT");
        EXPECT_EQ(brush.maxs.y - brush.mins.y, 64);
    }
}

TEST(Rebuild, NeighbouringLeavesMergeWhenTheirUnionIsConvex)
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    const int x0 = b.plane(kX, 0);
    const int y0 = b.plane(kY, 0);
    const int z0 = b.plane(kZ, 0);
    const int upper = b.node(x0, BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    const int lower = b.node(x0, BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    b.node(y0, upper, lower);
    // An L shape: its two pieces must stay apart.
    const int notch = b.node(z0, BspBuilder::leaf(solid), BspBuilder::leaf(empty));
    const int l = b.node(y0, notch, BspBuilder::leaf(solid));
    b.model({-64, -64, -64}, {64, 64, 64}, 2, 0, 0);
    b.model({-64, -64, -64}, {64, 64, 64}, l, 0, 0);
    b.entities += "{\n\"classname\" \"func_wall\"\n\"model\" \"*1\"\n}\n";
    const auto map = decompileToMap(b);
    ASSERT_EQ(map[0].brushes.size(), 1u);
    EXPECT_EQ(map[0].brushes[0].maxs.y - map[0].brushes[0].mins.y, 128);
    EXPECT_EQ(map[1].brushes.size(), 2u);
    EXPECT_EQ(map[1].find("model"), nullptr);
}

TEST(Rebuild, LiquidAndSkyRegionsKeepTheirTextures)
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int slimeTex = b.texture("!slime1", 16, true);
    const int skyTex = b.texture("SKY", 16, true);
    const int z0 = b.plane(kZ, 0);
    const int z32 = b.plane(kZ, 32);
    b.face(z0, false, b.texInfo(kX, 0, -kY, 0, slimeTex), {{-64, -64, 0}, {64, -64, 0}, {64, 64, 0}, {-64, 64, 0}});
    b.face(z32, true, b.texInfo(kX, 0, -kY, 0, skyTex), {{-64, -64, 32}, {-64, 64, 32}, {64, 64, 32}, {64, -64, 32}});
    const int water = b.addLeaf(-4, {0});
    const int sky = b.addLeaf(-6, {1});
    const int empty = b.addLeaf(kTestEmpty);
    const int top = b.node(z32, BspBuilder::leaf(sky), BspBuilder::leaf(empty));
    b.node(z0, top, BspBuilder::leaf(water));
    b.model({-64, -64, -64}, {64, 64, 64}, 1, 0, 2);
    const auto map = decompileToMap(b);
    ASSERT_EQ(map[0].brushes.size(), 2u);
    for (const MapBrush& brush : map[0].brushes)
        EXPECT_TRUE(brush.allFacesTextured(brush.mins.z < 0 ? "!slime1" : "SKY"));
}

TEST(Rebuild, LiquidWithoutALiquidTextureTakesTheToolTextureOfItsContents)
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int wall = b.texture("WALL", 16, true);
    const int z0 = b.plane(kZ, 0);
    // The surface on the water names a solid texture; written on the water brush it would turn it solid.
    b.face(z0, false, b.texInfo(kX, 0, -kY, 0, wall), {{-64, -64, 0}, {64, -64, 0}, {64, 64, 0}, {-64, 64, 0}});
    const int water = b.addLeaf(-3, {0});
    const int empty = b.addLeaf(kTestEmpty);
    b.node(z0, BspBuilder::leaf(empty), BspBuilder::leaf(water));
    b.model({-64, -64, -64}, {64, 64, 64}, 0, 0, 1);
    const auto map = decompileToMap(b);
    ASSERT_EQ(map[0].brushes.size(), 1u);
    EXPECT_TRUE(map[0].brushes[0].allFacesTextured("CONTENTWATER"));
}

TEST(Rebuild, NodePlaneOnTheModelBoundsGivesNoSecondSideThere)
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    const int inner = b.node(b.plane(kX, 0), BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    // x = 64 and y = -64 are also sides of the bounds, facing either way.
    const int onBound = b.node(b.plane(kX, 64), BspBuilder::leaf(empty), inner);
    b.node(b.plane(kY, -64), onBound, BspBuilder::leaf(empty));
    b.model({-64, -64, -64}, {64, 64, 64}, 2, 0, 0);
    const auto map = decompileToMap(b);
    ASSERT_EQ(map[0].brushes.size(), 1u);
    const MapBrush& brush = map[0].brushes[0];
    EXPECT_EQ(brush.faces.size(), 6u);
    for (size_t i = 0; i < brush.faces.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            EXPECT_LT(dot(brush.faces[i].plane.normal, brush.faces[j].plane.normal), 0.9999);
}

TEST(Rebuild, OriginEntityIsMovedBackWithAnOriginBrushAndShiftedTextures)
{
    BspBuilder b = halfSolidWorld("WALL", "WALL");
    // A 16-unit cube around the model's own origin, shown on its +x side.
    const int solid = 0;
    const int empty = 1;
    const int px = b.plane(kX, 8);
    int next = b.node(px, BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    for (const Vec3& n : {-kX, kY, -kY, kZ, -kZ})
        next = b.node(b.plane(n, 8), BspBuilder::leaf(empty), next);
    const int crate = b.texture("CRATE", 16, true);
    b.face(px, false, b.texInfo(kX * 2, 5, -kZ, 0, crate), square(8, -8, 8, -8, 8));
    b.model({-8, -8, -8}, {8, 8, 8}, next, 2, 1);
    b.entities += "{\n\"classname\" \"func_rotating\"\n\"origin\" \"100 0 0\"\n\"model\" \"*1\"\n\"speed\" \"30\"\n}\n";
    const auto map = decompileToMap(b);
    ASSERT_EQ(map.size(), 2u);
    const MapEntity& rotating = map[1];
    EXPECT_EQ(rotating.find("model"), nullptr);
    // The tools take "origin" from the ORIGIN brush and refuse an entity that has both.
    EXPECT_EQ(rotating.find("origin"), nullptr);
    ASSERT_EQ(rotating.keys.size(), 2u);
    EXPECT_EQ(rotating.keys[1].first, "speed");
    ASSERT_EQ(rotating.brushes.size(), 2u);
    const MapBrush& cube = rotating.brushes[0];
    EXPECT_EQ(cube.mins.x, 92);
    EXPECT_EQ(cube.maxs.x, 108);
    const MapFace* shown = faceFacing(cube, kX);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->texture, "CRATE");
    EXPECT_DOUBLE_EQ(shown->scaleU, 0.5);
    // Texel 2 * 8 + 5 = 21 at the model's face must stay texel 21 at world x = 108.
    EXPECT_DOUBLE_EQ(108 / shown->scaleU + shown->shiftU, 21);
    const MapBrush& origin = rotating.brushes[1];
    EXPECT_TRUE(origin.allFacesTextured("ORIGIN"));
    EXPECT_EQ((origin.mins.x + origin.maxs.x) / 2, 100);
    EXPECT_EQ((origin.mins.z + origin.maxs.z) / 2, 0);
}

// Two bars through [-64, 64]^3, 32 wide: bar A along x, the full height, and bar B along y, below z = 0. The tree
// cuts bar A into its upper half and two lower arms, whose sides at y = 16 show `left` and `right`.
struct CrossCase {
    const char* name;
    const char* left;
    const char* right;
    size_t brushes;
};

class CrossTest : public testing::TestWithParam<CrossCase> {};

TEST_P(CrossTest, PiecesOfOneBarGrowBackIntoOneBrushWhenTheirSidesAgree)
{
    const CrossCase& c = GetParam();
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    const int x16 = b.plane(kX, 16), xm16 = b.plane(kX, -16), y16 = b.plane(kY, 16), ym16 = b.plane(kY, -16);
    const int z0 = b.plane(kZ, 0);
    auto bar = [&] {
        return b.node(y16, BspBuilder::leaf(empty), b.node(ym16, BspBuilder::leaf(solid), BspBuilder::leaf(empty)));
    };
    const int upper = bar();
    const int right = bar();
    const int left = bar();
    const int root = b.node(z0, upper, b.node(x16, right, b.node(xm16, BspBuilder::leaf(solid), left)));
    std::map<std::string, int> textures;
    auto tex = [&](const std::string& name, Vec3 s, Vec3 t) {
        if (!textures.count(name))
            textures[name] = b.texture(name, 16, true);
        return b.texInfo(s, 0, t, 0, textures[name]);
    };
    const int wallX = tex("WALL", kX, -kZ);
    auto sides = [&](double x0, double x1, double z0, double z1, int above) {
        b.face(y16, false, above, {{x0, 16, z0}, {x1, 16, z0}, {x1, 16, z1}, {x0, 16, z1}});
        b.face(ym16, true, wallX, {{x0, -16, z0}, {x1, -16, z0}, {x1, -16, z1}, {x0, -16, z1}});
    };
    sides(-64, 64, 0, 64, wallX);
    sides(16, 64, -64, 0, tex(c.right, kX, -kZ));
    sides(-64, -16, -64, 0, tex(c.left, kX, -kZ));
    const int wallY = tex("WALL", kY, -kZ);
    const int floor = tex("WALL", kX, -kY);
    for (const auto& [y0, y1] : {std::pair{16.0, 64.0}, std::pair{-64.0, -16.0}}) {
        b.face(x16, false, wallY, square(16, y0, y1, -64, 0));
        b.face(xm16, true, wallY, square(-16, y0, y1, -64, 0));
        b.face(z0, false, floor, {{-16, y0, 0}, {16, y0, 0}, {16, y1, 0}, {-16, y1, 0}});
    }
    b.model({-64, -64, -64}, {64, 64, 64}, root, 0, 12);
    const auto map = decompileToMap(b);
    ASSERT_EQ(map[0].brushes.size(), c.brushes);
    if (c.brushes == 2) {
        // Bar A whole, overlapping bar B, its side at y = 16 showing the one texture all its pieces showed.
        const MapBrush& a =
            map[0].brushes[0].maxs.z - map[0].brushes[0].mins.z == 128 ? map[0].brushes[0] : map[0].brushes[1];
        EXPECT_EQ(a.maxs.x - a.mins.x, 128);
        EXPECT_EQ(a.maxs.y - a.mins.y, 32);
        EXPECT_EQ(a.maxs.z - a.mins.z, 128);
        ASSERT_NE(faceFacing(a, kY), nullptr);
        EXPECT_EQ(faceFacing(a, kY)->texture, c.left);
    }
}

INSTANTIATE_TEST_SUITE_P(Rebuild, CrossTest,
    testing::Values(CrossCase{"same_texture", "WALL", "WALL", 2},
        // One side showing two textures would paint one of them over the other.
        CrossCase{"different_textures", "WALL", "BRICK", 4}),
    [](const testing::TestParamInfo<CrossCase>& info) { return info.param.name; });

// With -brenmoor: a clip volume (x -160..64, y -32..32, z -64..64) through a pillar of the world (x -16..16), and
// beyond the pillar a second volume whose y range is `farMinY`..32. Hull 1 holds both grown by the player's box and
// the pillar grown likewise, so the pillar cuts the clip volume apart there.
struct ClipCase {
    const char* name;
    double farMinY;
    size_t clipBrushes;
};

class ClipThroughPillarTest : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipThroughPillarTest, PiecesOfOneClipVolumeComeBackAsOneBrush)
{
    const ClipCase& c = GetParam();
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    const int x16 = b.plane(kX, 16), xm16 = b.plane(kX, -16);
    const int root =
        b.node(x16, BspBuilder::leaf(empty), b.node(xm16, BspBuilder::leaf(solid), BspBuilder::leaf(empty)));
    const int info = b.texInfo(kY, 0, -kZ, 0, b.texture("WALL", 16, true));
    b.face(x16, false, info, square(16, -256, 256, -256, 256));
    b.face(xm16, true, info, square(-16, -256, 256, -256, 256));
    // Clip hull: solid in the grown pillar (x -32..32) and in the grown volumes.
    auto grownVolume = [&](double minY) {
        return b.clipNode(b.plane(kY, 48), kTestEmpty,
            b.clipNode(b.plane(kY, minY - 16),
                b.clipNode(b.plane(kZ, 100), kTestEmpty, b.clipNode(b.plane(kZ, -100), kTestSolid, kTestEmpty)),
                kTestEmpty));
    };
    const int far = b.clipNode(b.plane(kX, 80), kTestEmpty, grownVolume(c.farMinY));
    const int near = b.clipNode(b.plane(kX, -176), grownVolume(-32), kTestEmpty);
    const int clipRoot = b.clipNode(b.plane(kX, 32), far, b.clipNode(b.plane(kX, -32), kTestSolid, near));
    b.model({-256, -256, -256}, {256, 256, 256}, root, 0, 2, clipRoot);
    DecompileOptions options;
    options.brenmoor = true;
    const auto map = decompileToMap(b, options);
    std::vector<const MapBrush*> clips;
    for (const MapBrush& brush : map[0].brushes)
        if (brush.allFacesTextured("CLIP"))
            clips.push_back(&brush);
    ASSERT_EQ(clips.size(), c.clipBrushes);
    double lowest = 1e9, highest = -1e9;
    for (const MapBrush* clip : clips) {
        lowest = std::min(lowest, clip->mins.x);
        highest = std::max(highest, clip->maxs.x);
        EXPECT_EQ(clip->maxs.z - clip->mins.z, 128);
    }
    EXPECT_EQ(lowest, -160);
    EXPECT_EQ(highest, 64);
}

INSTANTIATE_TEST_SUITE_P(Rebuild, ClipThroughPillarTest,
    testing::Values(ClipCase{"one_volume", -32, 1},
        // Widening the wide piece across would reach where the clip hull is open.
        ClipCase{"narrower_beyond", 0, 2}),
    [](const testing::TestParamInfo<ClipCase>& info) { return info.param.name; });

} // namespace
} // namespace btm::test
