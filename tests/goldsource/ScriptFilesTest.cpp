#include "goldsource/ScriptFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class FakeShell : public Shell {
public:
    bool OpenDocument(const std::string& pathOrUrl) override
    {
        opened.push_back(pathOrUrl);
        return true;
    }
    ShellResult StartScript(const std::string& scriptPath) override
    {
        started.push_back(scriptPath);
        return {true, {}};
    }
    std::vector<std::string> opened;
    std::vector<std::string> started;
};

TEST(RunCompileScriptTest, WritesCompileBatWithCrLfAfterEveryLineAndStartsItOnce)
{
    TempFolder temp;
    FakeShell shell;
    const ShellResult result = RunCompileScript({"@echo off", "", "exit"}, temp.Path(), shell);
    const std::string script = temp.Path("Ferrowind/Temp/Compile.bat");
    EXPECT_TRUE(result.started);
    EXPECT_EQ(ReadBytes(script), "@echo off\r\n\r\nexit\r\n");
    EXPECT_EQ(shell.started, std::vector<std::string>{script});
    EXPECT_TRUE(shell.opened.empty());
}

TEST(RunCompileScriptTest, ReplacesAnOlderScript)
{
    TempFolder temp;
    temp.Write("Ferrowind/Temp/Compile.bat", "an older and longer script\r\n");
    FakeShell shell;
    RunCompileScript({"exit"}, temp.Path(), shell);
    EXPECT_EQ(ReadBytes(temp.Path("Ferrowind/Temp/Compile.bat")), "exit\r\n");
}

TEST(RunCompileScriptTest, UnwritableTempFolderStartsNothing)
{
    TempFolder temp;
    temp.Write("Ferrowind/Temp", "a file where the folder should be");
    FakeShell shell;
    const ShellResult result = RunCompileScript({"exit"}, temp.Path(), shell);
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
    EXPECT_EQ(SaveAsPath(GetParam().chosen, GetParam().filterIndex), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsPathTest,
                         ::testing::Values(SaveCase{"/out/box compile", 1, "/out/box compile.bat"}, SaveCase{"/out/box.bat", 1, "/out/box.bat"},
                                           SaveCase{"/out/box.BAT", 1, "/out/box.BAT"}, SaveCase{"/out/box.cmd", 1, "/out/box.cmd.bat"},
                                           SaveCase{"/my.out/box", 1, "/my.out/box.bat"}, SaveCase{"/out/box compile", 2, "/out/box compile"},
                                           SaveCase{"/out/box.cmd", 2, "/out/box.cmd"}, SaveCase{"/out/box.bat", 2, "/out/box.bat"}));

TEST(DefaultSaveNameTest, MapNameAndCompile)
{
    EXPECT_EQ(DefaultSaveName("/maps/box.map"), "box compile");
    EXPECT_EQ(DefaultSaveName("  /maps/box.mapper.MAP  "), "boxper compile");
    EXPECT_EQ(DefaultSaveName(""), " compile");
}

} // namespace
