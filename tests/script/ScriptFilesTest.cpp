#include "script/ScriptFiles.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

TEST(RunCompileScriptTest, WritesCompileBatWithCrLfAfterEveryLineAndStartsItOnce)
{
    TempFolder temp;
    FakeShell shell;
    const ShellResult result = runCompileScript({"@echo off", "", "exit"}, foldersUnder(temp.path()), shell);
    const std::string script = temp.path("Ferrowind/Temp/Compile.bat");
    EXPECT_TRUE(result.started);
    EXPECT_EQ(readBytes(script), "@echo off\r\n\r\nexit\r\n");
    EXPECT_EQ(shell.started, std::vector<std::string>{script});
    EXPECT_TRUE(shell.opened.empty());
}

TEST(RunCompileScriptTest, ReplacesAnOlderScript)
{
    TempFolder temp;
    temp.write("Ferrowind/Temp/Compile.bat", "an older and longer script\r\n");
    FakeShell shell;
    runCompileScript({"exit"}, foldersUnder(temp.path()), shell);
    EXPECT_EQ(readBytes(temp.path("Ferrowind/Temp/Compile.bat")), "exit\r\n");
}

TEST(RunCompileScriptTest, UnwritableTempFolderStartsNothing)
{
    TempFolder temp;
    temp.write("Ferrowind/Temp", "a file where the folder should be");
    FakeShell shell;
    const ShellResult result = runCompileScript({"exit"}, foldersUnder(temp.path()), shell);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(shell.started.empty());
}

struct SaveCase {
    const char* chosen;
    int filterIndex;
    const char* written;
};

class SaveAsPathTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveAsPathTest, BatchFilterAddsBatUnlessThere)
{
    EXPECT_EQ(saveAsPath(GetParam().chosen, GetParam().filterIndex), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsPathTest,
    ::testing::Values(SaveCase{"/out/box compile", 1, "/out/box compile.bat"},
        SaveCase{"/out/box.bat", 1, "/out/box.bat"}, SaveCase{"/out/box.BAT", 1, "/out/box.BAT"},
        SaveCase{"/out/box.cmd", 1, "/out/box.cmd.bat"}, SaveCase{"/my.out/box", 1, "/my.out/box.bat"},
        SaveCase{"/out/box compile", 2, "/out/box compile"}, SaveCase{"/out/box.cmd", 2, "/out/box.cmd"},
        SaveCase{"/out/box.bat", 2, "/out/box.bat"}));

TEST(DefaultSaveNameTest, MapNameAndCompile)
{
    EXPECT_EQ(defaultSaveName("/maps/box.map"), "box compile");
    EXPECT_EQ(defaultSaveName("  /maps/box.mapper.MAP  "), "boxper compile");
    EXPECT_EQ(defaultSaveName(""), " compile");
}

} // namespace
