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

// Follows what a program writes to a terminal, to tell whether it stopped inside an escape sequence: writing a
// title there would break the sequence and show both as text.
class EscapeSequenceState {
public:
    void feed(std::string_view bytes);
    bool inside() const { return state_ != State::Text; }

private:
    enum class State {
        Text,
        Escape, // after ESC
        Control, // ESC [ ..., ended by a byte from @ to ~
        OperatingSystem, // ESC ] ..., ended by BEL or ESC backslash
        OperatingSystemEscape, // ESC inside the latter
    };
    State state_ = State::Text;
};

} // namespace batchrun
