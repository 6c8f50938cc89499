#include "look/Look.h"

namespace ferrowind {

std::array<Rgb, kToolStripHeight> toolStripRows(const SystemColors& colors)
{
    constexpr int kGradientRows = 13;
    std::array<Rgb, kToolStripHeight> rows;
    const std::vector<Rgb> gradient =
        gradientRows(darken(colors.window, 5), darken(colors.buttonFace, 4), kGradientRows);
    for (int row = 0; row < kGradientRows; ++row)
        rows[row] = gradient[row];
    for (int row = kGradientRows; row < 26; ++row)
        rows[row] = darken(colors.buttonFace, 6);
    rows[26] = darken(colors.buttonFace, 3);
    rows[27] = darken(colors.buttonFace, 8);
    rows[28] = colors.buttonShadow;
    return rows;
}

Rgb frameColor(const SystemColors& colors) { return darken(colors.light, 10); }

std::optional<Rgb> panelButtonFace(const SystemColors& colors, MouseButton button, ButtonPhase phase)
{
    if (button != MouseButton::Left)
        return std::nullopt;
    return phase == ButtonPhase::Pressed ? darken(colors.buttonFace, 5) : colors.buttonFace;
}

} // namespace ferrowind
