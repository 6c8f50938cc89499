#include "batchrun/Words.h"

namespace batchrun {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDelimiter(char c) { return isBlank(c) || c == ',' || c == ';' || c == '='; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view trimLeadingDelimiters(std::string_view text)
{
    while (!text.empty() && isDelimiter(text.front()))
        text.remove_prefix(1);
    return text;
}

ProgramWord splitProgramWord(std::string_view text)
{
    text = trimBlanks(text);
    ProgramWord word;
    size_t end = 0;
    if (!text.empty() && text.front() == '"') {
        const size_t close = text.find('"', 1);
        end = close == std::string_view::npos ? text.size() : close + 1;
        word.program = std::string(text.substr(1, (close == std::string_view::npos ? text.size() : close) - 1));
    } else {
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        word.program = std::string(text.substr(0, end));
    }
    word.arguments = std::string(trimBlanks(text.substr(end)));
    return word;
}

std::vector<std::string> splitProgramArguments(std::string_view text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!quoted && isBlank(c)) {
            if (inWord)
                arguments.push_back(std::move(current));
            current.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            size_t count = 0;
            while (i < text.size() && text[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1)
                    current += '"';
                else
                    --i; // the quote is handled by the next round
            } else {
                current.append(count, '\\');
                --i;
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        current += c;
    }
    if (inWord)
        arguments.push_back(std::move(current));
    return arguments;
}

std::vector<std::string> splitCommandWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string current;
    bool inWord = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            current += c;
            inWord = true;
        } else if (!quoted && isDelimiter(c)) {
            if (inWord)
                words.push_back(std::move(current));
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(current));
    return words;
}

bool isSwitch(std::string_view word)
{
    if (word.size() == 3 && word[1] == '-')
        word.remove_prefix(1);
    return word.size() == 2 && word[0] == '/' && word[1] != '"';
}

std::string withoutQuotes(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '"')
            result += c;
    }
    return result;
}

} // namespace batchrun
