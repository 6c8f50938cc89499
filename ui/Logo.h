#pragma once

#include <QImage>

namespace ferrowind {

// The program's logo at size by size pixels: the About window's picture and the desktop's icons.
QImage drawLogo(int size);

} // namespace ferrowind
