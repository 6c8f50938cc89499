#include "ui/WindowPlacement.h"

#include <QMargins>
#include <QWidget>
#include <QWindow>

namespace ferrowind {

namespace {
QMargins frameOf(const QWidget* window)
{
    const QWindow* handle = window == nullptr ? nullptr : window->windowHandle();
    return handle == nullptr ? QMargins() : handle->frameMargins();
}

// The window's own frame once the window system has given it one, otherwise its owner's.
QMargins expectedFrame(const QWidget& window)
{
    const QMargins own = frameOf(&window);
    if (!own.isNull())
        return own;
    const QWidget* owner = window.parentWidget();
    return frameOf(owner == nullptr ? nullptr : owner->window());
}
} // namespace

void centreOnOwner(QWidget& window)
{
    const QWidget* owner = window.parentWidget();
    if (owner == nullptr)
        return;
    const QRect ownerFrame = owner->window()->frameGeometry();
    const QMargins frame = expectedFrame(window);
    const QSize outer = window.size().grownBy(frame);
    // Placed by its client area: a window that has not been shown has no frame that a move could place.
    const QPoint outerTopLeft(ownerFrame.x() + (ownerFrame.width() - outer.width()) / 2,
        ownerFrame.y() + (ownerFrame.height() - outer.height()) / 2);
    window.setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}

void resizeOuter(QWidget& window, QSize outer) { window.resize(outer.shrunkBy(expectedFrame(window))); }

} // namespace ferrowind
