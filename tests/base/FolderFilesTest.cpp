#include "base/FolderFiles.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace base;
using ::testing::UnorderedElementsAre;

namespace {

TEST(FolderFilesTest, FilesOnlyEachNameLessTheExtension)
{
    TempFolder temp;
    for (const char* name :
        {"Fast.gsp", "Full.gsp", ".gsp", "two.dots.gsp", "note.txt", "fast.gspx", "gsp", "Upper.GSP"})
        temp.write(std::string("presets/") + name);
    temp.makeFolder("presets/Folder.gsp");
    const auto names = filesWithExtension(temp.path("presets/"), ".gsp");
#ifdef _WIN32
    EXPECT_THAT(names, UnorderedElementsAre("Fast", "Full", "", "two.dots", "Upper"));
#else
    EXPECT_THAT(names, UnorderedElementsAre("Fast", "Full", "", "two.dots"));
#endif
}

TEST(FolderFilesTest, MissingFolderHoldsNothing)
{
    TempFolder temp;
    EXPECT_TRUE(filesWithExtension(temp.path("missing/"), ".sp").empty());
}

} // namespace
