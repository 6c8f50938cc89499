#include "base/AtomicFile.h"
#include "support/FullDisk.h"
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
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
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
#endif

} // namespace
