#include "base/Paths.h"
#include "base/Text.h"

#include <gtest/gtest.h>

using namespace base;

namespace {

struct IntCase {
    const char* text;
    int expected;
};

class ParseIntOrTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseIntOrTest, ParsesOrFallsBack)
{
    EXPECT_EQ(parseIntOr(GetParam().text, -77), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseIntOrTest,
    ::testing::Values(IntCase{"20", 20}, IntCase{"007", 7}, IntCase{"-3", -3}, IntCase{"+5", 5}, IntCase{"0x0C", 12},
        IntCase{"0X0c", 12}, IntCase{"$C", 12}, IntCase{"$ff", 255}, IntCase{"-$A", -10}, IntCase{"0xFFFFFFFF", -1},
        IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", -2147483647 - 1}, IntCase{"2147483648", -77},
        IntCase{"0x100000000", -77}, IntCase{"abc", -77}, IntCase{"", -77}, IntCase{"-", -77}, IntCase{"$", -77},
        IntCase{"0x", -77}, IntCase{"12a", -77}, IntCase{"1 2", -77}, IntCase{"0xG", -77}, IntCase{"1.5", -77},
        IntCase{"99999999999999999999", -77}));

TEST(TrimTest, DropsBlanksAndControlCharactersAtBothEndsOnly)
{
    EXPECT_EQ(trim(" \t\r\n a b \x01\x1f "), "a b");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("\xc3\xa9"), "\xc3\xa9");
}

struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
};

class PathPartsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTest, SplitsAtTheLastSlash)
{
    EXPECT_EQ(folderPart(GetParam().path), GetParam().folder);
    EXPECT_EQ(fileNamePart(GetParam().path), GetParam().name);
    EXPECT_EQ(extensionOf(GetParam().path), GetParam().extension);
}

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Linux, PathPartsTest,
    ::testing::Values(PathCase{"/maps/box.map", "/maps/", "box.map", ".map"},
        PathCase{"box.map", "", "box.map", ".map"}, PathCase{"/my.maps/box", "/my.maps/", "box", ""},
        PathCase{"/maps/a.b.MAP", "/maps/", "a.b.MAP", ".MAP"},
        PathCase{"C:\\maps\\box.map", "", "C:\\maps\\box.map", ".map"}, PathCase{"/maps/", "/maps/", "", ""}));
#else
// Backslash, slash and the drive's colon all end the folder part.
INSTANTIATE_TEST_SUITE_P(Windows, PathPartsTest,
    ::testing::Values(PathCase{"C:\\maps\\box.map", "C:\\maps\\", "box.map", ".map"},
        PathCase{"box.map", "", "box.map", ".map"}, PathCase{"C:\\my.maps\\box", "C:\\my.maps\\", "box", ""},
        PathCase{"C:/maps\\a.b.MAP", "C:/maps\\", "a.b.MAP", ".MAP"}, PathCase{"C:box.map", "C:", "box.map", ".map"},
        PathCase{"/maps/box.map", "/maps/", "box.map", ".map"}, PathCase{"C:\\maps\\", "C:\\maps\\", "", ""}));
#endif

} // namespace
