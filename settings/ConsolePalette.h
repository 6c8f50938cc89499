#pragma once

#include "look/Color.h"

namespace ferrowind {

inline constexpr int kConsoleColorCount = 16;

// The console's colour for an index as the `color` command numbers them; black outside 0..15.
Rgb consoleRgb(int index);

// An index limited to the list of console colours: above 15 is 15, below 0 is 0.
int clampColorIndex(int index);

// The index a colour list keeps once chosen: when it equals the other list's index it moves by one, to 1 from
// 0 and one down otherwise, so the text never takes the colour of its background.
int keptApart(int chosen, int other);

} // namespace ferrowind
