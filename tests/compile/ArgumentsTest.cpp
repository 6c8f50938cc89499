#include "compile/Arguments.h"
#include "compile/StageTable.h"

#include <gtest/gtest.h>

using namespace ferrowind;

struct ArgumentCase {
    std::vector<std::string> words;
    std::string problem; // "" when accepted
};

class CompileArgumentsTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CompileArgumentsTest, RefusesWhatMakesNoSense)
{
    EXPECT_EQ(parseCompileArguments(GetParam().words).problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Words, CompileArgumentsTest,
    ::testing::Values(ArgumentCase{{}, "no map given"}, ArgumentCase{{"--help"}, ""},
        ArgumentCase{{"a.map", "-PRESET", "Fast", "--Config", "c.ini", "--keep-script", "k.bat"}, ""},
        ArgumentCase{{"a.map", "-preset"}, "-preset needs a value"},
        ArgumentCase{{"a.map", "--keep"}, "unknown option --keep"},
        ArgumentCase{{"a.map", "b.vmf"}, "one map at a time: a.map and b.vmf"},
        ArgumentCase{{"a.map", "-preset", "../../x"}, "-preset takes a preset's name, not a path: ../../x"},
        ArgumentCase{{"a.map", "-preset", ".."}, "-preset takes a preset's name, not a path: .."},
        ArgumentCase{{"a.map", "-preset", "/etc/x"}, "-preset takes a preset's name, not a path: /etc/x"},
        ArgumentCase{{"a.map", "-preset", "a\\b"}, "-preset takes a preset's name, not a path: a\\b"}));

TEST(StageTableTest, ARowPerStageThenTheTotal)
{
    EXPECT_EQ(stageTable({{"CSG", 0, 1.5}, {"VIS", 3, 0.004}}, 12.5),
        "stage    exit code    wall time\n"
        "CSG              0       1.50 s\n"
        "VIS              3       0.00 s\n"
        "total                   12.50 s\n");
}
