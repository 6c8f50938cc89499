#pragma once

#include <QIcon>
#include <QImage>

class QApplication;

namespace ferrowind {

// The program's logo at size by size pixels: the About window's picture and the desktop's icons.
QImage drawLogo(int size);

// The logo in the sizes window frames and task bars ask for.
QIcon logoIcon();

// Gives the application the logo as its window icon just before its first window shows. A start that ends without
// showing one ("+run", "+beep") never draws it.
void setWindowIconAtFirstShow(QApplication& application);

} // namespace ferrowind
