#include "base/ProgramOptions.h"

#include <gtest/gtest.h>

using namespace base;

namespace {

using Args = std::vector<std::string>;

TEST(ProgramOptionsTest, VersionAndHelpAnswerOnlyAsTheFirstArgument)
{
    const std::string usage = "usage: tool <file>\n";
    EXPECT_EQ(programOptionAnswer({"--version"}, "tool", usage), "tool 1.2\n");
    EXPECT_EQ(programOptionAnswer({"--help", "x"}, "tool", usage), "tool 1.2\n\nusage: tool <file>\n");
    for (const Args& args : {Args{}, Args{"map.map", "--help"}, Args{"--HELP"}, Args{"-help"}, Args{"--versions"},
             Args{"script.bat", "--version"}, Args{""}})
        EXPECT_EQ(programOptionAnswer(args, "tool", usage), std::nullopt) << (args.empty() ? "" : args.front());
}

} // namespace
