#include "base/RegularFile.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace base;

namespace {

namespace fs = std::filesystem;

TEST(RegularFileTest, ReadsRegularFilesWholeOrTheirStart)
{
    TempFolder temp;
    const std::string path = temp.write("a.bsp", std::string("\x1e\0\0\0rest", 8));
    EXPECT_EQ(readRegularFile(path), std::string("\x1e\0\0\0rest", 8));
    EXPECT_EQ(readRegularFileStart(path, 4), std::string("\x1e\0\0\0", 4));
    EXPECT_EQ(readRegularFileStart(path, 132), std::string("\x1e\0\0\0rest", 8));
    EXPECT_EQ(readRegularFile(temp.path("missing.ini")), std::nullopt);
    try {
        readRegularFile(path, 7);
        FAIL() << "no error";
    } catch (const ReadError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to read " + path + ": it is larger than 7 bytes");
    }
}

#ifndef _WIN32
// A pipe must be refused at once (opening it to read would wait for a writer for ever), and every other kind
// that is not a file with it, whether named directly or through a link.
TEST(RegularFileTest, RefusesEverythingButARegularFileWithoutBlocking)
{
    TempFolder temp;
    for (const SpecialFile& file : makeSpecialFiles(temp)) {
        for (const bool whole : {true, false}) {
            try {
                whole ? readRegularFile(file.path) : readRegularFileStart(file.path, 132);
                ADD_FAILURE() << file.kind << " was read";
            } catch (const ReadError& error) {
                EXPECT_EQ(std::string(error.what()), "Unable to read " + file.path + ": " + file.reason) << file.kind;
            }
        }
    }
    fs::create_symlink(temp.path("nowhere.ini"), temp.path("dangling.ini"));
    EXPECT_EQ(readRegularFile(temp.path("dangling.ini")), std::nullopt);
}

TEST(RegularFileTest, SameFileMeansSameInodeWhateverTheName)
{
    TempFolder temp;
    const std::string map = temp.write("maps/box.map", "{\n}\n");
    const std::string twin = temp.write("maps/twin.map", "{\n}\n");
    fs::create_hard_link(map, temp.path("hard.map"));
    fs::create_symlink(map, temp.path("soft.map"));
    EXPECT_TRUE(isSameFile(map, temp.path("maps/../maps/./box.map")));
    EXPECT_TRUE(isSameFile(map, temp.path("hard.map")));
    EXPECT_TRUE(isSameFile(temp.path("soft.map"), map));
    EXPECT_FALSE(isSameFile(map, twin)); // same content, another file
    EXPECT_FALSE(isSameFile(map, temp.path("maps/missing.map")));
    EXPECT_FALSE(isSameFile(temp.path("gone.map"), temp.path("gone.map")));
}
#endif

} // namespace
