#include "goldsource/GsChecks.h"
#include "goldsource/GsScript.h"
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
    Question("CSG compiler initialization error! (Please select correct path)"),
    Question("BSP compiler initialization error! (Please select correct path)"),
    Question("VIS compiler initialization error! (Please select correct path)"),
    Question("RAD compiler initialization error! (Please select correct path)"),
    Question("Wad root is not found! (Please select correct path)"),
    Question("BSP output folder is not found! (Please select correct path)"),
};

class GsInitTest : public ::testing::Test {
protected:
    TempFolder temp;
    GsPageState page{temp.Write("maps/box.map", "{}"), true, true, true, true};
    TFerrowindSettings present = Present();

    TFerrowindSettings Present() const
    {
        TFerrowindSettings s;
        s.GSCsgTool = temp.Write("tools/hlcsg");
        s.GSBspTool = temp.Write("tools/hlbsp");
        s.GSVisTool = temp.Write("tools/hlvis");
        s.GSRadTool = temp.Write("tools/hlrad");
        s.GSWadRoot = temp.MakeFolder("wads");
        s.GSBspOut = temp.MakeFolder("out");
        return s;
    }

    // Every checked path missing: the tools are folders, the folders are files or absent.
    TFerrowindSettings Missing() const
    {
        TFerrowindSettings s;
        s.GSCsgTool = temp.MakeFolder("tools/folder");
        s.GSBspTool = "";
        s.GSVisTool = temp.Path("tools/nothing");
        s.GSRadTool = "  ";
        s.GSWadRoot = temp.Write("wad-file");
        s.GSBspOut = temp.Path("no-out");
        return s;
    }

    CheckVerdict Init(const TFerrowindSettings& settings, FakePrompts& prompts, const std::vector<std::string>& scriptPaths = {})
    {
        return GS_Init(settings, page, scriptPaths, prompts);
    }
};

TEST_F(GsInitTest, EverythingPresentAsksNothing)
{
    FakePrompts prompts;
    page.mapEdit = "  " + page.mapEdit + " \t";
    EXPECT_EQ(Init(present, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(GsInitTest, MissingMapStopsBeforeAnyOtherCheck)
{
    for (const std::string& edit : {std::string(), temp.Path("maps/gone.map"), temp.Path("maps")}) {
        FakePrompts prompts;
        page.mapEdit = edit;
        EXPECT_EQ(Init(Missing(), prompts), CheckVerdict::MapMissing) << edit;
        EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kMapMissing}) << edit;
    }
}

TEST_F(GsInitTest, YesToEveryQuestionAsksThemAllInOrder)
{
    FakePrompts prompts;
    prompts.answers.assign(6, PromptButton::Yes);
    EXPECT_EQ(Init(Missing(), prompts), CheckVerdict::Proceed);
    EXPECT_EQ(prompts.asked, kEveryQuestion);
}

class GsInitNoTest : public GsInitTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(GsInitNoTest, NoEndsTheCheckAtOnce)
{
    const size_t refused = GetParam();
    FakePrompts prompts;
    for (size_t i = 0; i < refused; ++i)
        prompts.answers.push_back(PromptButton::Yes);
    prompts.answers.push_back(PromptButton::No);
    EXPECT_EQ(Init(Missing(), prompts), CheckVerdict::Refused);
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin(), kEveryQuestion.begin() + static_cast<long>(refused) + 1));
}

INSTANTIATE_TEST_SUITE_P(EachQuestion, GsInitNoTest, ::testing::Range<size_t>(0, 6));

TEST_F(GsInitTest, UncheckedStagesToolsAreNotChecked)
{
    TFerrowindSettings settings = Missing();
    settings.GSWadRoot = present.GSWadRoot;
    settings.GSBspOut = present.GSBspOut;
    page.runCsg = page.runBsp = page.runVis = page.runRad = false;
    FakePrompts prompts;
    EXPECT_EQ(Init(settings, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());

    page.runVis = true;
    EXPECT_EQ(Init(settings, prompts), CheckVerdict::Refused); // default answer No
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kEveryQuestion[2]});
}

TEST_F(GsInitTest, WadRootAndOutputFolderAreCheckedWithoutStages)
{
    page.runCsg = page.runBsp = page.runVis = page.runRad = false;
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes};
    EXPECT_EQ(Init(Missing(), prompts), CheckVerdict::Proceed);
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin() + 4, kEveryQuestion.end()));
}

struct UnsafeCase {
    const char* character;
    const char* named; // how the message names it
};

class GsInitUnsafeMapTest : public GsInitTest, public ::testing::WithParamInterface<UnsafeCase> {};

TEST_P(GsInitUnsafeMapTest, MapNameThatCannotBeCarriedIsRefusedAlone)
{
    const std::string character = GetParam().character;
    page.mapEdit = temp.Write("maps/a" + character + "b.map");
    FakePrompts prompts;
    EXPECT_EQ(Init(Missing(), prompts), CheckVerdict::Refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    const PromptRequest& box = prompts.asked[0];
    EXPECT_EQ(box.title, "Ferrowind 1.2");
    EXPECT_EQ(box.icon, PromptIcon::Exclamation);
    EXPECT_EQ(box.buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(box.text, HasSubstr(GetParam().named));
}

INSTANTIATE_TEST_SUITE_P(Characters, GsInitUnsafeMapTest,
                         ::testing::Values(UnsafeCase{"&", "\"&\""}, UnsafeCase{"|", "\"|\""}, UnsafeCase{"<", "\"<\""}, UnsafeCase{">", "\">\""},
                                           UnsafeCase{"^", "\"^\""}, UnsafeCase{"\"", "double quote"}));

TEST_F(GsInitTest, MapFolderWithCommandCharactersIsAccepted)
{
    page.mapEdit = temp.Write("R&D 50% <x> | ^y/box.map");
    FakePrompts prompts;
    EXPECT_EQ(Init(present, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(GsInitTest, ScriptPathWithADoubleQuoteIsRefusedBeforeAnyQuestion)
{
    TGSConfig config;
    config.WadRoot = present.GSWadRoot;
    config.BspOutDir = present.GSBspOut;
    config.GameExe = "/games/\"hl\".exe";
    FakePrompts prompts;
    EXPECT_EQ(Init(Missing(), prompts, GsScriptPaths(config)), CheckVerdict::Refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompts.asked[0].buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("double quote"));
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("/games/\"hl\".exe"));
}

} // namespace
