#pragma once

#include <optional>
#include <string>
#include <vector>

namespace batchrun {

// One parsed script line: commands joined by &, && and ||, where an `if` owns the rest of its line.

enum class Chain {
    Always, // &
    OnSuccess, // &&
    OnFailure, // ||
};

struct Condition {
    enum class Kind {
        ErrorLevel,
        Exist,
        Defined,
        Compare
    };
    Kind kind = Kind::Compare;
    bool negated = false;
    bool ignoreCase = false;
    std::string left; // the level, the path, the name or the left operand, as written (quotes kept)
    std::string right; // right operand of a comparison
};

struct Command {
    std::string text; // a plain command with its carets resolved and its quotes kept
    bool quiet = false; // written with '@'
    std::optional<Condition> condition;
    std::vector<Command> body; // what an `if` runs when its condition holds
    Chain next = Chain::Always; // how the command after this one depends on it
    std::string unsupported; // a construct the runner does not handle, named for the message
};

using CommandList = std::vector<Command>;

struct ParsedLine {
    CommandList commands;
    std::string syntaxError; // set when the line cannot be run at all; the script ends, as in the interpreter
};

} // namespace batchrun
