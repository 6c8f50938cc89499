#include "script/ScriptText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using namespace ferrowind;

namespace {

using ::testing::HasSubstr;

struct MapCase {
    const char* mapFile;
    const char* name;
    const char* pathBase;
};

class MapNameTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapNameTest, NameAndPathBase)
{
    EXPECT_EQ(mapNameOf(GetParam().mapFile), GetParam().name);
    EXPECT_EQ(mapPathBaseOf(GetParam().mapFile), GetParam().pathBase);
}

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Linux, MapNameTest,
    ::testing::Values(MapCase{"/maps/box.map", "box", "/maps/box"}, MapCase{"/maps/box.MAP", "box", "/maps/box"},
        MapCase{"/maps/box.mapper.map", "boxper", "/maps/boxper"}, MapCase{"/maps/Box.Map.MAP", "Box", "/maps/Box"},
        MapCase{"/maps/box", "box", "/maps/box"}, MapCase{"/my.maps/box", "box", "/my.maps/box"},
        MapCase{"box.map", "box", "/box"}, MapCase{" /maps/box.map", "box", "/maps/box"},
        // A backslash is part of a Linux file name, so Windows-style text is one name.
        MapCase{"C:\\maps\\box.map", "C:\\maps\\box", "/C:\\maps\\box"}));
#else
INSTANTIATE_TEST_SUITE_P(Windows, MapNameTest,
    ::testing::Values(MapCase{"C:\\maps\\box.map", "box", "C:\\maps\\box"},
        MapCase{"C:\\maps\\box.MAP", "box", "C:\\maps\\box"},
        MapCase{"C:\\maps\\box.mapper.map", "boxper", "C:\\maps\\boxper"},
        MapCase{"C:/maps/Box.Map.MAP", "Box", "C:/maps/Box"}, MapCase{"C:\\my.maps\\box", "box", "C:\\my.maps\\box"},
        MapCase{"box.map", "box", "\\box"}, MapCase{" C:\\maps\\box.map", "box", "C:\\maps\\box"}));
#endif

TEST(ScriptEscapingTest, QuotedValuesDoublePercentUnquotedValuesAlsoEscapeCommandCharacters)
{
    EXPECT_EQ(escapeQuoted("/R&D 50%/<a>|^b"), "/R&D 50%%/<a>|^b");
    EXPECT_EQ(escapeUnquoted("/R&D 50%/<a>|^b"), "/R^&D 50%%/^<a^>^|^^b");
}

TEST(ScriptEscapingTest, ParametersInEchoLinesAreEscapedOutsideQuotesOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"-estimate & evil", "-estimate ^& evil"},
        {"-a && b || c | d < e > f ^ g", "-a ^&^& b ^|^| c ^| d ^< e ^> f ^^ g"},
        {"-wad \"a & b\" & c", "-wad \"a & b\" ^& c"},
        {"-open \"a & b", "-open \"a & b"},
        {"+map %MAPNAME% 50%", "+map %MAPNAME% 50%"},
    };
    for (const auto& [params, printed] : cases)
        EXPECT_EQ(escapeOutsideQuotes(params), printed) << params;
}

TEST(ScriptEscapingTest, UnsafeMapsAndPathsAreNamed)
{
    for (const char* c : {"&", "|", "<", ">", "^"}) {
        const auto problem = unsafeMapProblem(std::string("/maps/a") + c + "b.map");
        ASSERT_TRUE(problem.has_value()) << c;
        EXPECT_THAT(*problem, HasSubstr(std::string("\"") + c + "\""));
    }
    EXPECT_EQ(unsafeMapProblem("/R&D <1> | ^/50%box.map"), std::nullopt);
#ifndef _WIN32
    // Windows-style text is one file name on Linux, so its & is in the name.
    EXPECT_THAT(unsafeMapProblem("C:\\R&D\\box.map").value_or(""), HasSubstr("\"&\""));
#endif
    EXPECT_TRUE(unsafeMapProblem("/say \"hi\"/box.map").has_value());
    EXPECT_THAT(unsafePathProblem("/tools/\"hl\"").value_or(""), HasSubstr("double quote"));
    EXPECT_EQ(unsafePathProblem("/tools/R&D 50%/hl"), std::nullopt);
    // A line break anywhere would end the script line and run the rest as a command.
    for (const char* path : {"/maps/a\nb.map", "/maps\n& evil/box.map", "/maps/box.map\r", "/a\r\nb/box.map"}) {
        EXPECT_EQ(unsafePathProblem(path).value_or(""),
            "The path " + std::string(path) +
                " holds a line break, which a compile script cannot carry.\r\nPlease correct the path.");
        EXPECT_EQ(unsafeMapProblem(path), unsafePathProblem(path));
    }
}

} // namespace
