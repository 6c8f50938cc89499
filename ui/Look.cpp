#include "ui/Look.h"

#include <QGuiApplication>
#include <QPalette>

namespace ferrowind {

namespace {
Rgb toRgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

// The roles Qt's platform themes fill from the system's window, button-face, button-shadow and 3-D light
// colours.
SystemColors readSystemColors()
{
    const QPalette palette = QGuiApplication::palette();
    return {toRgb(palette.color(QPalette::Active, QPalette::Base)),
        toRgb(palette.color(QPalette::Active, QPalette::Button)),
        toRgb(palette.color(QPalette::Active, QPalette::Dark)),
        toRgb(palette.color(QPalette::Active, QPalette::Midlight))};
}

QImage makeToolStripPicture()
{
    QImage picture(1, kToolStripHeight, QImage::Format_RGB32);
    const auto rows = toolStripRows(systemColors());
    for (int row = 0; row < kToolStripHeight; ++row)
        picture.setPixelColor(0, row, toQColor(rows[static_cast<size_t>(row)]));
    return picture;
}
} // namespace

const SystemColors& systemColors()
{
    static const SystemColors colors = readSystemColors();
    return colors;
}

QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

const QImage& toolStripPicture()
{
    static const QImage picture = makeToolStripPicture();
    return picture;
}

QFont lookFont(const char* family, int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace ferrowind
