// The rule tables' format, and the Source tools' messages (no Source tools here: samples typed from their
// documented output).
#include "insight/RuleTable.h"
#include "insight/StageReader.h"

#include <gtest/gtest.h>

namespace {

using insight::RuleTable;
using insight::ToolFamily;

TEST(RuleTable, BuiltInTablesParseAndExplainEveryReportedRule)
{
    for (const ToolFamily family : {ToolFamily::GoldSource, ToolFamily::Source}) {
        const RuleTable& table = RuleTable::builtIn(family);
        EXPECT_GT(table.rules().size(), 10u);
        for (const char* id : {"leak", "leak-entity", "limit-high", "tool-error", "tool-warning"})
            EXPECT_TRUE(table.find(id)) << insight::familyName(family) << " " << id;
    }
}

TEST(RuleTable, MalformedTablesNameTheirLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"severity error\n", "line 1"},
        {"rule a\nseverity fatal\n", "line 2"},
        {"rule a\nmatch x {nothing} y\n", "line 2"},
        {"rule a\nmatch x {entity\n", "line 2"},
        {"rule a\nmatch x {entity}{brush}\n", "line 2"},
        {"rule a\ncolour red\n", "line 2"},
        {"rule a\nexplain e\nadvice a\nrule a\n", "line 4"},
        {"rule a\nmatch x\n", "needs its explanation"},
    };
    for (const auto& [text, expected] : cases) {
        try {
            RuleTable::parse(text);
            ADD_FAILURE() << text << " was taken";
        } catch (const insight::RuleError& error) {
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << text << ": " << error.what();
        }
    }
}

TEST(RuleTable, HolesTakeAsLittleAsTheyCanAndTheWholeLineMustMatch)
{
    const RuleTable table = RuleTable::parse("rule a\nmatch E {entity}, B {brush}: {name}\nexplain e\nadvice a\n"
                                             "rule star\nmatch \\*\\* {name} \\*\\*\nexplain e\nadvice a\n");
    insight::Location at;
    ASSERT_TRUE(table.match("  E 1, B 2: x, B 3: y  ", "", at));
    EXPECT_EQ(at.entity, "1");
    EXPECT_EQ(at.brush, "2");
    EXPECT_EQ(at.name, "x, B 3: y");
    EXPECT_FALSE(table.match("E 1, B 2 and more", "", at));
    EXPECT_FALSE(table.match("", "", at));
    ASSERT_TRUE(table.match("** leaked **", "", at));
    EXPECT_EQ(at.name, "leaked");
}

TEST(RuleTable, ALineBuiltToMatchInManyWaysEndsQuickly)
{
    // Each of the five holes of the "outside world" rule could end at each of the repeats, and the line's end
    // never matches: tried in full, that is some 100^5 ways for each line.
    std::string line = "Error: Entity 1";
    for (int i = 0; i < 100; ++i)
        line += ", Brush 2: outside world(3): (4)-(5";
    insight::StageReader reader(RuleTable::builtIn(ToolFamily::GoldSource), "csg");
    for (int i = 0; i < 100; ++i)
        reader.feed(line + "\n");
    reader.finish();
    ASSERT_EQ(reader.findings().problems.size(), 1u);
    EXPECT_EQ(reader.findings().problems[0].rule, "tool-error");
    EXPECT_EQ(reader.findings().problems[0].count, 100u);
}

TEST(RuleTable, SourceToolsMessages)
{
    struct Case {
        const char* stage;
        const char* output;
        const char* rule;
    };
    const Case cases[] = {
        {"bsp", "material \"DEV/NOSUCH\" not found\n", "material-not-found"},
        {"bsp", "Brush 12: WARNING, microbrush\n", "brush-solid-error"},
        {"bsp", "Error! Brush entity 4 has no brushes!\n", "brush-entity-no-brushes"},
        {"vis", "Error opening maps/room.prt\n", "vis-no-portals"},
        {"rad", "Warning: No lights in map\n", "no-lights"},
        {"bsp", "Error: Exceeded MAX_MAP_BRUSHES\n", "exceeded-limit"},
        {"rad", "Warning: Too many light styles on a face at (1 2 3)\n", "lightmap-too-large"},
        {"bsp", "WARNING: odd thing\n", "tool-warning"},
    };
    for (const Case& c : cases) {
        insight::StageReader reader(RuleTable::builtIn(ToolFamily::Source), c.stage);
        reader.feed(c.output);
        reader.finish();
        ASSERT_EQ(reader.findings().problems.size(), 1u) << c.output;
        EXPECT_EQ(reader.findings().problems[0].rule, c.rule) << c.output;
    }
}

TEST(RuleTable, SourceLeak)
{
    insight::StageReader reader(RuleTable::builtIn(ToolFamily::Source), "bsp");
    reader.feed("Processing areas...done (0)\n**** leaked ****\nEntity info_player_start (-64.00 -64.00 36.00) "
                "leaked!\nWriting maps\\room.lin...\n");
    reader.finish();
    ASSERT_TRUE(reader.findings().leak);
    EXPECT_EQ(reader.findings().leak->entity, "info_player_start");
    EXPECT_EQ(reader.findings().leak->origin, "-64.00 -64.00 36.00");
    EXPECT_EQ(reader.findings().leak->lineFile, "maps\\room.lin");
    EXPECT_TRUE(reader.findings().failed);
    EXPECT_NE(reader.findings().failure.find("info_player_start"), std::string::npos);
}

} // namespace
