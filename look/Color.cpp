#include "look/Color.h"

#include <algorithm>
#include <cmath>

namespace ferrowind {

namespace {
int darkenChannel(int channel, int percent) { return channel - channel * percent / 100; }

// std::nearbyint rounds in the default mode, to nearest with ties to even.
int blendChannel(int first, int second, double fraction)
{
    return static_cast<int>(std::nearbyint(second * fraction + (1.0 - fraction) * first));
}
} // namespace

Rgb darken(Rgb colour, int percent)
{
    if (percent <= 0)
        return colour;
    percent = std::min(percent, 100);
    return {
        darkenChannel(colour.red, percent), darkenChannel(colour.green, percent), darkenChannel(colour.blue, percent)};
}

Rgb blendColor(Rgb first, Rgb second, double fraction)
{
    return {blendChannel(first.red, second.red, fraction), blendChannel(first.green, second.green, fraction),
        blendChannel(first.blue, second.blue, fraction)};
}

std::vector<Rgb> gradientRows(Rgb top, Rgb bottom, int height)
{
    std::vector<Rgb> rows;
    for (int row = 0; row < height; ++row)
        rows.push_back(blendColor(top, bottom, static_cast<double>(row) / height));
    return rows;
}

} // namespace ferrowind
