#pragma once

#include "insight/Findings.h"
#include "insight/ToolKind.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The messages a tool family prints and what they mean, kept as a data file per family (insight/rules/) and
// embedded in the programs at build time.
namespace insight {

// A pattern is literal text with holes: `*` takes any text, `{entity}`, `{brush}`, `{side}`, `{position}`,
// `{texture}` and `{name}` take any text and keep it as the message's location. Holes take as little as they
// can; the pattern must cover the whole line (leading and trailing blanks aside). A backslash takes the next
// character as it is (`\*`).
struct Rule {
    std::string id;
    Severity severity = Severity::Warning;
    bool reported = true; // false: the line only belongs to a message already read ("severity none")
    bool heading = false; // the tool's heading for the message just before it: counted only when alone
    std::vector<std::string> patterns; // any of them; none for limit-high, which the reader applies to limits
    std::string explanation;
    std::string advice;
    std::string stage; // only in this stage ("csg", "vis"...), or in every stage when empty
};

class RuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RuleTable {
public:
    RuleTable() = default;
    // Reads the data file's text; throws RuleError naming the line of a malformed rule.
    static RuleTable parse(std::string_view text);
    // The table built into the program for a family.
    static const RuleTable& builtIn(ToolFamily family);

    const std::vector<Rule>& rules() const { return rules_; }
    const Rule* find(std::string_view id) const;

    // The first rule whose pattern covers the line in that stage, with the location its holes took.
    const Rule* match(std::string_view line, std::string_view stage, Location& location) const;

private:
    struct Piece {
        std::string text; // literal text, or the hole's name ("*" for an unnamed one)
        bool hole = false;
    };
    struct Compiled {
        std::vector<Piece> pieces;
        std::string anchor; // the longest literal piece: a line without it cannot match
    };
    static Compiled compile(std::string_view pattern);
    // `tries` bounds the places the holes are tried at, so that a line built to match a pattern's literals in
    // many ways costs no more than a plain one.
    static bool matches(
        const std::vector<Piece>& pieces, size_t piece, std::string_view line, Location& location, size_t& tries);

    std::vector<Rule> rules_;
    std::vector<std::pair<size_t, Compiled>> compiled_; // each pattern with its rule's index, in file order
};

} // namespace insight
