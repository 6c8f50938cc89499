#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace ferrowind {

// Token kinds of batch-file colouring, in their fixed order. Null ends a line and is never painted.
enum class BatchTokenKind {
    Comment,
    Identifier,
    Key,
    Null,
    Number,
    Space,
    Other,
    Variable
};

struct BatchToken {
    size_t start = 0; // byte offset in the line
    size_t length = 0;
    BatchTokenKind kind = BatchTokenKind::Null;

    bool operator==(const BatchToken&) const = default;
};

// Splits one line (UTF-8, without its line break) into tokens that cover it end to end, followed by an
// empty Null token at its end. Nothing carries over from the line before: each line starts afresh.
// `tokens` is cleared first, so one vector can serve every line.
void tokenizeBatchLine(std::string_view line, std::vector<BatchToken>& tokens);

// A keyword of the colouring, matched ignoring letter case.
bool isBatchKeyword(std::string_view word);

} // namespace ferrowind
