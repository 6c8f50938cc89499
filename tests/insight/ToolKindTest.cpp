#include "insight/ToolKind.h"

#include <gtest/gtest.h>

namespace {

using insight::ToolFamily;
using insight::ToolKind;

TEST(ToolKind, CompileToolsAreKnownByTheirFileName)
{
    const std::pair<const char*, std::optional<ToolKind>> cases[] = {
        {"hlcsg", ToolKind{ToolFamily::GoldSource, "csg"}},
        {"C:\\Tools\\sdHLCSG.exe", ToolKind{ToolFamily::GoldSource, "csg"}},
        {"/opt/zhlt/hlbsp_x64.exe", ToolKind{ToolFamily::GoldSource, "bsp"}},
        {"HLVIS.EXE", ToolKind{ToolFamily::GoldSource, "vis"}},
        {"sdHLRAD", ToolKind{ToolFamily::GoldSource, "rad"}},
        {"hlrad64", ToolKind{ToolFamily::GoldSource, "rad"}},
        {"D:/Steam/bin/vbsp.exe", ToolKind{ToolFamily::Source, "bsp"}},
        {"vvis", ToolKind{ToolFamily::Source, "vis"}},
        {"VRAD.exe", ToolKind{ToolFamily::Source, "rad"}},
        {"copy", std::nullopt},
        {"notepad.exe", std::nullopt},
        {"hl.exe", std::nullopt},
        {"hlcsg.txt", std::nullopt},
        {"C:\\hlcsg\\other.exe", std::nullopt},
        {"myvbsp.exe", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [program, expected] : cases)
        EXPECT_EQ(insight::recogniseTool(program), expected) << program;
}

} // namespace
