#include "bsptwomap/Textures.h"

#include "bsptwomap/Bsp.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace btm {

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

int32_t textureContents(std::string_view name)
{
    // Same order of tests as the tools, so that prefixes resolve the way they do there.
    if (startsWithNoCase(name, "contentsolid"))
        return kSolid;
    if (startsWithNoCase(name, "contentwater"))
        return kWater;
    if (startsWithNoCase(name, "contentsky"))
        return kSky;
    if (startsWithNoCase(name, "content") || startsWithNoCase(name, "clip") || startsWithNoCase(name, "hint") ||
        startsWithNoCase(name, "skip") || startsWithNoCase(name, "splitface") || startsWithNoCase(name, "boundingbox"))
        return kToolContents;
    if (startsWithNoCase(name, "sky") || startsWithNoCase(name, "env_sky"))
        return kSky;
    const std::string_view rest = name.empty() ? name : name.substr(1);
    if (startsWithNoCase(rest, "!lava") || startsWithNoCase(name, "!lava"))
        return kLava;
    if (startsWithNoCase(rest, "!slime") || startsWithNoCase(name, "!slime"))
        return kSlime;
    if (!name.empty() && name[0] == '!') {
        constexpr std::array<std::pair<std::string_view, int32_t>, 6> currents{{{"!cur_90", -10}, {"!cur_0", -9},
            {"!cur_270", -12}, {"!cur_180", -11}, {"!cur_up", -13}, {"!cur_dwn", -14}}};
        for (const auto& [prefix, contents] : currents)
            if (startsWithNoCase(name, prefix))
                return contents;
        return kWater;
    }
    if (startsWithNoCase(name, "origin"))
        return kOrigin;
    if (startsWithNoCase(name, "solidhint") || startsWithNoCase(name, "bevelhint") || startsWithNoCase(name, "null") ||
        startsWithNoCase(name, "bevel"))
        return kNullContents;
    if (startsWithNoCase(name, "translucent") || (!name.empty() && name[0] == '@'))
        return kTranslucent;
    return kSolid;
}

bool textureFitsContents(std::string_view name, int32_t contents)
{
    const int32_t own = textureContents(name);
    if (own == kNullContents)
        return true;
    // A sky side leaves a solid brush solid (it is drawn as sky); anything else must match exactly.
    if (own == kSky)
        return contents == kSky || contents == kSolid;
    return own == contents;
}

int32_t brushContents(const std::vector<std::string_view>& names)
{
    int32_t best = names.empty() ? kSolid : textureContents(names[0]);
    for (std::string_view name : names)
        if (startsWithNoCase(name, "content") || startsWithNoCase(name, "skip"))
            return textureContents(name);
    for (std::string_view name : names)
        best = std::max(best, textureContents(name));
    return best == kNullContents ? kSolid : best;
}

bool isToolTexture(std::string_view name)
{
    static constexpr std::array<std::string_view, 28> kNames{"AAATRIGGER", "BEVEL", "black_HIDDEN", "BOUNDINGBOX",
        "CLIP", "CLIPBEVEL", "CLIPBEVELBRUSH", "CLIPHULL1", "CLIPHULL2", "CLIPHULL3", "CONTENTEMPTY", "CONTENTSOLID",
        "CONTENTWATER", "HINT", "NOCLIP", "NULL", "ORIGIN", "SKIP", "sky", "SOLIDHINT", "BEVELHINT", "!cur_dwn",
        "!cur_0", "!cur_90", "!cur_up", "!cur_180", "!cur_270", "SPLITFACE"};
    for (std::string_view tool : kNames)
        if (tool.size() == name.size() && startsWithNoCase(name, tool))
            return true;
    return false;
}

} // namespace btm
