#pragma once

#include <vector>

namespace ferrowind {

// A colour as red, green and blue bytes.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb&) const = default;
};

// Each channel less the percentage of itself, rounded toward zero; 0 or less changes nothing, above 100
// counts as 100.
Rgb darken(Rgb colour, int percent);

// The colour a fraction of the way from first (0) to second (1), each channel rounded to the nearest
// integer with halves going to the even neighbour.
Rgb blendColor(Rgb first, Rgb second, double fraction);

// One colour per row of a gradient `height` rows high, top row first; the last row stops one step short of
// the bottom colour. No rows for a height of 0 or less.
std::vector<Rgb> gradientRows(Rgb top, Rgb bottom, int height);

} // namespace ferrowind
