#include "settings/ConsolePalette.h"

#include <algorithm>
#include <array>

namespace ferrowind {

namespace {
constexpr std::array<Rgb, kConsoleColorCount> kPalette{{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};
} // namespace

Rgb consoleRgb(int index)
{
    if (index < 0 || index >= kConsoleColorCount)
        return {};
    return kPalette[static_cast<size_t>(index)];
}

int clampColorIndex(int index) { return std::clamp(index, 0, kConsoleColorCount - 1); }

int keptApart(int chosen, int other)
{
    if (chosen != other)
        return chosen;
    return chosen == 0 ? 1 : chosen - 1;
}

} // namespace ferrowind
