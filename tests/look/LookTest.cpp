#include "look/Look.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

Rgb grey(int level) { return {level, level, level}; }

struct DarkenCase {
    Rgb colour;
    int percent;
    Rgb expected;
};

class DarkenTest : public ::testing::TestWithParam<DarkenCase> {};

TEST_P(DarkenTest, TakesThePercentageOfEachChannelRoundingDown)
{
    EXPECT_EQ(darken(GetParam().colour, GetParam().percent), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DarkenTest,
    ::testing::Values(DarkenCase{grey(240), 5, grey(228)}, DarkenCase{grey(240), 8, grey(221)},
        DarkenCase{grey(255), 10, grey(230)}, DarkenCase{{255, 192, 128}, 30, {179, 135, 90}},
        DarkenCase{{12, 200, 77}, 0, {12, 200, 77}}, DarkenCase{{12, 200, 77}, -20, {12, 200, 77}},
        DarkenCase{grey(255), 100, grey(0)}, DarkenCase{{12, 200, 77}, 150, grey(0)}));

TEST(BlendColorTest, RunsFromTheFirstColourToTheSecondRoundingHalvesToEven)
{
    EXPECT_EQ(blendColor({10, 20, 30}, {200, 100, 0}, 0.0), (Rgb{10, 20, 30}));
    EXPECT_EQ(blendColor({10, 20, 30}, {200, 100, 0}, 1.0), (Rgb{200, 100, 0}));
    // 0.5, 1.5 and 2.5 in the three channels
    EXPECT_EQ(blendColor({0, 0, 0}, {1, 3, 5}, 0.5), (Rgb{0, 2, 2}));
}

TEST(GradientRowsTest, StopsOneStepShortOfTheBottomColour)
{
    EXPECT_EQ(gradientRows(grey(0), grey(40), 4), (std::vector<Rgb>{grey(0), grey(10), grey(20), grey(30)}));
    EXPECT_TRUE(gradientRows(grey(0), grey(40), 0).empty());
    EXPECT_TRUE(gradientRows(grey(0), grey(40), -3).empty());
}

TEST(ToolStripTest, RowsForAGreyButtonFaceAndAWhiteWindow)
{
    const SystemColors colors{grey(255), grey(240), grey(160), grey(227)};
    const auto rows = toolStripRows(colors);
    EXPECT_EQ(rows[0], grey(243));
    EXPECT_EQ(rows[12], grey(232)); // darken(240, 4) is 231; the gradient stops a step short
    for (int row = 13; row <= 25; ++row)
        EXPECT_EQ(rows[static_cast<size_t>(row)], grey(226)) << row;
    EXPECT_EQ(rows[26], grey(233));
    EXPECT_EQ(rows[27], grey(221));
    EXPECT_EQ(rows[28], grey(160));
    EXPECT_EQ(frameColor(colors), grey(205));
}

TEST(PanelButtonFaceTest, OnlyTheLeftButtonChangesTheFace)
{
    const SystemColors colors{grey(255), grey(240), grey(160), grey(227)};
    EXPECT_EQ(panelButtonFace(colors, MouseButton::Left, ButtonPhase::Pressed), grey(228));
    EXPECT_EQ(panelButtonFace(colors, MouseButton::Left, ButtonPhase::Released), grey(240));
    for (MouseButton other : {MouseButton::Right, MouseButton::Other})
        for (ButtonPhase phase : {ButtonPhase::Pressed, ButtonPhase::Released})
            EXPECT_EQ(panelButtonFace(colors, other, phase), std::nullopt);
}

} // namespace
