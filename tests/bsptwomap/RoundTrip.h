#pragma once

#include "MapParser.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace btm::test {

// The GoldSource compile tools: FERROWIND_GOLDSRC_TOOLS names their folder, else the shared copy.
std::filesystem::path goldsrcToolsDir();
bool goldsrcToolsPresent();

// Compiles `dir`/`name`.map with sdHLCSG and sdHLBSP there; "" on success, else what failed.
std::string compileMap(const std::filesystem::path& dir, const std::string& name);
// The tools' line saying a hull of the map compiled in `dir` was left unfilled (a leak, or no entity in open
// space), or "": the outside of such a map counts as open, so comparing its hulls means nothing.
std::string unfilledHull(const std::filesystem::path& dir);

struct RoundTripFigures {
    std::string failure; // decompile or compile failure; the figures are then meaningless
    double hull0 = 0; // percent of sampled points with the same hull-0 contents, lost models counted
    double texture = 0; // percent of visible area keeping texture and texel alignment
    double clipHull = 0; // percent of sampled points alike solid or not in the player clip hull
    size_t brushes = 0, sourceBrushes = 0;
    size_t modelsLost = 0; // brush entities of the original that came back without a model
    bool sourceClips = false; // the source map has CLIP brushes

    double brushRatio() const;
    // What misses the goals, or "".
    std::string shortfall(bool brenmoor) const;
    std::string line(const std::string& name, bool brenmoor) const;
};

// Decompiles `bsp` in `dir` (a fresh folder), compiles the map with the real tools, with the WADs of `wadDir`
// copied beside it, and compares the new file with `bsp`; `source` is the map `bsp` was compiled from.
RoundTripFigures roundTrip(const std::filesystem::path& bsp, const std::vector<MapEntity>& source,
    const std::filesystem::path& wadDir, const std::filesystem::path& dir, bool brenmoor);

// A WAD3 of plain square miptextures with these names, for maps made by the tests.
std::vector<uint8_t> plainWad(const std::vector<std::string>& names, uint32_t size);

} // namespace btm::test
