#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The real Half-Life compile tools and the box room they compile, for the end-to-end compiles.
namespace ferrowind {

// FERROWIND_GOLDSRC_TOOLS names the tools' folder, else the shared copy beside the repository.
inline std::string goldSourceToolsDir()
{
    if (const char* env = std::getenv("FERROWIND_GOLDSRC_TOOLS"); env && *env)
        return env;
    return FERROWIND_SOURCE_DIR "/../shared/tools/goldsrc/bin";
}

inline bool haveGoldSourceTools() { return std::filesystem::exists(goldSourceToolsDir() + "/sdHLRAD"); }

inline std::string goldSourceToolsMissing()
{
    return "no GoldSource compile tools in " + goldSourceToolsDir() + "; set FERROWIND_GOLDSRC_TOOLS to their folder";
}

inline std::string boxRoomFixture(const std::string& name)
{
    return FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp/" + name;
}

// Light without bounces on large patches: the lighting is not what these compiles check, and it is the slow part.
inline constexpr const char* kQuickRadParams = "-fast -bounce 0 -chop 512 -texchop 512";

// The six-brush box room whose one texture is in boxroom.wad, with the "wad" key a level editor wrote.
inline std::string boxRoomMap(const std::string& wadKey)
{
    std::ifstream file(boxRoomFixture("boxroom.source.map"), std::ios::binary);
    std::string map{std::istreambuf_iterator<char>(file), {}};
    const std::string key = "\"wad\" \"boxroom.wad\"";
    if (const size_t at = map.find(key); at != std::string::npos)
        map.replace(at, key.size(), "\"wad\" \"" + wadKey + "\"");
    return map;
}

// The box room with its last wall left out, so the entities inside see the void.
inline std::string leakingBoxRoomMap(const std::string& wadKey)
{
    std::string map = boxRoomMap(wadKey);
    const size_t wall = map.rfind("{\n(");
    map.erase(wall, map.find("}\n", wall) + 2 - wall);
    return map;
}

// The box room with one face painted with a texture no WAD holds.
inline std::string boxRoomWithUnknownTexture(const std::string& wadKey)
{
    std::string map = boxRoomMap(wadKey);
    map.replace(map.find("BOXWALL"), 7, "NOSUCHTEX");
    return map;
}

} // namespace ferrowind
