#include "script/ScriptFiles.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <utility>

using namespace ferrowind;

namespace {

namespace fs = std::filesystem;

TEST(RunCompileScriptTest, WritesCompileBatWithCrLfAfterEveryLineAndStartsAPrivateCopyOnce)
{
    TempFolder temp;
    FakeShell shell;
    const ShellResult result = runCompileScript({"@echo off", "", "exit"}, foldersUnder(temp.path()), shell);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(readBytes(temp.path("Ferrowind/Temp/Compile.bat")), "@echo off\r\n\r\nexit\r\n");
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(fs::path(shell.started[0]).parent_path(), fs::path(temp.path("Ferrowind/Temp")));
    EXPECT_EQ(readBytes(shell.started[0]), "@echo off\r\n\r\nexit\r\n");
    EXPECT_TRUE(shell.opened.empty());
}

// The interpreter reads a script while it runs: every run's console gets a file no later run rewrites.
TEST(RunCompileScriptTest, EachRunStartsItsOwnCopyThatLaterRunsLeaveAlone)
{
    TempFolder temp;
    FakeShell shell;
    for (int i = 0; i < 8; ++i)
        runCompileScript({"set MAPNAME=map" + std::to_string(i)}, foldersUnder(temp.path()), shell);
    ASSERT_EQ(shell.started.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NE(fs::path(shell.started[i]).filename(), "Compile.bat");
        EXPECT_EQ(readBytes(shell.started[i]), "set MAPNAME=map" + std::to_string(i) + "\r\n");
    }
    EXPECT_EQ(readBytes(temp.path("Ferrowind/Temp/Compile.bat")), "set MAPNAME=map7\r\n");
}

TEST(RunCompileScriptTest, CopiesOlderThanADayAreRemovedAndNothingElse)
{
    TempFolder temp;
    const auto now = fs::file_time_type::clock::now();
    const std::pair<const char*, bool> files[] = {{"Compile-41-1.bat", true}, {"Compile-41-12.BAT", true},
        {"Compile.bat", false}, {"Compile-old.bat", false}, {"Compile-41-1.bat.txt", false},
        {"Decompile-41-1.bat", false}, {"Compile--1.bat", false}, {"Compile-41-.bat", false}};
    for (const auto& [name, _] : files) {
        fs::last_write_time(temp.write(name, "x"), now - std::chrono::hours(25));
    }
    const std::string recent = temp.write("Compile-42-1.bat", "x");
    removeRunCopies(temp.path() + "/", "Compile.bat", now - std::chrono::hours(24));
    for (const auto& [name, removed] : files)
        EXPECT_EQ(fs::exists(temp.path(name)), !removed) << name;
    EXPECT_TRUE(fs::exists(recent));
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
    EXPECT_EQ(result.problem.rfind("Unable to write to " + temp.path("Ferrowind/Temp/Compile.bat"), 0), 0u)
        << result.problem;
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
