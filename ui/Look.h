#pragma once

#include "look/Look.h"

#include <QColor>
#include <QFont>
#include <QImage>

namespace ferrowind {

inline constexpr const char* kWindowFontFamily = "MS Sans Serif";
inline constexpr const char* kControlFontFamily = "Tahoma";
// 8 points at 96 dots per inch: the size the windows' layout is made for.
inline constexpr int kSmallFontPixels = 11;

// The platform's colours, read from the application palette on first use and kept: the look does not follow
// a colour scheme changed while the program runs.
const SystemColors& systemColors();

QColor toQColor(Rgb colour);

// The tool strips' picture, one pixel wide, stretched by each strip.
const QImage& toolStripPicture();

// Where the metric-compatible Tahoma and MS Sans Serif of Wine's font package are installed (outside the
// system's font path), loads their regular faces for this program, once; true when both families are then
// available. Tahoma's bold face loads with the first bold look font.
bool loadLookFonts();

// The family where it is available (after loadLookFonts), otherwise the platform's closest sans font, at the
// given pixel size, so that captions keep to the size the layout gives them.
QFont lookFont(const char* family, int pixelSize = kSmallFontPixels, bool bold = false);

} // namespace ferrowind
