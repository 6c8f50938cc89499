#include "base/AtomicFile.h"
#include "support/FullDisk.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

using namespace base;

namespace {

size_t filesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

TEST(AtomicFileTest, ReplacesTheWholeFileAndLeavesNothingElse)
{
    TempFolder temp;
    const std::string path = temp.write("script.bat", "an older and much longer script\r\n");
    writeFileAtomically(path, "exit\r\n");
    EXPECT_EQ(readBytes(path), "exit\r\n");
    EXPECT_EQ(filesIn(temp.path()), 1u);
}

TEST(AtomicFileTest, MissingFolderIsAWriteErrorNamingThePath)
{
    TempFolder temp;
    const std::string path = temp.path("no/such/folder/file.ini");
    try {
        writeFileAtomically(path, "x");
        FAIL() << "no error";
    } catch (const WriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path + ": its folder does not exist");
    }
}

#ifndef _WIN32
TEST(AtomicFileTest, FullDiskKeepsTheOldFileByteForByte)
{
    TempFolder temp;
    const std::string old = "@echo off\r\ncolor 07\r\nexit\r\n";
    const std::string path = temp.write("Compile.bat", old);
    {
        FullDisk disk(64);
        EXPECT_THROW(writeFileAtomically(path, std::string(4096, 'x')), WriteError);
    }
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(filesIn(temp.path()), 1u);
}
#endif

TEST(AtomicFileTest, CopyReplacesTheTargetAndLeavesAFileCopiedOntoItselfWhole)
{
    TempFolder temp;
    const std::string source = temp.write("a.gsp", "[P]\r\nCSG=-nowadtextures\r\n");
    const std::string target = temp.write("b.gsp", "older and longer\r\n");
    copyFileAtomically(source, target);
    EXPECT_EQ(readBytes(target), readBytes(source));
    copyFileAtomically(source, temp.path("./a.gsp"));
    EXPECT_EQ(readBytes(source), "[P]\r\nCSG=-nowadtextures\r\n");
    EXPECT_EQ(filesIn(temp.path()), 2u);
}

TEST(AtomicFileTest, CopyFromAMissingFileIsAWriteErrorAndLeavesTheTarget)
{
    TempFolder temp;
    const std::string target = temp.write("b.gsp", "kept");
    EXPECT_THROW(copyFileAtomically(temp.path("missing.gsp"), target), WriteError);
    EXPECT_EQ(readBytes(target), "kept");
}

#ifndef _WIN32
namespace fs = std::filesystem;

// A link, relative or absolute, direct or through another link, keeps pointing at the file it named, and that
// file gets the content.
TEST(AtomicFileTest, WritesThroughSymbolicLinksToTheirTarget)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link name, what it points at
    };
    const Case cases[] = {
        {"relative", {{"Configurations.ini", "real/settings.ini"}}},
        {"absolute", {{"Configurations.ini", "@/real/settings.ini"}}},
        {"chained", {{"Configurations.ini", "middle.ini"}, {"middle.ini", "real/settings.ini"}}},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string target = temp.write("real/settings.ini", "[GSPATH]\r\n");
        for (const auto& [link, pointsAt] : c.links) {
            const std::string resolved = pointsAt.front() == '@' ? temp.path(pointsAt.substr(2)) : pointsAt;
            fs::create_symlink(resolved, temp.path(link));
        }
        writeFileAtomically(temp.path("Configurations.ini"), "new");
        EXPECT_TRUE(fs::is_symlink(temp.path("Configurations.ini"))) << c.name;
        EXPECT_EQ(readBytes(target), "new") << c.name;
        EXPECT_EQ(filesIn(temp.path("real")), 1u) << c.name;
    }
}

TEST(AtomicFileTest, KeepsTheModeAndLeavesReadOnlyFilesAlone)
{
    TempFolder temp;
    for (const auto mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        const std::string path = temp.write("kept.ini", "old");
        fs::permissions(path, mode);
        writeFileAtomically(path, "new");
        EXPECT_EQ(fs::status(path).permissions(), mode);
        EXPECT_EQ(readBytes(path), "new");
    }
    const std::string readOnly = temp.write("read-only.ini", "old");
    fs::permissions(readOnly, fs::perms(0444));
    try {
        writeFileAtomically(readOnly, "new");
        FAIL() << "no error";
    } catch (const WriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + readOnly + ": the file is read-only");
    }
    EXPECT_EQ(readBytes(readOnly), "old");
    EXPECT_EQ(fs::status(readOnly).permissions(), fs::perms(0444));
}

std::string whyNotWritten(const std::string& path, const std::vector<std::string>& inputs = {})
{
    try {
        writeFileAtomically(path, "new", inputs);
        return {};
    } catch (const WriteError& error) {
        return error.what();
    }
}

// Only a regular file is ever replaced: renaming over a device node or a pipe replaced it with a text file.
// Each kind stays what it was, directly or behind a link, and nothing is left beside it.
TEST(AtomicFileTest, RefusesEveryTargetThatIsNotARegularFile)
{
    TempFolder temp;
    const std::vector<SpecialFile> files = makeSpecialFiles(temp);
    for (const SpecialFile& file : files) {
        const fs::file_type before = fs::status(file.path).type();
        EXPECT_EQ(whyNotWritten(file.path), "Unable to write to " + file.path + ": " + file.reason) << file.kind;
        EXPECT_EQ(fs::status(file.path).type(), before) << file.kind;
        EXPECT_THROW(copyFileAtomically(temp.write("source.ini", "x"), file.path), WriteError) << file.kind;
        EXPECT_THROW(copyFileAtomically(file.path, temp.path("copy.ini")), WriteError) << file.kind;
    }
    EXPECT_EQ(filesIn(temp.path("kinds")), files.size());
    EXPECT_FALSE(fs::exists(temp.path("copy.ini")));
}

TEST(AtomicFileTest, ReadOnlyFolderIsRefusedWithItsReason)
{
    TempFolder temp;
    const std::string folder = temp.makeFolder("Presets");
    const std::string kept = temp.write("Presets/Kept.gsp", "old");
    fs::permissions(folder, fs::perms(0555));
    EXPECT_EQ(whyNotWritten(kept), "Unable to write to " + kept + ": its folder is read-only");
    EXPECT_EQ(whyNotWritten(folder + "/New.gsp"), "Unable to write to " + folder + "/New.gsp: its folder is read-only");
    EXPECT_EQ(readBytes(kept), "old");
    EXPECT_EQ(filesIn(folder), 1u);
}

// The temporary name beside the target must itself be a valid name: "<name>.~<process>-<n>" went past the
// 255 bytes a name may have for names of 244 bytes and more.
TEST(AtomicFileTest, WritesEveryNameUpToTheLongestTheSystemTakes)
{
    TempFolder temp;
    for (const size_t length : {size_t{243}, size_t{244}, size_t{250}, size_t{251}, size_t{255}}) {
        const std::string path = temp.path(std::string(length - 4, 'm') + ".bat");
        EXPECT_EQ(whyNotWritten(path), "") << length;
        EXPECT_EQ(readBytes(path), "new") << length;
    }
    // Cut before a character of several bytes, never inside it: "é" is two bytes in UTF-8.
    std::string accented;
    while (accented.size() < 250)
        accented += "\xc3\xa9";
    const std::string path = temp.path(accented + ".bat");
    EXPECT_EQ(whyNotWritten(path), "");
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(filesIn(temp.path()), 6u);
}

// An output may never be one of its inputs, whatever name reaches it: the same path written differently, a
// symbolic link or a hard link. Another file with the same content is no input.
TEST(AtomicFileTest, RefusesToWriteOverAnInputUnderAnyName)
{
    TempFolder temp;
    const std::string map = temp.write("maps/box.map", "{\n}\n");
    const std::string config = temp.write("Configurations.ini", "[GSPATH]\r\n");
    fs::create_symlink(map, temp.path("soft.bat"));
    fs::create_hard_link(map, temp.path("hard.bat"));
    const std::vector<std::string> inputs{config, map};
    for (const std::string& output : {map, temp.path("maps/./box.map"), temp.path("soft.bat"), temp.path("hard.bat")})
        EXPECT_EQ(
            whyNotWritten(output, inputs), "Unable to write to " + output + ": it is the input " + map + " itself");
    EXPECT_EQ(
        whyNotWritten(config, inputs), "Unable to write to " + config + ": it is the input " + config + " itself");
    EXPECT_EQ(readBytes(map), "{\n}\n");
    EXPECT_EQ(whyNotWritten(temp.write("twin.map", "{\n}\n"), inputs), "");
    EXPECT_EQ(whyNotWritten(temp.path("new.bat"), inputs), "");
}

TEST(AtomicFileTest, MoveNeverReplacesAndTellsWhyItFailed)
{
    TempFolder temp;
    const std::string folder = temp.makeFolder("GSPresets");
    const std::string fast = temp.write("GSPresets/Fast.gsp", "fast");
    temp.write("GSPresets/Full.gsp", "full");
    temp.makeFolder("GSPresets/Folder.gsp");
    const auto whyNotMoved = [&](const std::string& target) {
        try {
            moveFile(fast, folder + "/" + target);
            return std::string();
        } catch (const WriteError& error) {
            return std::string(error.what());
        }
    };
    EXPECT_EQ(whyNotMoved("Full.gsp"), "Unable to write to " + folder + "/Full.gsp: a file of that name exists");
    EXPECT_EQ(
        whyNotMoved("Folder.gsp"), "Unable to write to " + folder + "/Folder.gsp: it is a folder, not a regular file");
    fs::permissions(folder, fs::perms(0555));
    EXPECT_EQ(whyNotMoved("Quick.gsp"),
        "Unable to write to " + folder + "/Quick.gsp: its folder or the folder of " + fast + " is read-only");
    EXPECT_EQ(readBytes(fast), "fast");
    fs::permissions(folder, fs::perms(0755));
    EXPECT_EQ(whyNotMoved("Quick.gsp"), "");
    EXPECT_EQ(readBytes(folder + "/Quick.gsp"), "fast");
    EXPECT_FALSE(fs::exists(fast));
}

TEST(AtomicFileTest, RemoveTellsWhyItFailed)
{
    TempFolder temp;
    const std::string folder = temp.makeFolder("GSPresets");
    const std::string fast = temp.write("GSPresets/Fast.gsp", "fast");
    const std::string inner = temp.makeFolder("GSPresets/Folder.gsp");
    fs::permissions(folder, fs::perms(0555));
    try {
        removeFile(fast);
        FAIL() << "no error";
    } catch (const WriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to remove " + fast + ": its folder is read-only");
    }
    fs::permissions(folder, fs::perms(0755));
    EXPECT_THROW(removeFile(inner), WriteError);
    removeFile(fast);
    removeFile(fast);
    EXPECT_FALSE(fs::exists(fast));
    EXPECT_TRUE(fs::is_directory(inner));
}
#endif

} // namespace
