#include "base/AtomicFile.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
