#include "presets/PresetManager.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "support/FakeDialogs.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ferrowind;

namespace {

constexpr const char* kCaption = "Half-life compiling presets";
const std::vector<PromptButton> kYesNo{PromptButton::Yes, PromptButton::No};

// The manager of the Half-Life window on a temporary preset folder; the page is a recorder.
class PresetManagerTest : public ::testing::Test {
protected:
    TempFolder temp;
    FakePrompts prompts;
    FakeDialogs dialogs;
    PresetFolder folder{temp.path("GSPresets/"), ".gsp"};
    std::vector<std::string> saved;
    std::vector<std::string> loaded;
    bool refuseWrites = false;
    PresetManager manager = makeManager();

    PresetManager makeManager()
    {
        PresetEngine engine = goldSourcePresetEngine(folder);
        engine.savePage = [this](const std::string& path) {
            if (refuseWrites)
                throw base::WriteError(path);
            saved.push_back(path);
            base::writeFileAtomically(path, "[P]\r\nCSG=from the page\r\n");
        };
        engine.loadPage = [this](const std::string& path) { loaded.push_back(path); };
        engine.createFolders = [this] { temp.makeFolder("GSPresets"); };
        return PresetManager(std::move(engine), prompts, dialogs);
    }

    std::string preset(const std::string& name) const { return folder.pathOf(name); }
    std::string writePreset(const std::string& name, const std::string& bytes = "[P]\r\nCSG=mine\r\n")
    {
        return temp.write("GSPresets/" + name + ".gsp", bytes);
    }
};

TEST_F(PresetManagerTest, SaveStoresThePageUnderTheNameWithoutItsBlanks)
{
    dialogs.nameAnswers = {" \tFull2 "};
    EXPECT_TRUE(manager.save());
    EXPECT_EQ(saved, std::vector<std::string>{preset("Full2")});
    ASSERT_EQ(dialogs.nameRequests.size(), 1u);
    EXPECT_EQ(dialogs.nameRequests[0].title, "Save preset");
    EXPECT_EQ(dialogs.nameRequests[0].label, "Enter name:");
    EXPECT_EQ(dialogs.nameRequests[0].initialText, "");
    EXPECT_EQ(dialogs.nameRequests[0].maxLength, 255);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(manager.entries(), std::vector<std::string>{"Full2"});
}

struct NameCase {
    std::optional<std::string> answer;
    size_t messages; // only the name check's own message, for a refused name
};

class PresetNameAnswerTest : public PresetManagerTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PresetNameAnswerTest, RefusedEmptyOrCancelledNamesStoreAndRenameNothing)
{
    writePreset("Fast");
    dialogs.nameAnswers = {GetParam().answer, GetParam().answer};
    EXPECT_FALSE(manager.save());
    EXPECT_FALSE(manager.rename("Fast"));
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(manager.entries(), std::vector<std::string>{"Fast"});
    EXPECT_EQ(prompts.asked.size(), 2 * GetParam().messages);
    for (const PromptRequest& asked : prompts.asked)
        EXPECT_EQ(asked.title, "Ferrowind 1.2");
}

INSTANTIATE_TEST_SUITE_P(Names, PresetNameAnswerTest,
    ::testing::Values(NameCase{"my preset", 1}, NameCase{"v1.2", 1}, NameCase{"full_hdr", 1}, NameCase{"  ", 0},
        NameCase{"", 0}, NameCase{std::nullopt, 0}));

TEST_F(PresetManagerTest, SaveOverAnExistingPresetAsksFirst)
{
    writePreset("Full", "old");
    prompts.answers = {PromptButton::No, PromptButton::Yes};
    dialogs.nameAnswers = {"Full", "Full"};
    EXPECT_FALSE(manager.save());
    EXPECT_EQ(readBytes(preset("Full")), "old");
    EXPECT_TRUE(manager.save());
    EXPECT_EQ(saved, std::vector<std::string>{preset("Full")});
    const PromptRequest question{
        kCaption, "Preset \"Full\" already exists! Replace?", PromptIcon::Question, kYesNo, PromptButton::Yes};
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{question, question}));
}

TEST_F(PresetManagerTest, RefusedWriteIsReportedAndTheListIsNotRebuilt)
{
    refuseWrites = true;
    dialogs.nameAnswers = {"Full"};
    EXPECT_FALSE(manager.save());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(
        prompts.asked[0], (PromptRequest{"Ferrowind 1.2", "Unable to write to " + preset("Full"), PromptIcon::Error}));
}

TEST_F(PresetManagerTest, RenameMovesTheFileUnderTheNewName)
{
    writePreset("Fast");
    dialogs.nameAnswers = {" Quick "};
    EXPECT_TRUE(manager.rename("Fast"));
    EXPECT_EQ(dialogs.nameRequests[0].title, "Rename preset (\"Fast\")");
    EXPECT_EQ(dialogs.nameRequests[0].label, "Enter new name:");
    EXPECT_EQ(manager.entries(), std::vector<std::string>{"Quick"});
    EXPECT_EQ(readBytes(preset("Quick")), "[P]\r\nCSG=mine\r\n");
}

TEST_F(PresetManagerTest, RenameOntoAnExistingNameKeepsBothFiles)
{
    writePreset("Fast", "fast");
    writePreset("Full", "full");
    dialogs.nameAnswers = {"Full", "Fast"};
    EXPECT_FALSE(manager.rename("Fast"));
    EXPECT_FALSE(manager.rename("Fast"));
    EXPECT_EQ(readBytes(preset("Fast")), "fast");
    EXPECT_EQ(readBytes(preset("Full")), "full");
    const auto warning = [](const char* name) {
        return PromptRequest{kCaption, std::string("Preset \"") + name + "\" already exists! Enter correct name...",
            PromptIcon::Exclamation};
    };
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{warning("Full"), warning("Fast")}));
}

TEST_F(PresetManagerTest, RemoveDeletesOnlyAfterOk)
{
    writePreset("Fast");
    prompts.answers = {PromptButton::Cancel, PromptButton::Ok};
    EXPECT_FALSE(manager.remove("Fast"));
    EXPECT_TRUE(base::fileExists(preset("Fast")));
    EXPECT_TRUE(manager.remove("Fast"));
    EXPECT_FALSE(base::fileExists(preset("Fast")));
    const PromptRequest question{kCaption, "Remove \"Fast\" ?", PromptIcon::Exclamation,
        {PromptButton::Ok, PromptButton::Cancel}, PromptButton::Ok};
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{question, question}));
}

#ifndef _WIN32
// Rename and Remove failed without a word; each failure now reaches the user with its reason, the file kept.
TEST_F(PresetManagerTest, FailedRenameOrRemoveIsReportedWithItsReason)
{
    writePreset("Fast", "fast");
    temp.makeFolder("GSPresets/Quick.gsp");
    const auto error = [](const std::string& text) { return PromptRequest{kCaption, text, PromptIcon::Error}; };

    dialogs.nameAnswers = {"Quick"};
    EXPECT_TRUE(manager.rename("Fast"));
    std::filesystem::permissions(temp.path("GSPresets"), std::filesystem::perms(0555));
    dialogs.nameAnswers = {"Full"};
    EXPECT_TRUE(manager.rename("Fast"));
    prompts.answers = {PromptButton::Ok};
    EXPECT_TRUE(manager.remove("Fast"));
    std::filesystem::permissions(temp.path("GSPresets"), std::filesystem::perms(0755));

    EXPECT_EQ(readBytes(preset("Fast")), "fast");
    EXPECT_FALSE(base::fileExists(preset("Full")));
    ASSERT_EQ(prompts.asked.size(), 4u);
    EXPECT_EQ(
        prompts.asked[0], error("Unable to write to " + preset("Quick") + ": it is a folder, not a regular file"));
    EXPECT_EQ(prompts.asked[1],
        error("Unable to write to " + preset("Full") + ": its folder or the folder of " + preset("Fast") +
            " is read-only"));
    EXPECT_EQ(prompts.asked[3], error("Unable to remove " + preset("Fast") + ": its folder is read-only"));
}
#endif

TEST_F(PresetManagerTest, PresetsWhoseFileHasGoneAreLeftAlone)
{
    EXPECT_FALSE(manager.rename("Gone"));
    EXPECT_FALSE(manager.remove("Gone"));
    manager.exportFile("Gone");
    EXPECT_TRUE(dialogs.nameRequests.empty());
    EXPECT_TRUE(dialogs.saveRequests.empty());
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PresetManagerTest, ImportCopiesIntoTheFolderAndLoadsThePreset)
{
    temp.makeFolder("GSPresets");
    const std::string chosen = temp.write("downloads/Big Hall.GSP", "[U]\r\nVIS=0\r\n");
    dialogs.openAnswers = {chosen};
    EXPECT_TRUE(manager.importFile());
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].filter, "Preset file (*.gsp)|*.gsp");
    EXPECT_EQ(dialogs.openRequests[0].title, "Import...");
    EXPECT_EQ(dialogs.openRequests[0].kind, FileKind::Presets);
    EXPECT_EQ(readBytes(preset("Big Hall")), "[U]\r\nVIS=0\r\n");
    EXPECT_EQ(loaded, std::vector<std::string>{preset("Big Hall")});
    EXPECT_EQ(manager.entries(), std::vector<std::string>{"Big Hall"});
}

TEST_F(PresetManagerTest, ImportOfAnotherKindMissingFileOrCancelDoesNothing)
{
    temp.makeFolder("GSPresets");
    dialogs.openAnswers = {temp.write("downloads/Hall.sp"), temp.path("downloads/missing.gsp"), std::nullopt};
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(manager.importFile());
    EXPECT_TRUE(manager.entries().empty());
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PresetManagerTest, ImportOntoAnExistingPresetAsksFirst)
{
    writePreset("Hall", "mine");
    const std::string chosen = temp.write("downloads/Hall.gsp", "theirs");
    dialogs.openAnswers = {chosen, chosen};
    prompts.answers = {PromptButton::No, PromptButton::Yes};
    EXPECT_FALSE(manager.importFile());
    EXPECT_EQ(readBytes(preset("Hall")), "mine");
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(manager.importFile());
    EXPECT_EQ(readBytes(preset("Hall")), "theirs");
    const PromptRequest question{
        kCaption, "Preset already exists! Replace?", PromptIcon::Question, kYesNo, PromptButton::Yes};
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{question, question}));
}

TEST_F(PresetManagerTest, ImportFromThePresetFolderItselfKeepsTheFileAndLoadsIt)
{
    const std::string path = writePreset("Fast");
    dialogs.openAnswers = {path};
    prompts.answers = {PromptButton::Yes};
    EXPECT_TRUE(manager.importFile());
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(readBytes(path), "[P]\r\nCSG=mine\r\n");
    EXPECT_EQ(loaded, std::vector<std::string>{path});
}

TEST_F(PresetManagerTest, ExportAlwaysAddsTheExtension)
{
    writePreset("Fast");
    temp.makeFolder("out");
    dialogs.saveAnswers = {SaveFileAnswer{temp.path("out/mine")}, SaveFileAnswer{temp.path("out/mine.gsp")}};
    manager.exportFile("Fast");
    manager.exportFile("Fast");
    EXPECT_EQ(readBytes(temp.path("out/mine.gsp")), "[P]\r\nCSG=mine\r\n");
    EXPECT_EQ(readBytes(temp.path("out/mine.gsp.gsp")), "[P]\r\nCSG=mine\r\n");
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, "Preset file (*.gsp)|*.gsp");
    EXPECT_EQ(dialogs.saveRequests[0].title, "Export...");
    EXPECT_EQ(dialogs.saveRequests[1].fileName, temp.path("out/mine.gsp"));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PresetManagerTest, ExportOverAnExistingFileAsksFirst)
{
    writePreset("Fast");
    const std::string target = temp.write("out/mine.gsp", "theirs");
    dialogs.saveAnswers = {SaveFileAnswer{temp.path("out/mine")}, SaveFileAnswer{temp.path("out/mine")}};
    prompts.answers = {PromptButton::No, PromptButton::Yes};
    manager.exportFile("Fast");
    EXPECT_EQ(readBytes(target), "theirs");
    manager.exportFile("Fast");
    EXPECT_EQ(readBytes(target), "[P]\r\nCSG=mine\r\n");
    const PromptRequest question{
        kCaption, "File \"mine.gsp\" already exists. Replace?", PromptIcon::Exclamation, kYesNo, PromptButton::Yes};
    EXPECT_EQ(prompts.asked, (std::vector<PromptRequest>{question, question}));
}

} // namespace
