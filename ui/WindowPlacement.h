#pragma once

#include <QSize>

class QWidget;

namespace ferrowind {

// Moves a window so that its outer rectangle, frame included, is centred on its owner's; a window without an
// owner stays where it is. Call it before the window is mapped (from its show event) so that it appears there:
// a window shown for the first time has no frame yet, and takes its owner's, whose decorations are the same.
void centreOnOwner(QWidget& window);

// Sizes a window so that its outer rectangle, frame included, has the given size.
void resizeOuter(QWidget& window, QSize outer);

} // namespace ferrowind
