#pragma once

#include "batchrun/Environment.h"

#include <string>
#include <string_view>
#include <vector>

namespace batchrun {

struct ExpansionContext {
    const Environment& environment;
    const std::vector<std::string>& arguments; // %0 (the script) first
    std::string folder; // current folder: %CD% and the full-path modifier
    int errorLevel = 0; // %ERRORLEVEL%
};

// Percent expansion of one script line, done before the line is parsed: "%%" gives "%"; %0 to %9 and %*
// give the script's arguments, %~1 without its quotes and %~dpnxf1 as path parts; %NAME% gives the
// variable, or nothing when it is not set; a lone '%' is dropped. ERRORLEVEL and CD give the current values
// unless a variable of that name was set. A result longer than the line limit is cut one character past it,
// so the caller can tell without the expansion growing without bound.
std::string expandLine(std::string_view line, const ExpansionContext& context);

} // namespace batchrun
