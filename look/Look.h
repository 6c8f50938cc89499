#pragma once

#include "look/Color.h"

#include <array>
#include <optional>

namespace ferrowind {

// The platform's colours the look is made from, read once at start.
struct SystemColors {
    Rgb window; // background of text fields
    Rgb buttonFace;
    Rgb buttonShadow;
    Rgb light; // the 3-D light edge
};

inline constexpr int kToolStripHeight = 29;

// The tool strip's picture, one colour per row, top first: a gradient from the window colour into the button
// face, a band of darker face and a bevel of three rows at the bottom.
std::array<Rgb, kToolStripHeight> toolStripRows(const SystemColors& colors);

// The outline of every framed box.
Rgb frameColor(const SystemColors& colors);

enum class MouseButton {
    Left,
    Right,
    Other
};
enum class ButtonPhase {
    Pressed,
    Released
};

// A panel button's face after a mouse press or release; nothing when the button changes nothing. The
// release goes to the button pressed, wherever the pointer is by then.
std::optional<Rgb> panelButtonFace(const SystemColors& colors, MouseButton button, ButtonPhase phase);

} // namespace ferrowind
