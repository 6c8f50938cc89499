#include "editor/BatchTokenizer.h"

#include "support/Golden.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace ferrowind;

namespace {

const char* kindName(BatchTokenKind kind)
{
    static const char* const kNames[] = {
        "Comment", "Identifier", "Key", "Null", "Number", "Space", "Other", "Variable"};
    return kNames[static_cast<int>(kind)];
}

// Bytes as readable text: printable ASCII as it is, everything else escaped; long runs shortened.
std::string shown(std::string_view bytes)
{
    constexpr size_t kShownBytes = 40;
    std::string text = "\"";
    for (const char c : bytes.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\' || byte == '"')
            text += std::string("\\") + c;
        else if (byte >= 0x20 && byte < 0x7F)
            text += c;
        else {
            static const char* const kHex = "0123456789abcdef";
            text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        }
    }
    text += "\"";
    if (bytes.size() > kShownBytes)
        text += "... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

struct InputLine {
    std::string note; // a heading in the input, carried into the token list
    std::string text;
};

// A written script: lines ended by CR LF.
std::vector<InputLine> scriptLines(const std::string& bytes)
{
    std::vector<InputLine> lines;
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
        lines.push_back({{}, bytes.substr(start, end - start)});
        start = end + 2;
    }
    if (start != bytes.size())
        lines.push_back({{}, bytes.substr(start)});
    return lines;
}

// One line per file line with \\ \t \r \n \0 \xHH escapes; "## " lines are headings.
std::vector<InputLine> escapedLines(const std::string& bytes)
{
    std::vector<InputLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string raw = bytes.substr(start, end - start);
        start = end + 1;
        if (raw.rfind("## ", 0) == 0) {
            lines.push_back({raw.substr(3), {}});
            continue;
        }
        std::string text;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\') {
                text += raw[i];
                continue;
            }
            const char code = i + 1 < raw.size() ? raw[++i] : '?';
            switch (code) {
            case '\\': text += '\\'; break;
            case 't': text += '\t'; break;
            case 'r': text += '\r'; break;
            case 'n': text += '\n'; break;
            case '0': text += '\0'; break;
            case 'x':
                text += static_cast<char>(std::stoi(raw.substr(i + 1, 2), nullptr, 16));
                i += 2;
                break;
            default: ADD_FAILURE() << "unknown escape \\" << code << " in: " << raw;
            }
        }
        lines.push_back({{}, text});
    }
    return lines;
}

std::string tokenList(const std::vector<InputLine>& lines)
{
    std::string list;
    std::vector<BatchToken> tokens;
    int number = 0;
    for (const InputLine& line : lines) {
        if (!line.note.empty()) {
            list += "## " + line.note + "\n";
            continue;
        }
        list += "line " + std::to_string(number++) + ": " + shown(line.text) + "\n";
        tokenizeBatchLine(line.text, tokens);
        for (const BatchToken& token : tokens) {
            list += "  " + std::to_string(token.start) + " " + std::to_string(token.length) + " " +
                kindName(token.kind) + " " + shown(std::string_view(line.text).substr(token.start, token.length)) +
                "\n";
        }
    }
    return list;
}

struct GoldenTokens {
    const char* input;
    bool escaped; // an escaped test input rather than a written script
    const char* expected;
};

class TokenGolden : public testing::TestWithParam<GoldenTokens> {};

TEST_P(TokenGolden, MatchesTheExpectedTokenList)
{
    const GoldenTokens& golden = GetParam();
    const std::string bytes = readBytes(goldenPath(golden.input));
    ASSERT_FALSE(bytes.empty()) << golden.input;
    expectGolden(golden.expected, tokenList(golden.escaped ? escapedLines(bytes) : scriptLines(bytes)));
}

INSTANTIATE_TEST_SUITE_P(Golden, TokenGolden,
    testing::Values(GoldenTokens{"goldsource_every_flag.bat", false, "tokens_goldsource_every_flag.txt"},
        GoldenTokens{"source_every_flag.bat", false, "tokens_source_every_flag.txt"},
        GoldenTokens{"tokens_edge_cases_input.txt", true, "tokens_edge_cases.txt"},
        GoldenTokens{"tokens_hostile_input.txt", true, "tokens_hostile.txt"}),
    [](const testing::TestParamInfo<GoldenTokens>& info) {
        std::string name = info.param.expected;
        name = name.substr(0, name.find('.'));
        return name;
    });

// Whatever the bytes, the tokens cover the line end to end, each of them non-empty, and end in one Null.
TEST(BatchTokenizer, TokensCoverAnyLineWithoutGaps)
{
    std::mt19937 random(12);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 64);
    std::vector<BatchToken> tokens;
    for (int round = 0; round < 2000; ++round) {
        std::string line(length(random), '\0');
        for (char& c : line)
            c = static_cast<char>(byte(random));
        tokenizeBatchLine(line, tokens);
        size_t position = 0;
        for (size_t i = 0; i + 1 < tokens.size(); ++i) {
            ASSERT_EQ(tokens[i].start, position) << shown(line);
            ASSERT_GT(tokens[i].length, 0u) << shown(line);
            ASSERT_NE(tokens[i].kind, BatchTokenKind::Null) << shown(line);
            position += tokens[i].length;
        }
        ASSERT_EQ(tokens.back(), (BatchToken{line.size(), 0, BatchTokenKind::Null})) << shown(line);
    }
}

} // namespace
