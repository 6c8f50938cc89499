// Texture names as the compile tools read them: what a side makes of its brush, and what every mapper has.
#include "bsptwomap/Textures.h"
#include "bsptwomap/Bsp.h"

#include <gtest/gtest.h>

namespace btm {
namespace {

TEST(Textures, NameDecidesContentsAsTheToolsDo)
{
    const std::pair<const char*, int32_t> cases[] = {{"C1A0_WX", kSolid}, {"{GRATE2", kSolid}, {"+0BUTTON1", kSolid},
        {"SKY", kSky}, {"sky_dusk", kSky}, {"!C2A5", kWater}, {"!waterblue", kWater}, {"!slime1", kSlime},
        {"!lava2", kLava}, {"!cur_90", -10}, {"!CUR_DWN", -14}, {"ORIGIN", kOrigin}, {"NULL", kNullContents},
        {"BEVEL", kNullContents}, {"CLIP", kToolContents}, {"HINT", kToolContents}, {"SKIP", kToolContents},
        {"CONTENTWATER", kWater}, {"translucent1", kTranslucent}, {"@glass", kTranslucent}, {"", kSolid}};
    for (const auto& [name, contents] : cases)
        EXPECT_EQ(textureContents(name), contents) << name;
}

TEST(Textures, SideFitsABrushOnlyWhenItKeepsItsContents)
{
    struct Case {
        const char* name;
        int32_t contents;
        bool fits;
    };
    const Case cases[] = {{"C1A0_WX", kSolid, true}, {"SKY", kSolid, true}, {"NULL", kWater, true},
        {"!water", kWater, true}, {"CONTENTWATER", kWater, true}, {"SKY", kSky, true}, {"C1A0_WX", kSky, false},
        {"!water", kSolid, false}, {"C1A0_WX", kWater, false}, {"!water", kSlime, false}, {"CLIP", kSolid, false},
        {"ORIGIN", kSolid, false}};
    for (const Case& c : cases)
        EXPECT_EQ(textureFitsContents(c.name, c.contents), c.fits) << c.name << " on " << c.contents;
}

TEST(Textures, ToolTexturesAreThoseOfTheToolsWad)
{
    for (const char* name : {"ORIGIN", "origin", "NULL", "CLIP", "sky", "SKY", "CONTENTWATER", "!cur_0", "AAATRIGGER"})
        EXPECT_TRUE(isToolTexture(name)) << name;
    for (const char* name : {"!water", "!slime", "ORIGINAL", "C1A0_WX", ""})
        EXPECT_FALSE(isToolTexture(name)) << name;
}

} // namespace
} // namespace btm
