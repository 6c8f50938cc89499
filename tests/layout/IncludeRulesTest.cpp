#include "IncludeRules.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::string describe(const std::vector<layout::IncludeViolation>& violations)
{
    std::string text;
    for (const auto& v : violations)
        text += v.file + ":" + std::to_string(v.line) + ": #include " + v.include + " (" + v.reason + ")\n";
    return text;
}

TEST(IncludeRulesTest, TheTreeKeepsItsLayers)
{
    const auto violations = layout::checkIncludes(FERROWIND_SOURCE_DIR);
    EXPECT_TRUE(violations.empty()) << describe(violations);
}

struct Case {
    const char* file;
    const char* include;
    const char* reason; // "" when the include is allowed
};

class IncludeRuleCaseTest : public ::testing::TestWithParam<Case> {};

TEST_P(IncludeRuleCaseTest, NamesTheOffendingLine)
{
    TempFolder tree;
    tree.write(GetParam().file, std::string("// first line\n#include ") + GetParam().include + "\n");
    const auto violations = layout::checkIncludes(tree.path());
    if (std::string(GetParam().reason).empty()) {
        EXPECT_TRUE(violations.empty()) << describe(violations);
        return;
    }
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].file, GetParam().file);
    EXPECT_EQ(violations[0].line, 2);
    EXPECT_EQ(violations[0].reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Arrows, IncludeRuleCaseTest,
    ::testing::Values(Case{"goldsource/GoldSourceScript.cpp", "\"script/ScriptText.h\"", ""},
        Case{"goldsource/ui/GoldSourcePage.cpp", "\"goldsource/GoldSourceOptions.h\"", ""},
        Case{"app/MainWindow.cpp", "\"source/ui/SourcePage.h\"", ""}, Case{"ui/PageParts.cpp", "<QWidget>", ""},
        Case{"batchrun/Runner.cpp", "\"base/Text.h\"", ""},
        Case{"goldsource/GoldSourceChecks.cpp", "\"app/MainWindow.h\"", "runs up from goldsource to app"},
        Case{"source/SourceChecks.cpp", "\"goldsource/GoldSourceChecks.h\"", "runs sideways from source to goldsource"},
        Case{"source/ui/SourcePage.cpp", "\"goldsource/ui/GoldSourcePage.h\"",
            "runs sideways from source/ui to goldsource/ui"},
        Case{"config/Configuration.cpp", "\"script/ScriptLines.h\"", "runs up from config to script"},
        Case{"script/ScriptText.h", "<QString>", "Qt below the shared Qt pieces"},
        Case{"batchrun/Runner.cpp", "\"platform/Shell.h\"", "batchrun uses base only"},
        Case{"decompile/Provision.cpp", "\"bsptwomap/Bsp.h\"",
            "decompile must not include the separate program bsptwomap"},
        Case{"compile/main.cpp", "\"batchrun/Runner.h\"", ""},
        Case{"compile/CompileJob.cpp", "\"presets/PresetFile.h\"", ""},
        Case{"compile/main.cpp", "\"bsptwomap/Bsp.h\"", "compile must not include the separate program bsptwomap"},
        Case{"compile/main.cpp", "\"goldsource/ui/GoldSourcePage.h\"", "runs up from compile to goldsource/ui"},
        Case{"compile/main.cpp", "<QString>", "Qt below the shared Qt pieces"},
        Case{"batchrun/Runner.cpp", "\"compile/UnattendedHost.h\"", "batchrun uses base only"},
        Case{"app/MainWindow.cpp", "\"compile/Arguments.h\"", "app must not include the program compile"}));

} // namespace
