#include "decompile/DecompileAction.h"

#include "decompile/DecompilerTool.h"
#include "support/FakePrompts.h"
#include "support/FakeShell.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ferrowind {
namespace {

namespace fs = std::filesystem;

const std::string kBspHead = std::string("\x1E\0\0\0", 4) + std::string(128, '\0');

struct Action : testing::Test {
    TempFolder temp;
    WorkingFolders folders = foldersUnder(temp.path() + "/");
    FakePrompts prompts;
    FakeShell shell;

    void SetUp() override { temp.write("Ferrowind/Temp/BspTwoMap.exe", "tool"); }

    void run(const DecompilePageState& page)
    {
        runDecompile(
            page, folders, "07", [] { return std::string(); }, prompts, shell);
    }
    std::string script() const { return readBytes(folders.tempDir + "Decompile.bat"); }
};

TEST_F(Action, NoFileWarnsAndWritesNothing)
{
    for (const std::string& path : {std::string(), temp.path("gone.bsp")}) {
        run({path, {}});
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0],
            (PromptRequest{"Ferrowind 1.2", "BSP file is not selected, please select file...", PromptIcon::Exclamation,
                {PromptButton::Ok}, PromptButton::Ok}));
        prompts.asked.clear();
    }
    EXPECT_FALSE(fs::exists(folders.tempDir + "Decompile.bat"));
    EXPECT_TRUE(shell.started.empty());
}

// The compile pages' refusals, in the same words: a title would run what follows & in the name, and a quote
// would end the quoting of the decompiler's line.
TEST_F(Action, NamesAScriptCannotCarryAreRefusedBeforeAnythingIsWritten)
{
    fs::remove(folders.tempDir + "BspTwoMap.exe");
    const std::pair<const char*, const char*> cases[] = {
        {"maps/t&touch X.bsp",
            "The BSP file name holds the character \"&\", which a decompile script cannot carry.\r\nPlease rename "
            "the BSP file."},
#ifndef _WIN32 // no Windows file name holds a double quote
        {"maps/q\" & touch Y & \".bsp", "holds a double quote, which a decompile script cannot carry."},
#endif
        {"maps/a^b.bsp", "character \"^\""},
    };
    for (const auto& [name, message] : cases) {
        run({temp.write(name, kBspHead), temp.path("maps") + "/"});
        ASSERT_EQ(prompts.asked.size(), 1u) << name;
        EXPECT_NE(prompts.asked[0].text.find(message), std::string::npos) << prompts.asked[0].text;
        EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Exclamation);
        prompts.asked.clear();
    }
    EXPECT_FALSE(fs::exists(folders.tempDir + "Decompile.bat"));
    EXPECT_FALSE(fs::exists(folders.tempDir + "BspTwoMap.exe"));
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(Action, WritesAndStartsTheScript)
{
    const std::string bsp = temp.write("maps/box.bsp", kBspHead);
    run({bsp, temp.path("maps") + "/"});
    EXPECT_TRUE(prompts.asked.empty());
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(readBytes(shell.started[0]), script());
    EXPECT_NE(script().find("title Decompiling box.bsp\r\n"), std::string::npos);
}

TEST_F(Action, OwnFolderAsOutputNeitherCopiesNorDeletes)
{
    const std::string bsp = temp.write("maps/box.bsp", kBspHead);
    for (const std::string& output : {temp.path("maps") + "/", temp.path("maps/../maps")}) {
        run({bsp, output, true});
        EXPECT_EQ(script().find(" copy "), std::string::npos) << output;
        EXPECT_EQ(script().find("box.map\" del"), std::string::npos) << output;
    }
    run({bsp, temp.makeFolder("out") + "/", true});
    EXPECT_NE(script().find(" copy "), std::string::npos);
}

TEST_F(Action, ProvisioningFailureIsToldAndNothingStarts)
{
    fs::remove(folders.tempDir + kDecompilerName);
    run({temp.write("box.bsp", kBspHead), {}});
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompts.asked[0].text, "The decompiler is missing from this program");
    EXPECT_FALSE(fs::exists(folders.tempDir + "Decompile.bat"));
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(Action, UnwritableScriptIsToldAndNoStaleScriptStarts)
{
    temp.makeFolder("Ferrowind/Temp/Decompile.bat"); // a folder where the script goes: the write must fail
    run({temp.write("box.bsp", kBspHead), {}});
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text,
        "Unable to write to " + folders.tempDir + "Decompile.bat: it is a folder, not a regular file");
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Error);
    EXPECT_TRUE(shell.started.empty());
}

struct FolderCase {
    const char* bsp;
    const char* current;
    bool chosen;
    const char* expected;
};

TEST(OutputFolder, FollowsTheFileUnlessAPickedFolderStillExists)
{
    TempFolder temp;
    const std::string out = temp.makeFolder("out") + "/";
    const std::string gone = temp.path("gone") + "/";
    const FolderCase cases[] = {
        {"/maps/a.bsp", "", false, "/maps/"},
        {"/maps/a.bsp", out.c_str(), false, "/maps/"},
        {"/maps/a.bsp", out.c_str(), true, out.c_str()},
        {"/maps/a.bsp", gone.c_str(), true, "/maps/"},
    };
    for (const FolderCase& c : cases)
        EXPECT_EQ(outputFolderFor(c.bsp, c.current, c.chosen), c.expected) << c.current << " " << c.chosen;
    EXPECT_EQ(outputFolderFor("/maps/a.bsp", " " + out, true), " " + out); // kept untrimmed
}

TEST(BspFiles, OnlyBspExtensionInAnyCase)
{
    EXPECT_TRUE(isBspFile("/maps/MAP01.BSP"));
    EXPECT_TRUE(isBspFile("/maps/map01.bsp"));
    EXPECT_FALSE(isBspFile("/maps/map01.bsp.bak"));
    EXPECT_FALSE(isBspFile("/maps/map01.map"));
    EXPECT_FALSE(isBspFile("/maps.bsp/map01"));
}

TEST(BspFiles, OtherVersionsAskWithYesAsDefault)
{
    TempFolder temp;
    const std::string v29 = temp.write("v29.bsp", std::string("\x1D\0\0\0", 4) + std::string(128, '\0'));
    const PromptRequest question{"Ferrowind 1.2", "File version is not 30! Continue?", PromptIcon::Exclamation,
        {PromptButton::Yes, PromptButton::No}, PromptButton::Yes};
    FakePrompts prompts{PromptButton::Yes, PromptButton::No, PromptButton::Yes};
    EXPECT_TRUE(acceptBspFile(v29, prompts));
    EXPECT_FALSE(acceptBspFile(v29, prompts));
    EXPECT_TRUE(acceptBspFile(temp.path("unreadable.bsp"), prompts));
    ASSERT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(prompts.asked[0], question);

    FakePrompts quiet;
    EXPECT_TRUE(acceptBspFile(temp.write("v30.bsp", kBspHead), quiet));
    EXPECT_FALSE(acceptBspFile(temp.write("short.bsp", "\x1E"), quiet));
    ASSERT_EQ(quiet.asked.size(), 1u);
    EXPECT_EQ(quiet.asked[0].text, "Read beyond end of file");
}

#ifndef _WIN32
// Picking a pipe named ".bsp" froze the window: the version check waited in its open for a writer.
TEST(BspFiles, AnythingButAFileIsRefusedAtOnceWithTheReason)
{
    TempFolder temp;
    for (const SpecialFile& file : makeSpecialFiles(temp)) {
        FakePrompts prompts;
        EXPECT_FALSE(acceptBspFile(file.path, prompts)) << file.kind;
        ASSERT_EQ(prompts.asked.size(), 1u) << file.kind;
        EXPECT_EQ(prompts.asked[0],
            (PromptRequest{"Ferrowind 1.2", "Unable to read " + file.path + ": " + file.reason, PromptIcon::Error}));
    }
}
#endif

} // namespace
} // namespace ferrowind
