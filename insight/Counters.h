#pragma once

#include <optional>
#include <string_view>

// The progress counters the compile tools print: "  12 /   40" with "  (30%: est. time ...)" (GoldSource),
// "10%...20%..." (GoldSource without estimates, its VIS), "0...1...2...10" (Source, tenths).
namespace insight {

// The fraction done from the last counter in the text, when it holds one.
std::optional<double> counterFraction(std::string_view text);

// The text after the counters a line starts with: a message printed while a counter was running continues the
// counter's line ("     0 /     6Error: ...").
std::string_view skipCounters(std::string_view text);

} // namespace insight
