#include "ui/LookWidgets.h"

#include "ui/Look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace ferrowind {

namespace {
MouseButton lookButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    default: return MouseButton::Other;
    }
}
} // namespace

ToolStrip::ToolStrip(QWidget* parent) : QWidget(parent) {}

FrameGroup::FrameGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int FrameGroup::frameTop() const { return fontMetrics().height() / 2; }

void FrameGroup::paintEvent(QPaintEvent*)
{
    constexpr int kCaptionLeft = 8;
    constexpr int kCaptionPadding = 2;
    QPainter painter(this);
    // An etched line: the shadow, and the light one pixel in and down.
    const QRect frame = rect().adjusted(0, frameTop(), -1, -1);
    painter.setPen(toQColor(systemColors().buttonShadow));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    if (title().trimmed().isEmpty())
        return;
    const QRect caption(
        kCaptionLeft, 0, fontMetrics().horizontalAdvance(title()) + 2 * kCaptionPadding, fontMetrics().height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

void ToolStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), toolStripPicture());
}

FramedBox::FramedBox(QWidget* parent, int outlineWidth) :
      QWidget(parent),
      outlineWidth_(outlineWidth),
      fill_(Qt::white),
      outline_(toQColor(frameColor(systemColors())))
{
}

void FramedBox::setFill(const QColor& fill)
{
    fill_ = fill;
    update();
}

void FramedBox::setOutline(const QColor& outline)
{
    outline_ = outline;
    update();
}

void FramedBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), outline_);
    painter.fillRect(rect().adjusted(outlineWidth_, outlineWidth_, -outlineWidth_, -outlineWidth_), fill_);
}

PanelButton::PanelButton(const QString& caption, QWidget* parent) :
      QPushButton(caption, parent),
      face_(toQColor(systemColors().buttonFace))
{
    setFont(lookFont(kControlFontFamily));
    setFocusPolicy(Qt::NoFocus);
}

void PanelButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

void PanelButton::mousePressEvent(QMouseEvent* event)
{
    showPhase(event->button(), true);
    QPushButton::mousePressEvent(event);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    showPhase(event->button(), false);
}

void PanelButton::showPhase(Qt::MouseButton button, bool pressed)
{
    const auto face =
        panelButtonFace(systemColors(), lookButton(button), pressed ? ButtonPhase::Pressed : ButtonPhase::Released);
    if (!face)
        return;
    face_ = toQColor(*face);
    update();
}

void DragStrip::mousePressEvent(QMouseEvent* event)
{
    QWindow* handle = window()->windowHandle();
    if (event->button() != Qt::LeftButton || handle == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    handle->startSystemMove();
}

} // namespace ferrowind
