#include "script/ScriptText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using namespace ferrowind;

namespace {

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

} // namespace
