#include "script/ScriptWriter.h"

#include "base/Paths.h"
#include "base/Text.h"

#include <algorithm>

namespace ferrowind {

namespace {

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// A tab is a blank to the interpreter; every other control character is no text a user means to write.
bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }

// What in `text` no script line can carry: "" when nothing.
std::string_view unsafeInLine(std::string_view text)
{
    for (char c : text) {
        if (isLineBreak(c))
            return "a line break";
    }
    for (char c : text) {
        if (isControl(c))
            return "a control character";
    }
    return {};
}

std::string cannotCarry(std::string_view scriptKind)
{
    return ", which a " + std::string(scriptKind) + " script cannot carry.\r\n";
}

void refusePath(std::string_view path, std::string_view scriptKind)
{
    std::string_view what = path.find('"') != std::string_view::npos ? "a double quote" : unsafeInLine(path);
    if (!what.empty())
        throw ScriptRefusal("The path " + std::string(path) + " holds " + std::string(what) + cannotCarry(scriptKind) +
            "Please correct the path.");
}

void refuseParameters(std::string_view text, std::string_view scriptKind)
{
    if (const std::string_view what = unsafeInLine(text); !what.empty())
        throw ScriptRefusal("The parameters " + std::string(text) + " hold " + std::string(what) +
            cannotCarry(scriptKind) + "Please correct the parameters.");
}

std::string doublePercent(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return escaped;
}

std::string escapeUnquoted(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%')
            escaped += '%';
        else if (isCommandCharacter(c) || c == '"')
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

std::string escapeOutsideQuotes(std::string_view text)
{
    std::string escaped;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isCommandCharacter(c))
            escaped += '^';
        escaped += c;
    }
    return escaped;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

} // namespace

bool isCommandCharacter(char c) { return c == '^' || c == '&' || c == '|' || c == '<' || c == '>'; }

std::optional<char> commandCharacterOutsideQuotes(std::string_view text)
{
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isCommandCharacter(c))
            return c;
    }
    return std::nullopt;
}

Piece Piece::number(int value)
{
    Piece piece(Kind::Number, {});
    piece.number_ = value;
    return piece;
}

Piece Piece::word(std::string_view text, bool lower) { return {lower ? Kind::LowerWord : Kind::Word, text}; }

Piece Piece::colour(std::string_view code) { return {Kind::Colour, code}; }
Piece Piece::quotedPath(std::string_view path) { return {Kind::QuotedPath, path}; }
Piece Piece::barePath(std::string_view path) { return {Kind::BarePath, path}; }

Piece Piece::quotedAssignment(std::string_view name, std::string_view path)
{
    Piece piece(Kind::QuotedAssignment, name);
    piece.path_ = path;
    return piece;
}
Piece Piece::parameters(std::string_view text) { return {Kind::Parameters, text}; }
Piece Piece::shownParameters(std::string_view text) { return {Kind::ShownParameters, text}; }
Piece Piece::text(std::string_view text) { return {Kind::Text, text}; }

Piece Piece::fileName(std::string_view name, std::string_view path, const char* subject)
{
    Piece piece(Kind::FileName, name);
    piece.path_ = path;
    piece.subject_ = subject;
    return piece;
}

std::string Piece::render(std::string_view scriptKind) const
{
    switch (kind_) {
    case Kind::Fixed: return std::string(text_);
    case Kind::Number: return std::to_string(number_);
    case Kind::Word:
    case Kind::LowerWord: {
        const bool letters = !text_.empty() && std::all_of(text_.begin(), text_.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        });
        if (!letters)
            throw ScriptRefusal("The name " + std::string(text_) + " is not a word of letters and digits" +
                cannotCarry(scriptKind) + "Please report this to the program's maintainer.");
        return kind_ == Kind::LowerWord ? base::toLowerAscii(text_) : std::string(text_);
    }
    case Kind::Colour:
        if (text_.size() != 2 || !isHexDigit(text_[0]) || !isHexDigit(text_[1]))
            throw ScriptRefusal("The console colour " + std::string(text_) + " is not two hexadecimal digits" +
                cannotCarry(scriptKind) + "Please choose the console colours again.");
        return std::string(text_);
    case Kind::QuotedPath: refusePath(text_, scriptKind); return "\"" + doublePercent(text_) + "\"";
    case Kind::QuotedAssignment:
        refusePath(path_, scriptKind);
        return "\"" + Piece::word(text_).render(scriptKind) + "=" + doublePercent(path_) + "\"";
    case Kind::BarePath: refusePath(text_, scriptKind); return escapeUnquoted(text_);
    case Kind::FileName:
        refusePath(path_, scriptKind);
        for (char c : base::fileNamePart(path_)) {
            if (isCommandCharacter(c))
                throw ScriptRefusal("The " + std::string(subject_) + " name holds the character \"" +
                    std::string(1, c) + "\"" + cannotCarry(scriptKind) + "Please rename the " + subject_ + ".");
        }
        // Before a closing quote (`"%MAPPATH%"`) a backslash would escape the quote in a program's arguments.
        if (text_.ends_with('\\'))
            throw ScriptRefusal("The " + std::string(subject_) + " name ends in a backslash" + cannotCarry(scriptKind) +
                "Please rename the " + subject_ + ".");
        return doublePercent(text_);
    case Kind::Parameters: refuseParameters(text_, scriptKind); return std::string(text_);
    case Kind::ShownParameters: refuseParameters(text_, scriptKind); return escapeOutsideQuotes(text_);
    case Kind::Text: {
        std::string blanked(text_);
        for (char& c : blanked) {
            if (isControl(c))
                c = ' ';
        }
        return escapeUnquoted(blanked);
    }
    }
    return {};
}

void ScriptWriter::line(Piece piece) { lines_.push_back(piece.render(kind_)); }

void ScriptWriter::line(std::initializer_list<Piece> pieces)
{
    std::string text;
    for (const Piece& piece : pieces)
        text += piece.render(kind_);
    lines_.push_back(std::move(text));
}

} // namespace ferrowind
