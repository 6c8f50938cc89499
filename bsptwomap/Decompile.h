#pragma once

#include "bsptwomap/Bsp.h"

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace btm {

struct DecompileOptions {
    bool extractTextures = true;
    bool brenmoor = false;
};

struct DecompileResult {
    std::string map;
    std::vector<uint8_t> wad; // empty when no texture is extracted
    std::vector<std::string> log;
    size_t brushCount = 0;
    size_t textureCount = 0;
    size_t clipBrushes = 0; // with -brenmoor
};

// Rebuilds a parsed file as map text (and WAD bytes); `wadName` is what the world's "wad" key will name.
DecompileResult decompile(const Bsp& bsp, const DecompileOptions& options, const std::string& wadName);

// The whole program: arguments without the program name, file output next to the input.
int runCommandLine(const std::vector<std::string>& args, std::ostream& console);

// Reads and rebuilds arbitrary bytes in memory; damaged input must end in BspError, nothing worse.
void decompileBytes(std::span<const uint8_t> data);

} // namespace btm
