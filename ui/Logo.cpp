#include "ui/Logo.h"

#include "ui/Look.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ferrowind {

namespace {
// The picture is laid out on this grid and scaled, so every size shows the same shapes.
constexpr double kGrid = 48;

// Watches the application's events until the first window is about to show: its show event comes before the window
// is mapped, so the icon is in place when it appears.
class FirstShowWatch : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QApplication::setWindowIcon(logoIcon());
            deleteLater();
        }
        return false;
    }
};
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

QIcon logoIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addPixmap(QPixmap::fromImage(drawLogo(size)));
    return icon;
}

void setWindowIconAtFirstShow(QApplication& application)
{
    application.installEventFilter(new FirstShowWatch(&application));
}

} // namespace ferrowind
