// Small hand-made maps whose exact decompiled shape and texturing are known.
#include "BspBuilder.h"
#include "MapParser.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
} // namespace btm::test
