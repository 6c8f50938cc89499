#include "IncludeRules.h"
#include "LayerTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const layout::LayerTable& table()
{
    static const layout::LayerTable kTable = layout::readLayerTable(FERROWIND_SOURCE_DIR "/cmake/layers.txt");
    return kTable;
}

std::vector<std::string> described(const std::vector<layout::IncludeViolation>& violations)
{
    std::vector<std::string> lines;
    for (const auto& v : violations)
        lines.push_back(v.file + ":" + std::to_string(v.line) + ": " + v.reason);
    return lines;
}

TEST(IncludeRulesTest, TheTreeKeepsItsLayers)
{
    EXPECT_EQ(described(layout::checkIncludes(FERROWIND_SOURCE_DIR, table())), std::vector<std::string>{});
}

TEST(IncludeRulesTest, TheReadmeShowsTheLayerTable)
{
    EXPECT_EQ(layout::readmeLayoutRows(FERROWIND_SOURCE_DIR "/README.md"), layout::tableRows(table()));
}

struct Case {
    const char* file;
    const char* include;
    std::vector<std::string> found; // "file:line: reason"; none when the include is allowed
    std::vector<const char*> others = {}; // further files the tree holds
};

class IncludeRuleCaseTest : public ::testing::TestWithParam<Case> {};

TEST_P(IncludeRuleCaseTest, NamesFileLineAndRule)
{
    TempFolder tree;
    tree.write(GetParam().file, std::string("// first line\n#include ") + GetParam().include + "\n");
    for (const char* other : GetParam().others)
        tree.write(other);
    EXPECT_EQ(described(layout::checkIncludes(tree.path(), table())), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Allowed, IncludeRuleCaseTest,
    ::testing::Values(Case{"goldsource/GoldSourceScript.cpp", "\"script/ScriptText.h\"", {}},
        Case{"goldsource/ui/GoldSourcePage.cpp", "\"goldsource/GoldSourceOptions.h\"", {}},
        Case{"app/MainWindow.cpp", "\"source/ui/SourcePage.h\"", {}}, Case{"ui/PageParts.cpp", "<QWidget>", {}},
        Case{"ui/PageParts.cpp", "<qstring.h>", {}}, Case{"script/ScriptText.cpp", "<queue>", {}},
        Case{"batchrun/Runner.cpp", "\"base/Text.h\"", {}}, Case{"compile/main.cpp", "\"batchrun/Runner.h\"", {}},
        Case{"compile/CompileJob.cpp", "\"presets/PresetFile.h\"", {}},
        Case{"tests/ui/MainWindowTest.cpp", "\"WindowHarness.h\"", {}},
        Case{"tests/script/ScriptTest.cpp", "\"support/TempFolder.h\"", {}}));

// The wrong includes a review smuggled past the earlier check, and the arrows the layers forbid.
INSTANTIATE_TEST_SUITE_P(Refused, IncludeRuleCaseTest,
    ::testing::Values(Case{"script/ScriptText.cpp", "<presets/PresetManager.h>",
                          {"script/ScriptText.cpp:2: project header in angle brackets"}},
        Case{"script/ScriptText.cpp", "\"../presets/PresetManager.h\"",
            {"script/ScriptText.cpp:2: names the header by a relative path instead of from the root"}},
        Case{"presets/ui/PresetWindows.cpp", "\"../PresetManager.h\"",
            {"presets/ui/PresetWindows.cpp:2: names the header by a relative path instead of from the root"}},
        Case{"script/ScriptText.h", "<qstring.h>", {"script/ScriptText.h:2: Qt below the shared Qt pieces"}},
        Case{"script/ScriptText.h", "<QString>", {"script/ScriptText.h:2: Qt below the shared Qt pieces"}},
        Case{"compile/main.cpp", "<QtCore/QString>", {"compile/main.cpp:2: Qt below the shared Qt pieces"}},
        Case{"goldsource/GoldSourceScript.cpp", "\"goldsource/Stages.hpp\"",
            {"goldsource/GoldSourceScript.cpp:2: project headers end in .h"}},
        Case{"goldsource/Stages.hpp", "<vector>", {"goldsource/Stages.hpp:0: project headers end in .h"}},
        Case{"goldsource/GoldSourceChecks.cpp", "\"support/FakePrompts.h\"",
            {"goldsource/GoldSourceChecks.cpp:2: goldsource must not include tests"}, {"tests/support/FakePrompts.h"}},
        Case{"goldsource/GoldSourceChecks.cpp", "\"tests/support/FakePrompts.h\"",
            {"goldsource/GoldSourceChecks.cpp:2: goldsource must not include tests"}},
        Case{"script/ScriptText.cpp", "\"extras/Helper.h\"",
            {"extras:0: folder extras is not in the layer table",
                "script/ScriptText.cpp:2: names no room of the layer table"},
            {"extras/Helper.h"}},
        Case{"script/ScriptText.cpp", "\"ScriptLines.h\"",
            {"script/ScriptText.cpp:2: names the header without its room"}, {"script/ScriptLines.h"}},
        Case{"goldsource/GoldSourceChecks.cpp", "\"app/MainWindow.h\"",
            {"goldsource/GoldSourceChecks.cpp:2: runs up from goldsource to app"}},
        Case{"source/SourceChecks.cpp", "\"goldsource/GoldSourceChecks.h\"",
            {"source/SourceChecks.cpp:2: runs sideways from source to goldsource"}},
        Case{"source/ui/SourcePage.cpp", "\"goldsource/ui/GoldSourcePage.h\"",
            {"source/ui/SourcePage.cpp:2: runs sideways from source/ui to goldsource/ui"}},
        Case{"config/Configuration.cpp", "\"script/ScriptLines.h\"",
            {"config/Configuration.cpp:2: runs up from config to script"}},
        Case{
            "batchrun/Runner.cpp", "\"platform/Shell.h\"", {"batchrun/Runner.cpp:2: batchrun uses only base, insight"}},
        Case{"insight/StageReader.cpp", "\"batchrun/Runner.h\"", {"insight/StageReader.cpp:2: insight uses only base"}},
        Case{"decompile/Provision.cpp", "\"bsptwomap/Bsp.h\"",
            {"decompile/Provision.cpp:2: decompile must not include the program bsptwomap"}},
        Case{"compile/main.cpp", "\"goldsource/ui/GoldSourcePage.h\"",
            {"compile/main.cpp:2: compile uses only base, platform, config, look, script, goldsource, source, "
             "presets, decompile, editor, settings, batchrun, insight"}},
        Case{"batchrun/Runner.cpp", "\"compile/UnattendedHost.h\"",
            {"batchrun/Runner.cpp:2: batchrun uses only base, insight"}},
        Case{"app/MainWindow.cpp", "\"compile/Arguments.h\"",
            {"app/MainWindow.cpp:2: app must not include the program compile"}}));

} // namespace
