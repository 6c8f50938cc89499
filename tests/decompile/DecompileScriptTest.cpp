#include "decompile/DecompileScript.h"

#include "support/Golden.h"

#include <gtest/gtest.h>

namespace ferrowind {
namespace {

struct ScriptCase {
    const char* golden;
    DecompileScriptInput input;
};

DecompileScriptInput base(const char* bspPath)
{
    DecompileScriptInput input;
    input.tempDir = "/opt/tools/Ferrowind/Temp/";
    input.bspPath = bspPath;
    input.outputFolder = "/home/me/maps/";
    return input;
}

std::vector<ScriptCase> cases()
{
    std::vector<ScriptCase> all;
    all.push_back({"decompile_defaults.bat", base("/home/me/maps/box.bsp")});
    ScriptCase moved{"decompile_output_folder.bat", base("/home/me/maps/box.bsp")};
    moved.input.outputFolder = "/srv/out/";
    moved.input.moveToOutput = true;
    all.push_back(moved);
    ScriptCase options{"decompile_textures_brenmoor.bat", base("/home/me/maps/box.bsp")};
    options.input.extractTextures = true;
    options.input.brenmoor = true;
    all.push_back(options);
    ScriptCase worked{"decompile_every_option.bat", base("/home/me/maps/box.bsp")};
    worked.input.outputFolder = "/srv/out/";
    worked.input.moveToOutput = true;
    worked.input.brenmoor = true;
    worked.input.pause = true;
    worked.input.consoleColor = "1E";
    all.push_back(worked);
    all.push_back({"decompile_upper_case.bat", base("/home/me/maps/BOX.BSP")});
    return all;
}

class DecompileGolden : public testing::TestWithParam<ScriptCase> {};

TEST_P(DecompileGolden, MatchesExpectedScript)
{
    expectGolden(GetParam().golden, asWritten(decompileScript(GetParam().input)));
}

INSTANTIATE_TEST_SUITE_P(
    Golden, DecompileGolden, testing::ValuesIn(cases()), [](const testing::TestParamInfo<ScriptCase>& info) {
        std::string name = info.param.golden;
        name = name.substr(0, name.find('.'));
        std::erase(name, '_');
        return name;
    });

} // namespace
} // namespace ferrowind
