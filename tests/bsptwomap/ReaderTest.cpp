// Damaged and hostile input must end in a clear error, and what is read must be exact.
#include "BspBuilder.h"
#include "Support.h"

#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"
#include "bsptwomap/Entities.h"
#include "bsptwomap/Writers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace btm::test {
namespace {

using testing::HasSubstr;

BspBuilder boxWorld()
{
    BspBuilder b;
    b.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    const int solid = b.addLeaf(kTestSolid);
    const int empty = b.addLeaf(kTestEmpty);
    b.node(b.plane({1, 0, 0}, 0), BspBuilder::leaf(empty), BspBuilder::leaf(solid));
    b.model({-64, -64, -64}, {64, 64, 64}, 0, 0, 0);
    return b;
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const BspError& e) {
        return e.what();
    }
    return "no error";
}

std::string readError(const std::vector<uint8_t>& bytes)
{
    return errorOf([&] { readBsp(bytes); });
}

void poke32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); }

TEST(Reader, RefusesOtherVersionsNamingTheVersion)
{
    BspBuilder b = boxWorld();
    b.version = 29;
    EXPECT_THAT(readError(b.build()), HasSubstr("version 29"));
}

TEST(Reader, RejectsBrokenStructureWithAMessageNamingThePart)
{
    struct Case {
        const char* what;
        std::function<void(BspBuilder&)> damage;
        const char* message;
    };
    const std::vector<Case> cases{
        {"node child", [](BspBuilder& b) { b.node(0, 7, BspBuilder::leaf(0)); }, "invalid child"},
        {"node plane", [](BspBuilder& b) { b.node(9, BspBuilder::leaf(0), BspBuilder::leaf(1)); }, "missing plane"},
        {"marksurface", [](BspBuilder& b) { b.addLeaf(kTestEmpty, {3}); }, "marksurface"},
        {"leaf contents", [](BspBuilder& b) { b.addLeaf(5); }, "unknown contents"},
        {"texture size", [](BspBuilder& b) { b.texture("ODD", 12, true); }, "invalid dimensions"},
        {"texinfo",
            [](BspBuilder& b) {
                b.texInfo({1, 0, 0}, 0, {0, 1, 0}, 0, 4);
            },
            "missing texture"},
        {"face texinfo",
            [](BspBuilder& b) {
                b.face(0, false, 3, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}});
            },
            "missing texinfo"},
        {"plane normal",
            [](BspBuilder& b) {
                b.plane({0, 0, 0}, 1);
            },
            "unit length"},
        {"model head",
            [](BspBuilder& b) {
                b.model({0, 0, 0}, {1, 1, 1}, 40, 0, 0);
            },
            "head node"},
        {"model faces",
            [](BspBuilder& b) {
                b.model({0, 0, 0}, {1, 1, 1}, 0, 0, 2);
            },
            "faces beyond"},
        {"model bounds",
            [](BspBuilder& b) {
                b.model({0, 0, 0}, {-1, 1, 1}, 0, 0, 0);
            },
            "inverted bounds"},
    };
    for (const Case& c : cases) {
        BspBuilder b = boxWorld();
        c.damage(b);
        EXPECT_THAT(readError(b.build()), HasSubstr(c.message)) << c.what;
    }
}

TEST(Reader, RejectsLumpsOutsideTheFileAndShortFiles)
{
    std::vector<uint8_t> bytes = boxWorld().build();
    EXPECT_THAT(readError({bytes.begin(), bytes.begin() + 100}), HasSubstr("too short"));
    poke32(bytes, BspBuilder::lumpOffsetField(1) + 4, 0x7ffffff0);
    EXPECT_THAT(readError(bytes), HasSubstr("'planes'"));
    bytes = boxWorld().build();
    poke32(bytes, BspBuilder::lumpOffsetField(14) + 4, 63);
    EXPECT_THAT(readError(bytes), HasSubstr("not a multiple"));
}

TEST(Reader, NodeCyclesAndAbsurdDepthStopTheRebuild)
{
    BspBuilder cycle;
    cycle.entities = "{\n\"classname\" \"worldspawn\"\n}\n";
    cycle.addLeaf(kTestSolid);
    const int p = cycle.plane({1, 0, 0}, 0);
    cycle.node(p, 1, BspBuilder::leaf(0));
    cycle.node(p, 0, BspBuilder::leaf(0));
    cycle.model({-64, -64, -64}, {64, 64, 64}, 0, 0, 0);
    const Bsp looped = readBsp(cycle.build());
    EXPECT_THAT(errorOf([&] { decompile(looped, {}, "x.wad"); }), HasSubstr("twice"));

    // A chain of slightly tilted planes that keeps cutting the region, deeper than any real tree.
    BspBuilder deep;
    deep.entities = cycle.entities;
    deep.addLeaf(kTestSolid);
    deep.addLeaf(kTestEmpty);
    const int count = static_cast<int>(Rebuilder::kMaxDepth) + 10;
    for (int i = 0; i < count; ++i) {
        const int next = i + 1 < count ? i + 1 : BspBuilder::leaf(0);
        deep.node(deep.plane({1, 0, 0}, 60.0 - 0.1 * i), BspBuilder::leaf(1), next);
    }
    deep.model({-64, -64, -64}, {64, 64, 64}, 0, 0, 0);
    const Bsp tall = readBsp(deep.build());
    EXPECT_THAT(errorOf([&] { decompile(tall, {}, "x.wad"); }), HasSubstr("deeper"));
}

TEST(Entities, KeepOrderAndRejectMalformedText)
{
    const auto entities = parseEntities("{\n\"b\" \"2\"\n\"a\" \"1\"\n\"model\" \"*12\"\n}\n{\n}\n");
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0].keys[0].first, "b");
    EXPECT_EQ(entities[0].keys[1].first, "a");
    EXPECT_EQ(brushModelIndex(entities[0]), 12u);
    EXPECT_EQ(brushModelIndex(entities[1]), std::nullopt);
    EXPECT_EQ(brushModelIndex(parseEntities("{ \"model\" \"models/a.mdl\" }")[0]), std::nullopt);
    for (const char* bad : {"{ \"a\" }", "{ \"a\" \"b", "\"a\" \"b\"", "{ \"a\" \"b\"", "{ x }"})
        EXPECT_THROW(parseEntities(bad), BspError) << bad;
}

TEST(Wad, EveryEmbeddedTextureComesOutByteForByte)
{
    BTM_REQUIRE_FIXTURES();
    for (const std::string& name : fixtureNames()) {
        const Bsp bsp = readBsp(readBytes(fixtureDir() / (name + ".bsp")));
        const std::vector<uint8_t> wad = writeWad(bsp);
        ASSERT_GE(wad.size(), 12u);
        EXPECT_EQ(std::string(wad.begin(), wad.begin() + 4), "WAD3");
        uint32_t count, directory;
        std::memcpy(&count, &wad[4], 4);
        std::memcpy(&directory, &wad[8], 4);
        ASSERT_EQ(count, embeddedTextureCount(bsp)) << name;
        ASSERT_EQ(directory + 32 * count, wad.size());
        size_t entry = 0;
        for (const BspMipTex& mt : bsp.mipTextures) {
            if (mt.stored.empty())
                continue;
            const uint8_t* e = &wad[directory + 32 * entry++];
            uint32_t offset, size;
            std::memcpy(&offset, e, 4);
            std::memcpy(&size, e + 4, 4);
            EXPECT_EQ(e[12], 0x43);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + 16)), mt.name);
            ASSERT_LE(offset + size, directory);
            EXPECT_TRUE(std::equal(mt.stored.begin(), mt.stored.end(), wad.begin() + offset)) << mt.name;
            EXPECT_EQ(size, mt.stored.size());
            // The stored miptex is the header, four mip levels, and a 256-colour palette.
            EXPECT_GE(size, 40 + mt.width * mt.height * 85 / 64 + 2 + 768);
        }
    }
}

TEST(Writers, NumbersAreShortAndExact)
{
    EXPECT_EQ(formatNumber(16), "16");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(-2.5), "-2.5");
    EXPECT_EQ(formatNumber(0.7071067811), "0.707107");
    EXPECT_EQ(formatNumber(1e-9), "0");
}

} // namespace
} // namespace btm::test
