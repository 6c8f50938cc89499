#include "source/SourceChecks.h"
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
    question("BSP compiler initialization error! (Please select correct path)"),
    question("VIS compiler initialization error! (Please select correct path)"),
    question("RAD compiler initialization error! (Please select correct path)"),
    question("BSP output folder is not found! (Please select correct path)"),
    question("\"Bin\" folder is not found! (Please select correct path)"),
};

class SourceCheckTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string vmfEdit = temp.write("maps/box.vmf", "versioninfo");
    SourceOptions options;
    SourcePaths present = presentPaths();

    SourcePaths presentPaths() const
    {
        SourcePaths p;
        p.bspTool = temp.write("bin/bsp");
        p.visTool = temp.write("bin/vis");
        p.radTool = temp.write("bin/rad");
        p.bspOut = temp.makeFolder("out");
        p.bin = temp.makeFolder("bin");
        return p;
    }

    // Every checked path missing in a different way.
    SourcePaths missingPaths() const
    {
        SourcePaths p;
        p.bspTool = temp.makeFolder("bin/a-folder");
        p.visTool = "";
        p.radTool = temp.path("bin/nothing");
        p.bspOut = temp.write("out-is-a-file");
        p.bin = "";
        return p;
    }

    bool check(const SourcePaths& paths, FakePrompts& prompts)
    {
        SourceScriptInput input;
        input.options = options;
        input.vmfFile = vmfEdit;
        input.paths = paths;
        return askAbout(checkSourceCompile(input), prompts) == CheckVerdict::Proceed;
    }
};

TEST_F(SourceCheckTest, EverythingPresentAsksNothingAndTheVmfEditIsTrimmed)
{
    FakePrompts prompts;
    vmfEdit = " \t" + vmfEdit + "  ";
    EXPECT_TRUE(check(present, prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SourceCheckTest, MissingVmfIsTheOnlyMessage)
{
    for (const std::string& edit : {std::string(), temp.path("maps/gone.vmf"), temp.path("maps")}) {
        FakePrompts prompts;
        vmfEdit = edit;
        EXPECT_FALSE(check(missingPaths(), prompts)) << edit;
        EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kMapMissing}) << edit;
    }
}

TEST_F(SourceCheckTest, YesToEveryQuestionAsksThemAllInOrder)
{
    FakePrompts prompts;
    prompts.answers.assign(kEveryQuestion.size(), PromptButton::Yes);
    EXPECT_TRUE(check(missingPaths(), prompts));
    EXPECT_EQ(prompts.asked, kEveryQuestion);
}

class SourceCheckNoTest : public SourceCheckTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(SourceCheckNoTest, NoEndsTheCheckAtOnce)
{
    const size_t refused = GetParam();
    FakePrompts prompts;
    prompts.answers.assign(refused, PromptButton::Yes);
    prompts.answers.push_back(PromptButton::No);
    EXPECT_FALSE(check(missingPaths(), prompts));
    EXPECT_EQ(prompts.asked,
        std::vector<PromptRequest>(kEveryQuestion.begin(), kEveryQuestion.begin() + static_cast<long>(refused) + 1));
}

INSTANTIATE_TEST_SUITE_P(EachQuestion, SourceCheckNoTest, ::testing::Range<size_t>(0, 5));

TEST_F(SourceCheckTest, OnlySelectedStagesToolsAreChecked)
{
    SourcePaths paths = missingPaths();
    paths.bspOut = present.bspOut;
    paths.bin = present.bin;
    options.runBsp = options.runVis = options.runRad = false;
    FakePrompts prompts;
    EXPECT_TRUE(check(paths, prompts));
    EXPECT_TRUE(prompts.asked.empty());

    options.runVis = true;
    EXPECT_FALSE(check(paths, prompts)); // the default answer is No
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>{kEveryQuestion[1]});
}

TEST_F(SourceCheckTest, FoldersAreCheckedWithoutStages)
{
    options.runBsp = options.runVis = options.runRad = false;
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes};
    EXPECT_TRUE(check(missingPaths(), prompts));
    EXPECT_EQ(prompts.asked, std::vector<PromptRequest>(kEveryQuestion.begin() + 3, kEveryQuestion.end()));
}

TEST_F(SourceCheckTest, PathsAreCheckedAsStoredWithoutTrimming)
{
    SourcePaths paths = present;
    paths.bspTool = " " + paths.bspTool;
    paths.radTool += " ";
    paths.bin += "\t";
    FakePrompts prompts{PromptButton::Yes, PromptButton::Yes, PromptButton::Yes};
    EXPECT_TRUE(check(paths, prompts));
#ifdef _WIN32
    // Windows drops trailing blanks from file names: "vrad " is vrad.
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{kEveryQuestion[0], kEveryQuestion[4]}));
#else
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{kEveryQuestion[0], kEveryQuestion[2], kEveryQuestion[4]}));
#endif
}

class SourceCheckUnsafeVmfTest : public SourceCheckTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SourceCheckUnsafeVmfTest, FileNameThatCannotBeCarriedIsRefusedAlone)
{
    const std::string character = GetParam();
    vmfEdit = temp.write("maps/a" + character + "b.vmf");
    FakePrompts prompts;
    EXPECT_FALSE(check(missingPaths(), prompts));
    ASSERT_EQ(prompts.asked.size(), 1u);
    const PromptRequest& box = prompts.asked[0];
    EXPECT_EQ(box.title, "Ferrowind 1.2");
    EXPECT_EQ(box.icon, PromptIcon::Exclamation);
    EXPECT_EQ(box.buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(box.text, HasSubstr(character == "\"" ? "double quote" : "\"" + character + "\""));
}

#ifdef _WIN32
// `|<>"` cannot occur in a Windows file name, so only the others can reach the check there.
INSTANTIATE_TEST_SUITE_P(Characters, SourceCheckUnsafeVmfTest, ::testing::Values("&", "^"));
#else
INSTANTIATE_TEST_SUITE_P(Characters, SourceCheckUnsafeVmfTest, ::testing::Values("&", "|", "<", ">", "^", "\""));
#endif

TEST_F(SourceCheckTest, VmfFolderWithCommandCharactersIsAccepted)
{
    vmfEdit = temp.write(kCommandCharacterFolder + "/box.vmf");
    FakePrompts prompts;
    EXPECT_TRUE(check(present, prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SourceCheckTest, ScriptPathWithADoubleQuoteIsRefusedBeforeAnyQuestion)
{
    SourcePaths paths = missingPaths();
    paths.bin = "/hl2/\"bin\"";
    FakePrompts prompts;
    EXPECT_FALSE(check(paths, prompts));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompts.asked[0].buttons, std::vector<PromptButton>{PromptButton::Ok});
    EXPECT_THAT(prompts.asked[0].text, HasSubstr("/hl2/\"bin\""));
}

} // namespace

namespace {

TEST(SourceOptionsTest, FieldTableDefaultsAreTheRecordDefaults)
{
    EXPECT_EQ(defaultOptions(sourceFields()), SourceOptions{});
    EXPECT_EQ(sourceFields().texts.size() + sourceFields().flags.size(), 14u);
}

} // namespace
