#include "base/SearchPath.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace base;

namespace {

#ifndef _WIN32
TEST(SearchPathTest, FindsOnlyExecutableFiles)
{
    TempFolder temp;
    namespace fs = std::filesystem;
    const std::string first = temp.makeFolder("first");
    const std::string second = temp.makeFolder("second");
    temp.write("first/tool", "plain file");
    const std::string executable = temp.write("second/tool", "#!/bin/sh\n");
    fs::permissions(executable, fs::perms::owner_exec, fs::perm_options::add);
    temp.makeFolder("first/dir");

    const std::string path = first + ":" + second;
    EXPECT_EQ(findExecutable("tool", path), second + "/tool");
    EXPECT_EQ(findExecutable("missing", path), "");
    EXPECT_EQ(findExecutable("dir", path), "");
    EXPECT_EQ(findExecutable(executable, ""), executable);
    EXPECT_EQ(findExecutable(first + "/tool", path), "");
}
#endif

TEST(SearchPathTest, EmptyEntriesAreNotTheCurrentFolder)
{
#ifdef _WIN32
    EXPECT_EQ(searchPathFolders(";;C:\\bin;;D:\\tools;"), (std::vector<std::string>{"C:\\bin", "D:\\tools"}));
#else
    EXPECT_EQ(searchPathFolders("::/bin::/usr/bin:"), (std::vector<std::string>{"/bin", "/usr/bin"}));
#endif
    EXPECT_EQ(searchPathFolders(""), std::vector<std::string>{});
}

} // namespace
