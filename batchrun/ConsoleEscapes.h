#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace batchrun {

// Terminal escape sequences standing in for the console's own colour, title and clearing.

struct ConsoleColors {
    int background = 0; // console colour index 0..15
    int foreground = 7;
};

// The argument of `color`: two hexadecimal digits, background first. Nothing for anything else or for equal
// digits, which the interpreter refuses too.
std::optional<ConsoleColors> parseColorArgument(std::string_view argument);

// Sets the terminal colours to the ANSI colours matching the console's 16: the console counts blue as bit 0
// and red as bit 2, ANSI the other way round, and bit 3 selects the bright variant.
std::string colorEscape(ConsoleColors colors);
std::string resetColorEscape();
std::string titleEscape(std::string_view title);
std::string clearScreenEscape();

} // namespace batchrun
