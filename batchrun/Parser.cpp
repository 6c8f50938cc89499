#include "batchrun/Parser.h"

#include "base/Text.h"
#include "batchrun/Words.h"

namespace batchrun {

namespace {

// Deeper nesting is no script of ours; the limit keeps the work bounded and the stack small.
constexpr int kMaxIfDepth = 64;
constexpr const char* kSyntaxError = "The syntax of the command is incorrect.";
constexpr const char* kTooDeep = "ferrowind-cmd: more than 64 nested 'if' commands on one line; the script ends here.";

struct Segment {
    std::string text;
    Chain next = Chain::Always;
    std::string unsupported;
};

bool startsWithWord(std::string_view text, std::string_view word)
{
    return text.size() >= word.size() && base::equalsIgnoringCase(text.substr(0, word.size()), word) &&
        (text.size() == word.size() || isDelimiter(text[word.size()]));
}

// Leading blanks, delimiters and '@' signs before a command; reports whether an '@' was among them.
std::string_view skipCommandStart(std::string_view text, bool* quiet)
{
    for (;;) {
        text = trimLeadingDelimiters(text);
        if (text.empty() || text.front() != '@')
            return text;
        if (quiet)
            *quiet = true;
        text.remove_prefix(1);
    }
}

bool isRemark(std::string_view text)
{
    text = skipCommandStart(text, nullptr);
    return startsWithWord(text, "rem") ||
        (text.size() > 3 && base::equalsIgnoringCase(text.substr(0, 3), "rem") && text[3] == '/');
}

std::vector<Segment> splitSegments(std::string_view line)
{
    std::vector<Segment> segments(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        Segment& current = segments.back();
        if (current.text.empty() && !quoted && isRemark(line.substr(i))) {
            current.text = std::string(line.substr(i));
            break;
        }
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
            current.text += c;
        } else if (quoted) {
            current.text += c;
        } else if (c == '^') {
            if (i + 1 < line.size())
                current.text += line[++i];
        } else if (c == '&' || (c == '|' && i + 1 < line.size() && line[i + 1] == '|')) {
            const bool doubled = i + 1 < line.size() && line[i + 1] == c;
            current.next = c == '|' ? Chain::OnFailure : doubled ? Chain::OnSuccess : Chain::Always;
            if (doubled)
                ++i;
            segments.emplace_back();
        } else if (c == '|') {
            current.unsupported = "pipes ('|')";
            current.text += c;
        } else if (c == '<' || c == '>') {
            current.unsupported = "redirection ('<', '>')";
            current.text += c;
        } else {
            current.text += c;
        }
    }
    return segments;
}

std::string_view skipBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// One word of a condition: up to a delimiter, quoted parts kept whole.
std::string takeWord(std::string_view& text)
{
    text = trimLeadingDelimiters(text);
    size_t end = 0;
    bool quoted = false;
    while (end < text.size() && (quoted || !isDelimiter(text[end]))) {
        if (text[end] == '"')
            quoted = !quoted;
        ++end;
    }
    std::string word(text.substr(0, end));
    text.remove_prefix(end);
    return word;
}

// Left operand of a comparison ends at a blank or at "==".
std::string takeOperand(std::string_view& text)
{
    size_t end = 0;
    bool quoted = false;
    while (end < text.size()) {
        const char c = text[end];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (isBlank(c) || text.substr(end, 2) == "=="))
            break;
        ++end;
    }
    std::string operand(text.substr(0, end));
    text.remove_prefix(end);
    return operand;
}

bool parseCondition(std::string_view& text, Condition& condition)
{
    text = trimLeadingDelimiters(text);
    if (startsWithWord(text, "/i")) {
        condition.ignoreCase = true;
        text = trimLeadingDelimiters(text.substr(2));
    }
    if (startsWithWord(text, "not")) {
        condition.negated = true;
        text = trimLeadingDelimiters(text.substr(3));
    }
    using Kind = Condition::Kind;
    for (auto [word, kind] : {std::pair{"errorlevel", Kind::ErrorLevel}, std::pair{"exist", Kind::Exist},
             std::pair{"defined", Kind::Defined}}) {
        const std::string_view keyword = word;
        if (startsWithWord(text, keyword)) {
            text.remove_prefix(keyword.size());
            condition.kind = kind;
            condition.left = takeWord(text);
            return !condition.left.empty();
        }
    }
    condition.kind = Kind::Compare;
    condition.left = takeOperand(text);
    text = skipBlanks(text);
    if (condition.left.empty() || text.substr(0, 2) != "==")
        return false;
    text.remove_prefix(2);
    text = skipBlanks(text);
    condition.right = takeOperand(text);
    return !condition.right.empty();
}

// `first` is what is left to read of segment `from`: an `if` hands the text after its condition to its body
// as a view, so a line of nested `if`s is read once rather than copied at every level.
const char* buildList(
    const std::vector<Segment>& segments, size_t from, std::string_view first, int depth, CommandList& list)
{
    for (size_t i = from; i < segments.size(); ++i) {
        Command command;
        std::string_view text = skipCommandStart(i == from ? first : segments[i].text, &command.quiet);
        command.next = segments[i].next;
        command.unsupported = segments[i].unsupported;
        if (startsWithWord(text, "if")) {
            if (depth == kMaxIfDepth)
                return kTooDeep;
            text.remove_prefix(2);
            Condition condition;
            if (!parseCondition(text, condition))
                return kSyntaxError;
            text = trimLeadingDelimiters(text);
            if (trimBlanks(text).empty())
                return kSyntaxError;
            command.condition = std::move(condition);
            if (const char* error = buildList(segments, i, text, depth + 1, command.body))
                return error;
            list.push_back(std::move(command));
            return nullptr;
        }
        if (!text.empty() && text.front() == '(')
            command.unsupported = "blocks in parentheses";
        command.text = std::string(text);
        if (!command.text.empty() || !command.unsupported.empty())
            list.push_back(std::move(command));
    }
    return nullptr;
}

} // namespace

ParsedLine parseLine(std::string_view line)
{
    ParsedLine parsed;
    const std::vector<Segment> segments = splitSegments(line);
    if (const char* error = buildList(segments, 0, segments.front().text, 0, parsed.commands)) {
        parsed.commands.clear();
        parsed.syntaxError = error;
    }
    return parsed;
}

} // namespace batchrun
