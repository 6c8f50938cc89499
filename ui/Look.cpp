#include "ui/Look.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>

namespace ferrowind {

namespace {
constexpr const char* kWineFontFolder = "/usr/share/wine/fonts/";

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

bool loadLookFonts()
{
    static const bool available = [] {
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
            const QString path = QString::fromLatin1(kWineFontFolder) + QString::fromLatin1(file);
            if (QFileInfo::exists(path))
                QFontDatabase::addApplicationFont(path);
        }
        const QStringList families = QFontDatabase::families();
        return families.contains(QString::fromLatin1(kControlFontFamily)) &&
            families.contains(QString::fromLatin1(kWindowFontFamily));
    }();
    return available;
}

QFont lookFont(const char* family, int pixelSize, bool bold)
{
    loadLookFonts();
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace ferrowind
