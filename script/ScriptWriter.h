#pragma once

#include "script/ScriptLines.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The one way a value gets into a generated script. A line is made of typed pieces; each type is escaped or
// refused by its own rule here, and a generator has no way to append a raw string.
namespace ferrowind {

// A value that a script cannot carry; what() is the message for the user.
class ScriptRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Piece {
public:
    // The generator's own text: only a string literal (or a constant array of one) converts, so no value of
    // the user's can pass for fixed text.
    template <std::size_t N> constexpr Piece(const char (&fixed)[N]) : text_(fixed, N - 1) {}

    static Piece number(int value);
    // A word of ASCII letters and digits (a stage's name, "CSG"); written in lower case when `lower`.
    static Piece word(std::string_view text, bool lower = false);
    // A console colour code: exactly two hexadecimal digits.
    static Piece colour(std::string_view code);
    // A path written in double quotes: % doubled. Refused: a double quote, a line break, a control character.
    static Piece quotedPath(std::string_view path);
    // A variable set to a path, quoted whole as the interpreter's `set "NAME=value"` form: the value keeps no
    // quotes, so programs reading the variable get the path itself. The path as for quotedPath; `name` a word.
    static Piece quotedAssignment(std::string_view name, std::string_view path);
    // A path written outside quotes (echo, an unquoted set): % doubled, ^ & | < > escaped with ^. Refused as
    // a quoted path.
    static Piece barePath(std::string_view path);
    // `name` (a file name, or the map name made from it) written outside quotes into a place the script
    // expands again unquoted (a variable, a title), where no escape survives: refused when the file name part
    // of `path` holds ^ & | < >, when `name` ends in a backslash, or when `path` is refused as a path; % doubled.
    // `subject` names the file for the user ("map file").
    static Piece fileName(std::string_view name, std::string_view path, const char* subject);
    // The user's parameters on a tool's command line, written as they are: quotes, % variables and even
    // command characters are theirs to use. Refused: a line break or another control character.
    static Piece parameters(std::string_view text);
    // Parameters as an echo line prints them: ^ & | < > outside double quotes escaped, % left alone so that
    // the line shows what the tool line expands. Refused as parameters.
    static Piece shownParameters(std::string_view text);
    // Free text in an echo line (a date, an address): never refused. % doubled, ^ & | < > and double quotes
    // escaped with ^, control characters written as blanks.
    static Piece text(std::string_view text);

    // The piece as it stands in a line of a `scriptKind` script ("compile"); throws ScriptRefusal.
    std::string render(std::string_view scriptKind) const;

private:
    enum class Kind {
        Fixed,
        Number,
        Word,
        LowerWord,
        Colour,
        QuotedPath,
        QuotedAssignment,
        BarePath,
        FileName,
        Parameters,
        ShownParameters,
        Text,
    };
    Piece(Kind kind, std::string_view text) : kind_(kind), text_(text) {}

    Kind kind_ = Kind::Fixed;
    std::string_view text_; // pieces live for one line: the text outlives them
    std::string_view path_;
    const char* subject_ = "";
    int number_ = 0;
};

// Builds a script line by line. The first refused piece throws ScriptRefusal, so a script is either whole
// and safe or not made at all.
class ScriptWriter {
public:
    // `scriptKind` names the script in refusals: "compile", "decompile".
    explicit ScriptWriter(const char* scriptKind) : kind_(scriptKind) {}

    void line(Piece piece);
    void line(std::initializer_list<Piece> pieces);

    const ScriptLines& lines() const { return lines_; }
    // The index the next line gets.
    size_t nextLine() const { return lines_.size(); }
    ScriptLines take() { return std::move(lines_); }

private:
    const char* kind_;
    ScriptLines lines_;
};

// The characters that join, pipe or redirect commands when they stand outside double quotes.
bool isCommandCharacter(char c);

// The first command character that stands outside double quotes in `text`, as the interpreter reads it.
std::optional<char> commandCharacterOutsideQuotes(std::string_view text);

// Runs a generator; its refusal message, or nothing when the script could be made.
template <class Generate> std::optional<std::string> refusalOf(Generate&& generate)
{
    try {
        generate();
    } catch (const ScriptRefusal& refusal) {
        return refusal.what();
    }
    return std::nullopt;
}

} // namespace ferrowind
