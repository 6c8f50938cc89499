#include "source/SChecks.h"
#include "source/SScript.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

PromptRequest Question(const std::string& firstLine)
{
    return {"Ferrowind 1.2", firstLine + "\r\nContinue compilation?", PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No};
}

const PromptRequest kMapMissing{"Ferrowind 1.2", "Map is not selected, please select map file...", PromptIcon::Exclamation, {PromptButton::Ok},
                                PromptButton::Ok};

const std::vector<PromptRequest> kEveryQuestion{
    Question("BSP compiler initialization error! (Please select correct path)"),
    Question("VIS compiler initialization error! (Please select correct path)"),
    Question("RAD compiler initialization error! (Please select correct path)"),
    Question("BSP output folder is not found! (Please select correct path)"),
    Question("\"Bin\" folder is not found! (Please select correct path)"),
};

class SInitTest : public ::testing::Test {
protected:
    TempFolder temp;
    SPageState page{temp.Write("maps/box.vmf", "versioninfo"), true, true, true};
    TFerrowindSettings present = Present();

    // Only the Half-Life 2 paths: the Half-Life tools and WAD root stay empty and must not be asked about.
    TFerrowindSettings Present() const
    {
        TFerrowindSettings s;
        s.SBspTool = temp.Write("bin/bsp");
        s.SVisTool = temp.Write("bin/vis");
        s.SRadTool = temp.Write("bin/rad");
        s.SBspOut = temp.MakeFolder("out");
        s.SBin = temp.MakeFolder("bin");
        return s;
    }

    // Every checked path missing in a different way.
    TFerrowindSettings Missing() const
    {
        TFerrowindSettings s;
        s.SBspTool = temp.MakeFolder("bin/a-folder");
        s.SVisTool = "";
        s.SRadTool = temp.Path("bin/nothing");
        s.SBspOut = temp.Write("out-is-a-file");
        s.SBin = "";
        return s;
    }

    bool Init(const TFerrowindSettings& settings, FakePrompts& prompts, const std::vector<std::string>& scriptPaths = {})
    {
        return S_Init(settings, page, scriptPaths, prompts);
    }
};

TEST_F(SInitTest, EverythingPresentAsksNothingAndTheVmfEditIsTrimmed)
{
    FakePrompts prompts;
    page.vmfEdit = " \t" + page.vmfEdit + "  ";
    EXPECT_TRUE(Init(present, prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SInitTest, MissingVmfIsTheOnlyMessage)
{
    for (const std::string& edit : {std::string(), temp.Path("maps/gone.vmf"), temp.Path("maps")}) {
        FakePrompts prompts;
        page.vmfEdit = edit;
        EXPECT_FALSE(Init(Missing(), prompts)) << edit;
        EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kMapMissing}) << edit;
    }
}

TEST_F(SInitTest, YesToEveryQuestionAsksThemAllInOrder)
{
    FakePrompts prompts;
    prompts.answers.assign(kEveryQuestion.size(), PromptButton::Yes);
    EXPECT_TRUE(Init(Missing(), prompts));
    EXPECT_EQ(prompts.asked, kEveryQuestion);
}

class SInitNoTest : public SInitTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(SInitNoTest, NoEndsTheCheckAtOnce)
{
    const size_t refused = GetParam();
    FakePrompts prompts;
    prompts.answers.assign(refused, PromptButton::Yes);
    prompts.answers.push_back(PromptButton::No);
    EXPECT_FALSE(Init(Missing(), prompts));
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin(), kEveryQuestion.begin() + static_cast<long>(refused) + 1));
}

INSTANTIATE_TEST_SUITE_P(EachQuestion, SInitNoTest, ::testing::Range<size_t>(0, 5));

TEST_F(SInitTest, OnlySelectedStagesToolsAreChecked)
{
    TFerrowindSettings settings = Missing();
    settings.SBspOut = present.SBspOut;
    settings.SBin = present.SBin;
    page.runBsp = page.runVis = page.runRad = false;
    FakePrompts prompts;
    EXPECT_TRUE(Init(settings, prompts));
    EXPECT_TRUE(prompts.asked.empty());

    page.runVis = true;
    EXPECT_FALSE(Init(settings, prompts)); // the default answer is No
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kEveryQuestion[1]});
}

TEST_F(SInitTest, FoldersAreCheckedWithoutStages)
{
    page.runBsp = page.runVis = page.runRad = false;
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes};
    EXPECT_TRUE(Init(Missing(), prompts));
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin() + 3, kEveryQuestion.end()));
}

TEST_F(SInitTest, PathsAreCheckedAsStoredWithoutTrimming)
{
    TFerrowindSettings settings = present;
    settings.SBspTool = " " + settings.SBspTool;
    settings.SRadTool += " ";
    settings.SBin += "\t";
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes, PromptButton::Yes};
    EXPECT_TRUE(Init(settings, prompts));
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{kEveryQuestion[0], kEveryQuestion[2], kEveryQuestion[4]}));
}

class SInitUnsafeVmfTest : public SInitTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SInitUnsafeVmfTest, FileNameThatCannotBeCarriedIsRefusedAlone)
{
    const std::string character = GetParam();
    page.vmfEdit = temp.Write("maps/a" + character + "b.vmf");
    FakePrompts prompts;
    EXPECT_FALSE(Init(Missing(), prompts));
    ASSERT_EQ(prompts.asked.size(), 1u);
    const PromptRequest& box = prompts.asked[0];
    EXPECT_EQ(box.title, "Ferrowind 1.2");
    EXPECT_EQ(box.icon, PromptIcon::Exclamation);
    EXPECT_EQ(box.buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(box.text, HasSubstr(character == "\"" ? "double quote" : "\"" + character + "\""));
}

INSTANTIATE_TEST_SUITE_P(Characters, SInitUnsafeVmfTest, ::testing::Values("&", "|", "<", ">", "^", "\""));

TEST_F(SInitTest, VmfFolderWithCommandCharactersIsAccepted)
{
    page.vmfEdit = temp.Write("R&D 50% <x> | ^y/box.vmf");
    FakePrompts prompts;
    EXPECT_TRUE(Init(present, prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SInitTest, ScriptPathWithADoubleQuoteIsRefusedBeforeAnyQuestion)
{
    TSConfig config;
    config.BspOutDir = present.SBspOut;
    config.BinDir = "/hl2/\"bin\"";
    config.LogViewer = "Notepad";
    FakePrompts prompts;
    EXPECT_FALSE(Init(Missing(), prompts, SScriptPaths(config)));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompts.asked[0].buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("/hl2/\"bin\""));
}

TEST(SScriptPathsTest, OnlyPathsTheScriptCarries)
{
    TSConfig c;
    c.BspTool = "/t/bsp";
    c.VisTool = "/t/vis";
    c.RadTool = "/t/rad";
    c.GameExe = "/g/game";
    c.BspOutDir = "/out";
    c.BinDir = "/bin";
    c.LogViewer = "Notepad";
    c.ProgramPath = "/p/ferrowind";
    c.RunVis = true;
    EXPECT_EQ(SScriptPaths(c), (std::vector<std::string>{"/out", "/bin", "Notepad", "/t/vis"}));
    c.RunBsp = c.RunRad = c.RunGame = c.Beep = true;
    EXPECT_EQ(SScriptPaths(c), (std::vector<std::string>{"/out", "/bin", "Notepad", "/t/bsp", "/t/vis", "/t/rad", "/g/game", "/p/ferrowind"}));
}

} // namespace
