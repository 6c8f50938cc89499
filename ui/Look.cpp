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

// Registers one of Wine's font files for this program; the families it brings, none when it is missing.
QStringList addWineFont(const char* file)
{
    const QString path = QString::fromLatin1(kWineFontFolder) + QString::fromLatin1(file);
    const int id = QFileInfo::exists(path) ? QFontDatabase::addApplicationFont(path) : -1;
    return id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
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
    // The regular faces only: the windows draw in them; the bold face waits for the first bold font.
    static const bool available = [] {
        const QStringList added = addWineFont("tahoma.ttf") + addWineFont("ms_sans_serif.ttf");
        const auto has = [&added](const char* family) {
            return added.contains(QLatin1String(family)) || QFontDatabase::hasFamily(QString::fromLatin1(family));
        };
        return has(kControlFontFamily) && has(kWindowFontFamily);
    }();
    return available;
}

QFont lookFont(const char* family, int pixelSize, bool bold)
{
    loadLookFonts();
    if (bold) {
        [[maybe_unused]] static const QStringList boldFamilies = addWineFont("tahomabd.ttf");
    }
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace ferrowind
