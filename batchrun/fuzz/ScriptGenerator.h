#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace batchrun::fuzz {

// Choices read from fuzzer bytes; once they run out every choice is the first one, so generation ends.
class Choices {
public:
    explicit Choices(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    size_t pick(size_t count);
    bool exhausted() const { return at_ >= bytes_.size(); }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

// A script from the grammar our scripts and the interpreter share: commands joined by & && || | < >, nested
// `if`s (deeper than the interpreter's limit now and then), quotes, carets, variables, labels and stray bytes.
std::string generateScript(Choices& choices);

// What ferrowind-cmd does with a script before running anything: splits it into lines, finds its labels, and
// expands, parses and cuts every line into words. Runs nothing.
void readLikeTheRunner(std::string_view script);

} // namespace batchrun::fuzz
