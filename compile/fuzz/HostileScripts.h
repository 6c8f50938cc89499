#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Every script generator fed values a hostile user could choose, each script run by ferrowind-cmd's runner
// with a canary program on PATH. Shared by the fuzz target and the tests.
namespace ferrowind::fuzz {

// What a user can put into a script: names of folders and files, and the parameter fields.
struct HostileValues {
    std::string mapFolder; // one folder name under the scratch folder
    std::string mapStem; // the map's, the vmf's and the bsp's file name without extension
    std::string toolFolder; // holds the tools, the decompiler and the game
    std::string outFolder; // the BSP output folder and the decompile output folder
    std::string parameters; // every stage's and the game's parameter field
};

// Values built from fuzzer bytes: pieces of the interpreter's special characters, variables, quotes, line
// breaks, non-ASCII bytes and the canary's name, joined.
HostileValues hostileValuesFrom(std::span<const uint8_t> bytes);

// Runs the Half-Life, Half-Life 2 and decompile generators with `values` in a fresh folder under `scratch`.
// A script is either refused, or it runs each tool on the map it names, copies, moves and deletes exactly
// the files it names, and never runs the canary nor powers anything off. Each problem found is one text.
std::vector<std::string> tryGenerators(const HostileValues& values, const std::string& scratch);

} // namespace ferrowind::fuzz
