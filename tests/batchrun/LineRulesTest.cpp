#include "batchrun/Expansion.h"
#include "batchrun/Parser.h"
#include "batchrun/Script.h"
#include "batchrun/Words.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace batchrun;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string expand(std::string_view line, const Environment& environment,
    const std::vector<std::string>& arguments = {"script.bat"}, int errorLevel = 0)
{
    return expandLine(line, {environment, arguments, "/work/maps", errorLevel});
}

} // namespace

TEST(ProgramArguments, FollowTheWindowsQuoteAndBackslashRules)
{
    EXPECT_THAT(splitProgramArguments(R"("/maps/my box.map" -wadinclude x)"),
        ElementsAre("/maps/my box.map", "-wadinclude", "x"));
    EXPECT_THAT(splitProgramArguments(R"(a\\b \"c\" d\\\"e "f\\" g)"),
        ElementsAre(R"(a\\b)", R"("c")", R"(d\"e)", R"(f\)", "g"));
    EXPECT_THAT(splitProgramArguments(R"("say ""hi""" "" x"y"z)"), ElementsAre(R"(say "hi")", "", "xyz"));
    EXPECT_THAT(splitProgramArguments("  \t "), IsEmpty());
}

TEST(ProgramArguments, FirstWordIsTheProgramQuotedOrNot)
{
    const ProgramWord quoted = splitProgramWord(R"( "/tools/my tool" "/maps/box.map"  -full )");
    EXPECT_EQ(quoted.program, "/tools/my tool");
    EXPECT_EQ(quoted.arguments, R"("/maps/box.map"  -full)");
    EXPECT_EQ(splitProgramWord(R"(C:\tools\hlvis.exe x)").program, R"(C:\tools\hlvis.exe)");
}

TEST(CommandWords, SplitOnDelimitersAndKeepQuotedSwitchesAsPaths)
{
    const std::vector<std::string> words = splitCommandWords(R"(/Y "/maps/a b.bsp",x;y=z "/s")");
    EXPECT_THAT(words, ElementsAre("/Y", R"("/maps/a b.bsp")", "x", "y", "z", R"("/s")"));
    EXPECT_TRUE(isSwitch(words[0]));
    EXPECT_FALSE(isSwitch(words[5]));
}

TEST(Expansion, ReplacesVariablesIgnoringCaseAndDropsWhatIsUndefined)
{
    Environment environment;
    environment.set("MapName", "box");
    EXPECT_EQ(expand("title [%MAPNAME%] %mapname%", environment), "title [box] box");
    EXPECT_EQ(expand("echo [%NOPE%] 100%% 50%", environment), "echo [] 100% 50");
    EXPECT_EQ(expand("echo %%MAPNAME%%", environment), "echo %MAPNAME%");
    EXPECT_EQ(expand("level %ERRORLEVEL% in %cd%", environment, {"s.bat"}, 3), "level 3 in /work/maps");
}

TEST(Expansion, GivesScriptArgumentsAndTheirPathParts)
{
    const Environment environment;
    const std::vector<std::string> arguments{"/tools/run.bat", R"("/maps/my box.map")", "-x"};
    EXPECT_EQ(expand("%1 %~1 %2 %3|%*", environment, arguments),
        R"("/maps/my box.map" /maps/my box.map -x |"/maps/my box.map" -x)");
    EXPECT_EQ(expand("%~dp0|%~nx1|%~n1|%~x1", environment, arguments), "/tools/|my box.map|my box|.map");
    EXPECT_EQ(expand("%~f1", environment, {"s.bat", "sub/../box.map"}), "/work/maps/box.map");
}

TEST(Parser, CaretsEscapeOutsideQuotesOnly)
{
    const ParsedLine parsed = parseLine(R"(echo a^&b "c^&d & e" ^^)");
    ASSERT_EQ(parsed.commands.size(), 1u);
    EXPECT_EQ(parsed.commands[0].text, R"(echo a&b "c^&d & e" ^)");
}

TEST(Parser, SplitsChainsAndKeepsOperatorsForTheRunner)
{
    const ParsedLine parsed = parseLine("@echo a & echo b && echo c || echo d");
    ASSERT_EQ(parsed.commands.size(), 4u);
    EXPECT_TRUE(parsed.commands[0].quiet);
    EXPECT_EQ(parsed.commands[0].text, "echo a ");
    EXPECT_EQ(parsed.commands[0].next, Chain::Always);
    EXPECT_EQ(parsed.commands[1].next, Chain::OnSuccess);
    EXPECT_EQ(parsed.commands[2].next, Chain::OnFailure);
    EXPECT_EQ(parsed.commands[3].text, "echo d");
}

TEST(Parser, IfOwnsTheRestOfTheLineAndNests)
{
    const ParsedLine parsed = parseLine(R"(if 3==3 if not exist "/maps/a b.log" echo x & echo y)");
    ASSERT_EQ(parsed.commands.size(), 1u);
    const Command& outer = parsed.commands[0];
    ASSERT_TRUE(outer.condition);
    EXPECT_EQ(outer.condition->kind, Condition::Kind::Compare);
    EXPECT_EQ(outer.condition->left, "3");
    EXPECT_EQ(outer.condition->right, "3");
    ASSERT_EQ(outer.body.size(), 1u);
    const Command& inner = outer.body[0];
    ASSERT_TRUE(inner.condition);
    EXPECT_TRUE(inner.condition->negated);
    EXPECT_EQ(inner.condition->kind, Condition::Kind::Exist);
    EXPECT_EQ(inner.condition->left, R"("/maps/a b.log")");
    ASSERT_EQ(inner.body.size(), 2u);
    EXPECT_EQ(inner.body[1].text, "echo y");
}

TEST(Parser, ConditionsAndTheirSyntaxErrors)
{
    const ParsedLine level = parseLine("IF /I Not ERRORLEVEL 1 goto X");
    ASSERT_EQ(level.commands.size(), 1u);
    EXPECT_TRUE(level.commands[0].condition->ignoreCase);
    EXPECT_EQ(level.commands[0].condition->kind, Condition::Kind::ErrorLevel);
    EXPECT_EQ(parseLine(R"(if "a b" == "a b" echo)").commands[0].condition->right, R"("a b")");
    EXPECT_FALSE(parseLine("if ==1 exit").syntaxError.empty());
    EXPECT_FALSE(parseLine("if a==b").syntaxError.empty());
}

TEST(Parser, RemarksHideOperatorsAndUnsupportedConstructsAreNamed)
{
    const ParsedLine remark = parseLine("rem a & echo b");
    ASSERT_EQ(remark.commands.size(), 1u);
    EXPECT_EQ(remark.commands[0].text, "rem a & echo b");
    EXPECT_FALSE(parseLine("echo a > out.txt").commands[0].unsupported.empty());
    EXPECT_FALSE(parseLine("echo a | more").commands[0].unsupported.empty());
    EXPECT_TRUE(parseLine(R"(echo "a > b | c")").commands[0].unsupported.empty());
}

TEST(Script, StripsCarriageReturnsAndFindsLabelsIgnoringCaseAndTrailingText)
{
    const Script script = Script::fromText(":Top\r\necho a\r\n  :SELECT item menu\r\n:top\r\necho b");
    EXPECT_THAT(script.lines(), ElementsAre(":Top", "echo a", "  :SELECT item menu", ":top", "echo b"));
    EXPECT_EQ(script.findLabel("select", 0), 3u);
    EXPECT_EQ(script.findLabel("TOP", 2), 4u);
    EXPECT_EQ(script.findLabel("TOP", 4), 1u);
    EXPECT_FALSE(script.findLabel("missing", 0));
}
