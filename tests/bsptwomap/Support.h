#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace btm::test {

inline std::filesystem::path fixtureDir() { return FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp"; }

inline const std::vector<std::string>& fixtureNames()
{
    static const std::vector<std::string> names{"boxroom", "boxroom_external", "hlu_campaignselect",
        "hlu_technology_demonstration", "test_fog", "test_monster_in_water", "test_sound_names", "test_tempents",
        "test_train_contents"};
    return names;
}

inline std::vector<uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace btm::test

#define BTM_REQUIRE_FIXTURES()                                                                       \
    do {                                                                                             \
        if (!std::filesystem::is_directory(btm::test::fixtureDir()))                                 \
            GTEST_SKIP() << "BSP fixtures not found at " << btm::test::fixtureDir().string();        \
    } while (0)
