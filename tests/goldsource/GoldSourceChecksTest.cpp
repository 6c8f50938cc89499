#include "goldsource/GoldSourceChecks.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

using ::testing::HasSubstr;

PromptRequest question(const std::string& firstLine)
{
    return {"Ferrowind 1.2", firstLine + "\r\nContinue compilation?", PromptIcon::Exclamation,
        {PromptButton::Yes, PromptButton::No}, PromptButton::No};
}

const PromptRequest kMapMissing{"Ferrowind 1.2", "Map is not selected, please select map file...",
    PromptIcon::Exclamation, {PromptButton::Ok}, PromptButton::Ok};

const std::vector<PromptRequest> kEveryQuestion{
    question("CSG compiler initialization error! (Please select correct path)"),
    question("BSP compiler initialization error! (Please select correct path)"),
    question("VIS compiler initialization error! (Please select correct path)"),
    question("RAD compiler initialization error! (Please select correct path)"),
    question("Wad root is not found! (Please select correct path)"),
    question("BSP output folder is not found! (Please select correct path)"),
};

class GoldSourceCheckTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string mapEdit = temp.write("maps/box.map", "{}");
    GoldSourceOptions options;
    GoldSourcePaths present = presentPaths();

    GoldSourcePaths presentPaths() const
    {
        GoldSourcePaths p;
        p.csgTool = temp.write("tools/hlcsg");
        p.bspTool = temp.write("tools/hlbsp");
        p.visTool = temp.write("tools/hlvis");
        p.radTool = temp.write("tools/hlrad");
        p.wadRoot = temp.makeFolder("wads");
        p.bspOut = temp.makeFolder("out");
        return p;
    }

    // Every checked path missing: the tools are folders, the folders are files or absent.
    GoldSourcePaths missingPaths() const
    {
        GoldSourcePaths p;
        p.csgTool = temp.makeFolder("tools/folder");
        p.bspTool = "";
        p.visTool = temp.path("tools/nothing");
        p.radTool = "  ";
        p.wadRoot = temp.write("wad-file");
        p.bspOut = temp.path("no-out");
        return p;
    }

    CheckVerdict check(const GoldSourcePaths& paths, FakePrompts& prompts)
    {
        GoldSourceScriptInput input;
        input.options = options;
        input.mapFile = mapEdit;
        input.paths = paths;
        return askAbout(checkGoldSourceCompile(input), prompts);
    }
};

// The findings themselves, as the unattended program prints them: each problem once, No by default.
TEST_F(GoldSourceCheckTest, FindingsListEveryProblemAsAQuestionOrTheOneRefusal)
{
    GoldSourceScriptInput input;
    input.options = options;
    input.mapFile = mapEdit;
    input.paths = missingPaths();
    Findings expected;
    for (const PromptRequest& box : kEveryQuestion)
        expected.push_back({FindingKind::Question, box.text.substr(0, box.text.find("\r\n")), false});
    EXPECT_EQ(checkGoldSourceCompile(input), expected);

    input.paths.gameExe = "/games/\"hl\".exe";
    const Findings refused = checkGoldSourceCompile(input);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].kind, FindingKind::Refusal);

    input.mapFile = temp.path("maps/gone.map");
    EXPECT_EQ(checkGoldSourceCompile(input), (Findings{{FindingKind::MapMissing, kMapMissing.text}}));
}

TEST_F(GoldSourceCheckTest, EverythingPresentAsksNothing)
{
    FakePrompts prompts;
    mapEdit = "  " + mapEdit + " \t";
    EXPECT_EQ(check(present, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(GoldSourceCheckTest, MissingMapStopsBeforeAnyOtherCheck)
{
    for (const std::string& edit : {std::string(), temp.path("maps/gone.map"), temp.path("maps")}) {
        FakePrompts prompts;
        mapEdit = edit;
        EXPECT_EQ(check(missingPaths(), prompts), CheckVerdict::MapMissing) << edit;
        EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kMapMissing}) << edit;
    }
}

TEST_F(GoldSourceCheckTest, YesToEveryQuestionAsksThemAllInOrder)
{
    FakePrompts prompts;
    prompts.answers.assign(6, PromptButton::Yes);
    EXPECT_EQ(check(missingPaths(), prompts), CheckVerdict::Proceed);
    EXPECT_EQ(prompts.asked, kEveryQuestion);
}

class GoldSourceCheckNoTest : public GoldSourceCheckTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(GoldSourceCheckNoTest, NoEndsTheCheckAtOnce)
{
    const size_t refused = GetParam();
    FakePrompts prompts;
    for (size_t i = 0; i < refused; ++i)
        prompts.answers.push_back(PromptButton::Yes);
    prompts.answers.push_back(PromptButton::No);
    EXPECT_EQ(check(missingPaths(), prompts), CheckVerdict::Refused);
    EXPECT_EQ(prompts.asked,
        std::vector<PromptRequest>(kEveryQuestion.begin(), kEveryQuestion.begin() + static_cast<long>(refused) + 1));
}

INSTANTIATE_TEST_SUITE_P(EachQuestion, GoldSourceCheckNoTest, ::testing::Range<size_t>(0, 6));

TEST_F(GoldSourceCheckTest, UncheckedStagesToolsAreNotChecked)
{
    GoldSourcePaths paths = missingPaths();
    paths.wadRoot = present.wadRoot;
    paths.bspOut = present.bspOut;
    options.runCsg = options.runBsp = options.runVis = options.runRad = false;
    FakePrompts prompts;
    EXPECT_EQ(check(paths, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());

    options.runVis = true;
    EXPECT_EQ(check(paths, prompts), CheckVerdict::Refused); // default answer No
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kEveryQuestion[2]});
}

TEST_F(GoldSourceCheckTest, WadRootAndOutputFolderAreCheckedWithoutStages)
{
    options.runCsg = options.runBsp = options.runVis = options.runRad = false;
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes};
    EXPECT_EQ(check(missingPaths(), prompts), CheckVerdict::Proceed);
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin() + 4, kEveryQuestion.end()));
}

struct UnsafeCase {
    const char* character;
    const char* named; // how the message names it
};

class GoldSourceCheckUnsafeMapTest : public GoldSourceCheckTest, public ::testing::WithParamInterface<UnsafeCase> {};

TEST_P(GoldSourceCheckUnsafeMapTest, MapNameThatCannotBeCarriedIsRefusedAlone)
{
    const std::string character = GetParam().character;
    mapEdit = temp.write("maps/a" + character + "b.map");
    FakePrompts prompts;
    EXPECT_EQ(check(missingPaths(), prompts), CheckVerdict::Refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    const PromptRequest& box = prompts.asked[0];
    EXPECT_EQ(box.title, "Ferrowind 1.2");
    EXPECT_EQ(box.icon, PromptIcon::Exclamation);
    EXPECT_EQ(box.buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(box.text, HasSubstr(GetParam().named));
}

#ifdef _WIN32
// `|<>"` cannot occur in a Windows file name, so only the others can reach the check there.
INSTANTIATE_TEST_SUITE_P(
    Characters, GoldSourceCheckUnsafeMapTest, ::testing::Values(UnsafeCase{"&", "\"&\""}, UnsafeCase{"^", "\"^\""}));
#else
INSTANTIATE_TEST_SUITE_P(Characters, GoldSourceCheckUnsafeMapTest,
    ::testing::Values(UnsafeCase{"&", "\"&\""}, UnsafeCase{"|", "\"|\""}, UnsafeCase{"<", "\"<\""},
        UnsafeCase{">", "\">\""}, UnsafeCase{"^", "\"^\""}, UnsafeCase{"\"", "double quote"},
        UnsafeCase{"\n", "line break"}, UnsafeCase{"\r", "line break"}, UnsafeCase{"\n& canary\n/", "line break"}));
#endif

TEST_F(GoldSourceCheckTest, MapFolderWithCommandCharactersIsAccepted)
{
    mapEdit = temp.write(kCommandCharacterFolder + "/box.map");
    FakePrompts prompts;
    EXPECT_EQ(check(present, prompts), CheckVerdict::Proceed);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(GoldSourceCheckTest, ScriptPathWithADoubleQuoteIsRefusedBeforeAnyQuestion)
{
    GoldSourcePaths paths = missingPaths();
    paths.gameExe = "/games/\"hl\".exe";
    FakePrompts prompts;
    EXPECT_EQ(check(paths, prompts), CheckVerdict::Refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompts.asked[0].buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("double quote"));
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("/games/\"hl\".exe"));
}

} // namespace

namespace {

TEST(GoldSourceOptionsTest, FieldTableDefaultsAreTheRecordDefaults)
{
    EXPECT_EQ(defaultOptions(goldSourceFields()), GoldSourceOptions{});
    EXPECT_EQ(goldSourceFields().texts.size() + goldSourceFields().flags.size(), 25u);
}

} // namespace
