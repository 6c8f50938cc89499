#include "script/ScriptWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using namespace ferrowind;

namespace {

using ::testing::HasSubstr;

struct PieceCase {
    const char* kind;
    std::function<Piece()> piece;
    std::string written; // "" when refused
    std::string refusal = {}; // part of the refusal's message
};

// Each piece type's rule, over the values that break scripts: % expands, ^ & | < > run or redirect,
// a double quote ends the quoting, a line break ends the line.
std::vector<PieceCase> pieceCases()
{
    return {
        {"quoted path", [] { return Piece::quotedPath("/R&D 50%/<a>|^b!"); }, "\"/R&D 50%%/<a>|^b!\""},
        {"quoted path", [] { return Piece::quotedPath("/p%HOME%q"); }, "\"/p%%HOME%%q\""},
        {"quoted path", [] { return Piece::quotedPath("/caf\xC3\xA9/\xFF"); }, "\"/caf\xC3\xA9/\xFF\""},
        {"quoted path", [] { return Piece::quotedPath("/q\" & touch Y & \""); }, "", "holds a double quote"},
        {"quoted path", [] { return Piece::quotedPath("/a\nb"); }, "", "holds a line break"},
        {"quoted path", [] { return Piece::quotedPath("/a\rb"); }, "", "holds a line break"},
        {"quoted path", [] { return Piece::quotedPath("/a\x1a"); }, "", "holds a control character"},
        {"bare path", [] { return Piece::barePath("/R&D 50%/<a>|^b"); }, "/R^&D 50%%/^<a^>^|^^b"},
        {"bare path", [] { return Piece::barePath("/\"a\""); }, "", "holds a double quote"},
        {"file name", [] { return Piece::fileName("50%box", "/R&D/50%box.map", "map file"); }, "50%%box"},
        {"file name", [] { return Piece::fileName("t&x", "/maps/t&x.bsp", "BSP file"); }, "",
            "The BSP file name holds the character \"&\", which a decompile script cannot carry.\r\n"
            "Please rename the BSP file."},
        {"file name", [] { return Piece::fileName("a", "/maps/a^.map", "map file"); }, "", "character \"^\""},
        {"file name", [] { return Piece::fileName("a", "/maps/a\nb.map", "map file"); }, "", "holds a line break"},
        {"file name", [] { return Piece::fileName("a\\", "/maps/a\\.vmf", "map file"); }, "",
            "The map file name ends in a backslash"},
        {"parameters", [] { return Piece::parameters("-x \"a & b\" & c %MAPNAME% ^"); },
            "-x \"a & b\" & c %MAPNAME% ^"},
        {"parameters", [] { return Piece::parameters("-x\n& evil"); }, "", "hold a line break"},
        {"shown parameters", [] { return Piece::shownParameters("-a && b || c | d < e > f ^ g"); },
            "-a ^&^& b ^|^| c ^| d ^< e ^> f ^^ g"},
        {"shown parameters", [] { return Piece::shownParameters("-wad \"a & b\" & c"); }, "-wad \"a & b\" ^& c"},
        {"shown parameters", [] { return Piece::shownParameters("-open \"a & b"); }, "-open \"a & b"},
        {"shown parameters", [] { return Piece::shownParameters("+map %MAPNAME% 50%"); }, "+map %MAPNAME% 50%"},
        {"text", [] { return Piece::text("a\"b & 50%\n"); }, "a^\"b ^& 50%% "},
        {"colour", [] { return Piece::colour("1e"); }, "1e"},
        {"colour", [] { return Piece::colour("0 & x"); }, "", "not two hexadecimal digits"},
        {"number", [] { return Piece::number(12); }, "12"},
    };
}

TEST(ScriptWriterTest, EachPieceTypeEscapesOrRefusesByItsOwnRule)
{
    for (const PieceCase& c : pieceCases()) {
        SCOPED_TRACE(std::string(c.kind) + ": " + c.written + c.refusal);
        if (c.refusal.empty()) {
            EXPECT_EQ(c.piece().render("decompile"), c.written);
            continue;
        }
        try {
            (void)c.piece().render("decompile");
            ADD_FAILURE() << "not refused";
        } catch (const ScriptRefusal& refusal) {
            EXPECT_THAT(refusal.what(), HasSubstr(c.refusal));
            EXPECT_THAT(refusal.what(), HasSubstr(", which a decompile script cannot carry.\r\nPlease "));
        }
    }
}

TEST(ScriptWriterTest, ALineIsItsPiecesAndARefusedPieceAddsNoLine)
{
    ScriptWriter script("compile");
    script.line("@echo off");
    script.line({"set MAPFILE=", Piece::quotedPath("/m 100%/box.map"), " ", Piece::number(3)});
    EXPECT_THROW(script.line({"echo ", Piece::quotedPath("/m\"")}), ScriptRefusal);
    EXPECT_EQ(script.lines(), (ScriptLines{"@echo off", "set MAPFILE=\"/m 100%%/box.map\" 3"}));
    EXPECT_EQ(refusalOf([] { ScriptWriter("compile").line(Piece::barePath("\n")); }).value_or(""),
        "The path \n holds a line break, which a compile script cannot carry.\r\nPlease correct the path.");
    EXPECT_EQ(refusalOf([] {}), std::nullopt);
}

TEST(ScriptWriterTest, CommandCharactersCountOutsideQuotesOnly)
{
    EXPECT_EQ(commandCharacterOutsideQuotes("-x \"a & b\" -y"), std::nullopt);
    EXPECT_EQ(commandCharacterOutsideQuotes("-x \"a\" | b"), '|');
    EXPECT_EQ(commandCharacterOutsideQuotes("-open \"a & b"), std::nullopt);
    for (char c : {'&', '|', '<', '>', '^'})
        EXPECT_EQ(commandCharacterOutsideQuotes(std::string("-x ") + c), c);
}

} // namespace
