#include "insight/RuleTable.h"

#include "base/Text.h"

#include <algorithm>

namespace insight {

namespace {

// "key value" with the value's blanks kept inside; the key is the first word.
std::pair<std::string_view, std::string_view> splitKey(std::string_view line)
{
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return {line, {}};
    std::string_view value = line.substr(blank + 1);
    while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    return {line.substr(0, blank), value};
}

std::string withLineNumber(size_t number, const std::string& what)
{
    return "rule table, line " + std::to_string(number) + ": " + what;
}

// "(   0,   0, 200)" and "-64.00 -64.00 36.00" alike become "0 0 200" and "-64.00 -64.00 36.00".
std::string plainPosition(std::string_view text)
{
    std::string plain;
    for (char c : text) {
        if (c == ',' || c == '(' || c == ')' || c == ' ' || c == '\t') {
            if (!plain.empty() && plain.back() != ' ')
                plain += ' ';
        } else {
            plain += c;
        }
    }
    if (!plain.empty() && plain.back() == ' ')
        plain.pop_back();
    return plain;
}

void keep(Location& location, std::string_view hole, std::string_view text)
{
    const std::string value = base::trim(text);
    if (hole == "entity")
        location.entity = value;
    else if (hole == "brush")
        location.brush = value;
    else if (hole == "side")
        location.side = value;
    else if (hole == "position")
        location.position = plainPosition(value);
    else if (hole == "texture")
        location.texture = value;
    else if (hole == "name")
        location.name = value;
}

// Far more than any line a tool prints needs.
constexpr size_t kMaxTries = 4096;

const char* const kHoles[] = {"*", "entity", "brush", "side", "position", "texture", "name"};

} // namespace

namespace embedded {
extern const std::string_view goldsourceRules;
extern const std::string_view sourceRules;
} // namespace embedded

RuleTable::Compiled RuleTable::compile(std::string_view pattern)
{
    Compiled compiled;
    std::string literal;
    auto endLiteral = [&] {
        if (literal.empty())
            return;
        if (literal.size() > compiled.anchor.size())
            compiled.anchor = literal;
        compiled.pieces.push_back({literal, false});
        literal.clear();
    };
    for (size_t i = 0; i < pattern.size(); ++i) {
        std::string_view hole;
        if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            literal += pattern[++i];
            continue;
        }
        if (pattern[i] == '*') {
            hole = "*";
        } else if (pattern[i] == '{') {
            const size_t close = pattern.find('}', i);
            if (close == std::string_view::npos)
                throw RuleError("a '{' without its '}' in \"" + std::string(pattern) + "\"");
            hole = pattern.substr(i + 1, close - i - 1);
            if (std::find(std::begin(kHoles), std::end(kHoles), hole) == std::end(kHoles))
                throw RuleError("unknown hole {" + std::string(hole) + "} in \"" + std::string(pattern) + "\"");
            i = close;
        } else {
            literal += pattern[i];
            continue;
        }
        endLiteral();
        if (!compiled.pieces.empty() && compiled.pieces.back().hole)
            throw RuleError("two holes side by side in \"" + std::string(pattern) + "\"");
        compiled.pieces.push_back({std::string(hole), true});
    }
    endLiteral();
    return compiled;
}

RuleTable RuleTable::parse(std::string_view text)
{
    RuleTable table;
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto [key, value] = splitKey(line);
        if (key == "rule") {
            if (value.empty())
                throw RuleError(withLineNumber(number, "a rule without its id"));
            if (table.find(value))
                throw RuleError(withLineNumber(number, "a second rule " + std::string(value)));
            table.rules_.push_back({});
            table.rules_.back().id = value;
            continue;
        }
        if (table.rules_.empty())
            throw RuleError(withLineNumber(number, "\"" + std::string(key) + "\" before the first rule"));
        Rule& rule = table.rules_.back();
        if (key == "severity") {
            if (value == "warning")
                rule.severity = Severity::Warning;
            else if (value == "error")
                rule.severity = Severity::Error;
            else if (value == "none")
                rule.reported = false;
            else
                throw RuleError(withLineNumber(number, "severity is warning, error or none"));
        } else if (key == "heading") {
            rule.heading = value == "yes";
        } else if (key == "stage") {
            rule.stage = value;
        } else if (key == "match") {
            try {
                table.compiled_.emplace_back(table.rules_.size() - 1, compile(value));
            } catch (const RuleError& error) {
                throw RuleError(withLineNumber(number, error.what()));
            }
            rule.patterns.emplace_back(value);
        } else if (key == "explain") {
            rule.explanation = value;
        } else if (key == "advice") {
            rule.advice = value;
        } else {
            throw RuleError(withLineNumber(number, "unknown key \"" + std::string(key) + "\""));
        }
    }
    for (const Rule& rule : table.rules_) {
        if (rule.reported && (rule.explanation.empty() || rule.advice.empty()))
            throw RuleError("rule table: " + rule.id + " needs its explanation and advice");
    }
    return table;
}

const RuleTable& RuleTable::builtIn(ToolFamily family)
{
    static const RuleTable goldSource = parse(embedded::goldsourceRules);
    static const RuleTable source = parse(embedded::sourceRules);
    return family == ToolFamily::GoldSource ? goldSource : source;
}

const Rule* RuleTable::find(std::string_view id) const
{
    const auto found = std::find_if(rules_.begin(), rules_.end(), [&](const Rule& rule) { return rule.id == id; });
    return found == rules_.end() ? nullptr : &*found;
}

bool RuleTable::matches(
    const std::vector<Piece>& pieces, size_t piece, std::string_view line, Location& location, size_t& tries)
{
    if (tries == 0)
        return false;
    --tries;
    if (piece == pieces.size())
        return line.empty();
    const Piece& current = pieces[piece];
    if (!current.hole) {
        return line.substr(0, current.text.size()) == current.text &&
            matches(pieces, piece + 1, line.substr(current.text.size()), location, tries);
    }
    if (piece + 1 == pieces.size()) {
        keep(location, current.text, line);
        return true;
    }
    // The hole takes as little as it can: try each place where the next literal follows.
    const std::string& next = pieces[piece + 1].text;
    for (size_t at = line.find(next); at != std::string_view::npos; at = line.find(next, at + 1)) {
        if (matches(pieces, piece + 1, line.substr(at), location, tries)) {
            keep(location, current.text, line.substr(0, at));
            return true;
        }
    }
    return false;
}

const Rule* RuleTable::match(std::string_view line, std::string_view stage, Location& location) const
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    for (const auto& [index, compiled] : compiled_) {
        const Rule& rule = rules_[index];
        if (!rule.stage.empty() && rule.stage != stage)
            continue;
        if (!compiled.anchor.empty() && line.find(compiled.anchor) == std::string_view::npos)
            continue;
        Location found;
        size_t tries = kMaxTries;
        if (matches(compiled.pieces, 0, line, found, tries)) {
            location = found;
            return &rule;
        }
    }
    return nullptr;
}

} // namespace insight
