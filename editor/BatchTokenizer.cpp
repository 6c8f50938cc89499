#include "editor/BatchTokenizer.h"

#include <array>
#include <cstdint>

namespace ferrowind {

namespace {

// What the first character of a token decides; one entry per byte value, worked out at compile time.
enum class Rule : std::uint8_t {
    CarriageReturn,
    LineFeed,
    Blank,
    Percent,
    Digit,
    Colon,
    LetterR,
    Letter,
    Other
};

constexpr bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Control characters and the blank, apart from the line breaks. An embedded NUL counts as one of them: the
// line's end is its length, so the text after a NUL is still coloured.
constexpr bool isBlank(unsigned char c) { return c <= ' ' && c != '\r' && c != '\n'; }

constexpr std::array<bool, 256> makeWordTable()
{
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = isDigit(c) || isLetter(c) || c == '_';
    return table;
}
constexpr std::array<bool, 256> kWordByte = makeWordTable();

constexpr std::array<Rule, 256> makeRuleTable()
{
    std::array<Rule, 256> table{};
    for (int c = 0; c < 256; ++c) {
        if (c == '\r')
            table[c] = Rule::CarriageReturn;
        else if (c == '\n')
            table[c] = Rule::LineFeed;
        else if (isBlank(c))
            table[c] = Rule::Blank;
        else if (c == '%')
            table[c] = Rule::Percent;
        else if (isDigit(c))
            table[c] = Rule::Digit;
        else if (c == ':')
            table[c] = Rule::Colon;
        else if (c == 'R' || c == 'r')
            table[c] = Rule::LetterR;
        else if (isLetter(c) || c == '_')
            table[c] = Rule::Letter;
        else
            table[c] = Rule::Other;
    }
    return table;
}
constexpr std::array<Rule, 256> kRules = makeRuleTable();

constexpr std::array<std::string_view, 21> kKeywords = {"call", "cd", "cls", "copy", "del", "do", "echo", "errorlevel",
    "exist", "for", "goto", "if", "in", "not", "off", "on", "pause", "set", "shift", "start", "title"};

// Keywords by a hash of first letter, last letter and length, in an open table: a lookup costs one hash and
// usually one comparison.
constexpr size_t kKeywordSlots = 64;
constexpr size_t kLongestKeyword = 10;

constexpr size_t keywordHash(std::string_view word)
{
    const auto first = static_cast<unsigned char>(lower(word.front()));
    const auto last = static_cast<unsigned char>(lower(word.back()));
    return (first * 7u + last * 3u + word.size()) % kKeywordSlots;
}

constexpr std::array<std::string_view, kKeywordSlots> makeKeywordTable()
{
    std::array<std::string_view, kKeywordSlots> table{};
    for (std::string_view keyword : kKeywords) {
        size_t slot = keywordHash(keyword);
        while (!table[slot].empty())
            slot = (slot + 1) % kKeywordSlots;
        table[slot] = keyword;
    }
    return table;
}
constexpr std::array<std::string_view, kKeywordSlots> kKeywordTable = makeKeywordTable();

bool equalsLowered(std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (lower(word[i]) != keyword[i])
            return false;
    }
    return true;
}

size_t skipWord(std::string_view line, size_t pos)
{
    while (pos < line.size() && kWordByte[static_cast<unsigned char>(line[pos])])
        ++pos;
    return pos;
}

// A comment runs to the line break or the end of the text.
size_t commentEnd(std::string_view line, size_t pos)
{
    while (pos < line.size() && line[pos] != '\r' && line[pos] != '\n')
        ++pos;
    return pos;
}

// "rem" followed by a blank, a control character or the end of the text.
bool startsRemComment(std::string_view line, size_t pos)
{
    return pos + 2 < line.size() && lower(line[pos + 1]) == 'e' && lower(line[pos + 2]) == 'm' &&
        (pos + 3 == line.size() || static_cast<unsigned char>(line[pos + 3]) <= ' ');
}

// One character: a whole UTF-8 sequence, or a single byte where the bytes do not form one.
size_t characterLength(std::string_view line, size_t pos)
{
    const auto lead = static_cast<unsigned char>(line[pos]);
    const size_t length = lead >= 0xF5 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (length > line.size() - pos)
        return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(line[pos + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

} // namespace

bool isBatchKeyword(std::string_view word)
{
    if (word.empty() || word.size() > kLongestKeyword)
        return false;
    for (size_t slot = keywordHash(word); !kKeywordTable[slot].empty(); slot = (slot + 1) % kKeywordSlots) {
        if (equalsLowered(word, kKeywordTable[slot]))
            return true;
    }
    return false;
}

void tokenizeBatchLine(std::string_view line, std::vector<BatchToken>& tokens)
{
    tokens.clear();
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t start = pos;
        BatchTokenKind kind = BatchTokenKind::Other;
        switch (kRules[static_cast<unsigned char>(line[pos])]) {
        case Rule::CarriageReturn:
            ++pos;
            if (pos < line.size() && line[pos] == '\n')
                ++pos;
            kind = BatchTokenKind::Space;
            break;
        case Rule::LineFeed:
            ++pos;
            kind = BatchTokenKind::Space;
            break;
        case Rule::Blank:
            while (pos < line.size() && isBlank(static_cast<unsigned char>(line[pos])))
                ++pos;
            kind = BatchTokenKind::Space;
            break;
        case Rule::Percent:
            pos = skipWord(line, pos + 1);
            if (pos < line.size() && line[pos] == '%')
                ++pos;
            kind = BatchTokenKind::Variable;
            break;
        case Rule::Digit:
            ++pos;
            while (pos < line.size() && (isDigit(line[pos]) || line[pos] == '.'))
                ++pos;
            kind = BatchTokenKind::Number;
            break;
        case Rule::Colon:
            if (pos + 1 < line.size() && line[pos + 1] == ':') {
                pos = commentEnd(line, pos);
                kind = BatchTokenKind::Comment;
            } else {
                ++pos;
                kind = BatchTokenKind::Identifier;
            }
            break;
        case Rule::LetterR:
            if (startsRemComment(line, pos)) {
                pos = commentEnd(line, pos);
                kind = BatchTokenKind::Comment;
                break;
            }
            [[fallthrough]];
        case Rule::Letter:
            pos = skipWord(line, pos);
            kind = isBatchKeyword(line.substr(start, pos - start)) ? BatchTokenKind::Key : BatchTokenKind::Identifier;
            break;
        case Rule::Other:
            pos += characterLength(line, pos);
            kind = BatchTokenKind::Other;
            break;
        }
        tokens.push_back({start, pos - start, kind});
    }
    tokens.push_back({line.size(), 0, BatchTokenKind::Null});
}

} // namespace ferrowind
