#include "ui/Logo.h"

#include "ui/Look.h"

#include <QPainter>

namespace ferrowind {

namespace {
// The picture is laid out on this grid and scaled, so every size shows the same shapes.
constexpr double kGrid = 48;
} // namespace

QImage drawLogo(int size)
{
    QImage logo(size, size, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / kGrid, size / kGrid);
    painter.setBrush(QColor(150, 62, 36));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    painter.setPen(Qt::white);
    painter.setFont(lookFont(kControlFontFamily, 30, true));
    painter.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, "F");
    return logo;
}

} // namespace ferrowind
