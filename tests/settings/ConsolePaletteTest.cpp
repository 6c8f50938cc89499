#include "settings/ConsolePalette.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

TEST(ConsolePaletteTest, TheConsoleColoursByIndexAndBlackOutside)
{
    EXPECT_EQ(consoleRgb(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(consoleRgb(1), (Rgb{0, 0, 128}));
    EXPECT_EQ(consoleRgb(6), (Rgb{128, 128, 0}));
    EXPECT_EQ(consoleRgb(7), (Rgb{192, 192, 192}));
    EXPECT_EQ(consoleRgb(8), (Rgb{128, 128, 128}));
    EXPECT_EQ(consoleRgb(12), (Rgb{255, 0, 0}));
    EXPECT_EQ(consoleRgb(15), (Rgb{255, 255, 255}));
    EXPECT_EQ(consoleRgb(16), (Rgb{}));
    EXPECT_EQ(consoleRgb(-1), (Rgb{}));
}

TEST(ConsolePaletteTest, IndexesAreLimitedToTheList)
{
    EXPECT_EQ(clampColorIndex(20), 15);
    EXPECT_EQ(clampColorIndex(-3), 0);
    EXPECT_EQ(clampColorIndex(9), 9);
}

TEST(ConsolePaletteTest, AChosenColourEqualToTheOtherMovesByOne)
{
    EXPECT_EQ(keptApart(0, 0), 1);
    EXPECT_EQ(keptApart(9, 9), 8);
    EXPECT_EQ(keptApart(15, 15), 14);
    EXPECT_EQ(keptApart(4, 9), 4);
}

} // namespace
