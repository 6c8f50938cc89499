#include "platform/Paths.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    int expected;
};

class ParseIntOrTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseIntOrTest, ParsesOrFallsBack)
{
    EXPECT_EQ(ParseIntOr(GetParam().text, -77), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseIntOrTest,
                         ::testing::Values(IntCase{"20", 20}, IntCase{"007", 7}, IntCase{"-3", -3}, IntCase{"+5", 5}, IntCase{"0x0C", 12},
                                           IntCase{"0X0c", 12}, IntCase{"$C", 12}, IntCase{"$ff", 255}, IntCase{"-$A", -10},
                                           IntCase{"0xFFFFFFFF", -1}, IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", -2147483647 - 1},
                                           IntCase{"2147483648", -77}, IntCase{"0x100000000", -77}, IntCase{"abc", -77}, IntCase{"", -77},
                                           IntCase{"-", -77}, IntCase{"$", -77}, IntCase{"0x", -77}, IntCase{"12a", -77}, IntCase{"1 2", -77},
                                           IntCase{"0xG", -77}, IntCase{"1.5", -77}, IntCase{"99999999999999999999", -77}));

TEST(TrimTest, DropsBlanksAndControlCharactersAtBothEndsOnly)
{
    EXPECT_EQ(Trim(" \t\r\n a b \x01\x1f "), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xc3\xa9"), "\xc3\xa9");
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
    EXPECT_EQ(FolderPart(GetParam().path), GetParam().folder);
    EXPECT_EQ(FileNamePart(GetParam().path), GetParam().name);
    EXPECT_EQ(ExtensionOf(GetParam().path), GetParam().extension);
}

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Linux, PathPartsTest,
                         ::testing::Values(PathCase{"/maps/box.map", "/maps/", "box.map", ".map"}, PathCase{"box.map", "", "box.map", ".map"},
                                           PathCase{"/my.maps/box", "/my.maps/", "box", ""}, PathCase{"/maps/a.b.MAP", "/maps/", "a.b.MAP", ".MAP"},
                                           PathCase{"C:\\maps\\box.map", "", "C:\\maps\\box.map", ".map"}, PathCase{"/maps/", "/maps/", "", ""}));
#endif

TEST(UserDataFolderTest, PrefersAnAbsoluteXdgDataHome)
{
    EXPECT_EQ(UserDataFolder("/data", "/home/u"), "/data/ferrowind/");
    EXPECT_EQ(UserDataFolder("relative", "/home/u"), "/home/u/.local/share/ferrowind/");
    EXPECT_EQ(UserDataFolder(nullptr, "/home/u"), "/home/u/.local/share/ferrowind/");
    EXPECT_EQ(UserDataFolder(nullptr, nullptr), "");
}

} // namespace
