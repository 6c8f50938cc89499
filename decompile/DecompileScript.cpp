#include "decompile/DecompileScript.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "decompile/DecompilerTool.h"

namespace ferrowind {

namespace {
std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ifExists(const std::string& path, const std::string& command)
{
    return "if exist " + quoted(path) + " " + command;
}
} // namespace

std::string decompileOptions(bool extractTextures, bool brenmoor)
{
    std::string options;
    if (!extractTextures)
        options += " -notextures";
    if (brenmoor)
        options += " -brenmoor";
    return options;
}

ScriptLines decompileScript(const DecompileScriptInput& input)
{
    const std::string dir = base::folderPart(input.bspPath);
    const std::string file = base::fileNamePart(input.bspPath);
    // The extension's four characters are cut whatever they are: the page takes only ".bsp" files.
    const std::string name = file.substr(0, file.size() < 4 ? 0 : file.size() - 4);
    const std::string map = dir + name + ".map";
    const std::string wad = dir + name + "_btm.wad";

    ScriptLines lines{
        "@echo off",
        "color " + input.consoleColor,
        "::Decompiling",
        "title Decompiling " + file,
        quoted(input.tempDir + kDecompilerName) + " " + quoted(base::trim(input.bspPath)) +
            decompileOptions(input.extractTextures, input.brenmoor),
        "::After decompiling",
    };
    if (input.moveToOutput) {
        lines.push_back(ifExists(map, "copy " + quoted(map) + " " + quoted(input.outputFolder + name + ".map")));
        lines.push_back(ifExists(wad, "copy " + quoted(wad) + " " + quoted(input.outputFolder + name + "_btm.wad")));
        lines.push_back(ifExists(map, "del " + quoted(map)));
        lines.push_back(ifExists(wad, "del " + quoted(wad)));
    }
    for (const char* leftover : {".err", ".log"}) {
        const std::string path = dir + name + leftover;
        lines.push_back(ifExists(path, "del " + quoted(path)));
    }
    if (input.pause)
        lines.push_back("Pause");
    return lines;
}

} // namespace ferrowind
