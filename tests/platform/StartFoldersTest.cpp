#include "platform/StartFolders.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

using namespace ferrowind;

namespace {
// Answers from a queue and records where each dialog was asked to start.
class ScriptedDialogs : public Dialogs {
public:
    std::optional<std::string> openFile(const OpenFileRequest& request) override
    {
        starts.push_back(request.initialDir);
        return next();
    }
    std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) override
    {
        starts.push_back(request.initialDir);
        const auto path = next();
        return path ? std::optional<SaveFileAnswer>(SaveFileAnswer{*path, 1}) : std::nullopt;
    }
    std::optional<std::string> browseFolder(const std::string&, const std::string& current) override
    {
        starts.push_back(current);
        return next();
    }
    std::optional<std::string> askName(const NameRequest&) override { return next(); }

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> starts;

private:
    std::optional<std::string> next()
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

OpenFileRequest open(FileKind kind, const std::string& current) { return {"Any (*)|*", current, {}, false, kind}; }
} // namespace

TEST(StartFoldersTest, ADialogStartsAtTheFieldsFolderElseWhereItsKindWasLastChosen)
{
    TempFolder temp;
    const std::string maps = temp.makeFolder("maps") + "/";
    const std::string tools = temp.makeFolder("tools") + "/";
    ScriptedDialogs inner;
    StartFolders dialogs(inner);

    inner.answers = {maps + "box.map", std::nullopt, tools + "csg", std::nullopt, std::nullopt, std::nullopt};
    EXPECT_EQ(dialogs.openFile(open(FileKind::Maps, "")), maps + "box.map");
    dialogs.openFile(open(FileKind::Maps, "")); // nothing in the field: the last maps folder
    dialogs.openFile(open(FileKind::Tools, tools + "gone")); // a file that is gone: its folder still exists
    dialogs.openFile(open(FileKind::Tools, "/nowhere/csg")); // a folder that is gone: the last tools folder
    dialogs.openFile(open(FileKind::Bsp, "  " + maps + "  ")); // a field naming a folder starts there
    dialogs.openFile(open(FileKind::Presets, "")); // nothing chosen yet: where the platform likes
    EXPECT_EQ(inner.starts, (std::vector<std::string>{"", maps, tools, tools, maps, ""}));
}

TEST(StartFoldersTest, CancelledDialogsAndUnrememberedRequestsLeaveNoMemory)
{
    TempFolder temp;
    const std::string maps = temp.makeFolder("maps") + "/";
    ScriptedDialogs inner;
    StartFolders dialogs(inner);

    inner.answers = {std::nullopt, maps + "box.map", maps + "box compile.bat"};
    dialogs.openFile(open(FileKind::Maps, ""));
    dialogs.openFile(open(FileKind::Unremembered, "/nowhere/x"));
    dialogs.saveFile({"Any (*)|*", "box compile"});
    dialogs.openFile(open(FileKind::Maps, ""));
    // An unremembered request passes as it is, even a field that names nothing.
    EXPECT_EQ(inner.starts, (std::vector<std::string>{"", "/nowhere/x", "", ""}));
}

TEST(StartFoldersTest, FolderPickersRememberTheChosenFolder)
{
    TempFolder temp;
    const std::string out = temp.makeFolder("out") + "/";
    const std::string presets = temp.makeFolder("presets") + "/";
    ScriptedDialogs inner;
    StartFolders dialogs(inner);

    inner.answers = {out, std::nullopt, presets + "full.gsp", std::nullopt};
    dialogs.browseFolder("Output folder", "");
    dialogs.browseFolder("WAD root", "");
    dialogs.saveFile({"Preset file (*.gsp)|*.gsp", "full", "Export...", FileKind::Presets});
    dialogs.openFile(open(FileKind::Presets, ""));
    EXPECT_EQ(inner.starts, (std::vector<std::string>{"", out, "", presets}));
}
