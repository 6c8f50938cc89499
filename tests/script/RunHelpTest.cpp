#include "script/RunHelp.h"

#include "support/FakePrompts.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

// Answers the message and notes what the text file held at that moment.
class WatchingPrompts : public FakePrompts {
public:
    explicit WatchingPrompts(std::string watched) : watched_(std::move(watched)) {}
    PromptButton ask(const PromptRequest& request) override
    {
        textAtMessage = readBytes(watched_);
        return FakePrompts::ask(request);
    }
    std::string textAtMessage;

private:
    std::string watched_;
};

struct RunHelpTest : ::testing::Test {
    TempFolder temp;
    WorkingFolders folders = foldersUnder(temp.path());
    FakeShell shell;

    void SetUp() override { createWorkingFolders(folders); }
};

TEST_F(RunHelpTest, AnInstalledHelpPageIsOpenedAndNoTextWritten)
{
    temp.write("Ferrowind/help/index.html", "<html></html>");
    FakePrompts prompts;
    showRunHelp(folders, prompts, shell);
    EXPECT_EQ(shell.opened, std::vector<std::string>{helpPagePath(folders)});
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_FALSE(std::filesystem::exists(runHelpTextPath(folders)));
}

TEST_F(RunHelpTest, WithoutThePageTheMessageComesFirstThenTheSevenLinesReplaceAnyOldText)
{
    const std::string edited = "edited by the user, much longer than the text that replaces it\r\n";
    temp.write("Ferrowind/Readme.txt", edited);
    WatchingPrompts prompts(runHelpTextPath(folders));
    showRunHelp(folders, prompts, shell);
    EXPECT_EQ(prompts.textAtMessage, edited);

    ASSERT_EQ(prompts.asked.size(), size_t{1});
    EXPECT_EQ(prompts.asked[0], (PromptRequest{"Ferrowind 1.2", "Help file is not found!", PromptIcon::Exclamation}));
#ifdef _WIN32
    const std::string dash = "\x96";
#else
    const std::string dash = "\xE2\x80\x93";
#endif
    EXPECT_EQ(readBytes(runHelpTextPath(folders)),
        "============ Run  from Valve Hammer Editor ============\r\n"
        "\r\n"
        "  [Filename] " +
            dash +
            "add map file.\r\n"
            "  +run -begin compilation.\r\n"
            "  -preset \"presetname\" -using preset.\r\n"
            "\r\n"
            "  For example: Ferrowind.exe \"D:\\my_map.map\" +run -preset full\r\n");
    EXPECT_EQ(shell.opened, std::vector<std::string>{runHelpTextPath(folders)});
}

TEST_F(RunHelpTest, ATextThatCannotBeWrittenSaysWhyAndOpensNothing)
{
    temp.makeFolder("Ferrowind/Readme.txt");
    FakePrompts prompts;
    showRunHelp(folders, prompts, shell);
    ASSERT_EQ(prompts.asked.size(), size_t{2});
    EXPECT_EQ(prompts.asked[1].icon, PromptIcon::Error);
    EXPECT_EQ(prompts.asked[1].text.rfind("Unable to write to " + temp.path("Ferrowind/Readme.txt"), 0), 0u);
    EXPECT_TRUE(shell.opened.empty());
}

} // namespace
