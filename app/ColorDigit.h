#pragma once

#include <string>

// Console colour index 0..15 as the hexadecimal digit the `color` command takes; anything else is "0".
char ColorDigit(int index);

// The `color` argument of a script: background digit first, then text digit.
std::string ConsoleColorCode(int backColor, int textColor);
