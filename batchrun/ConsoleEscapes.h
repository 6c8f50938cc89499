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
std::optional<ConsoleColors> ParseColorArgument(std::string_view argument);

// Sets the terminal colours to the ANSI colours matching the console's 16: the console counts blue as bit 0
// and red as bit 2, ANSI the other way round, and bit 3 selects the bright variant.
std::string ColorEscape(ConsoleColors colors);
std::string ResetColorEscape();
std::string TitleEscape(std::string_view title);
std::string ClearScreenEscape();

} // namespace batchrun
