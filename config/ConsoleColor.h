#pragma once

#include <string>

namespace ferrowind {

// Console colour index 0..15 as the hexadecimal digit the `color` command takes; anything else is "0".
char colorDigit(int index);

// The `color` argument of a script: background digit first, then text digit.
std::string consoleColorCode(int backColor, int textColor);

} // namespace ferrowind
