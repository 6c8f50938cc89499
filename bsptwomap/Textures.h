#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace btm {

// Contents the compile tools derive from a side's texture name, beyond the leaf contents of Bsp.h.
inline constexpr int32_t kNullContents = -17; // invisible side, neutral to the brush's contents
inline constexpr int32_t kToolContents = -32; // HINT, SKIP, CLIP, CONTENT...: changes what the brush is

// What the compile tools make of a brush side named `name` (kSolid, kSky, kWater, kSlime, kLava, currents,
// kTranslucent, kOrigin, kNullContents or kToolContents).
int32_t textureContents(std::string_view name);

// Whether a side named `name` may sit on a brush of `contents` without changing what the brush is.
bool textureFitsContents(std::string_view name, int32_t contents);

// The contents the compile tools give a brush whose sides show these names: a CONTENT or SKIP side decides, else
// the side contents nearest to empty win (NULL and SKY sides alone make sky, a wall side makes a solid).
int32_t brushContents(const std::vector<std::string_view>& names);

// Whether the compile tools' own WAD holds the texture (tool textures every mapper has installed).
bool isToolTexture(std::string_view name);

bool startsWithNoCase(std::string_view s, std::string_view prefix);

} // namespace btm
