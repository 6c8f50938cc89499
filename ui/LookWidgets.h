#pragma once

#include <QColor>
#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

namespace ferrowind {

// The shaded strip across the top of a page, painted from the tool-strip picture.
class ToolStrip : public QWidget {
    Q_OBJECT
public:
    explicit ToolStrip(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A group box drawn the Windows way whatever the style: the caption sits on the frame's top line, which runs
// through the middle of the caption's height, so controls placed from the group's top clear the frame.
class FrameGroup : public QGroupBox {
    Q_OBJECT
public:
    FrameGroup(const QString& caption, QWidget* parent);

    // How far below the group's top its frame line runs.
    int frameTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A filled rectangle with an outline; text fields and panel buttons sit inside one.
class FramedBox : public QWidget {
    Q_OBJECT
public:
    explicit FramedBox(QWidget* parent, int outlineWidth = 1);

    QColor fill() const { return fill_; }
    QColor outline() const { return outline_; }
    void setFill(const QColor& fill);
    void setOutline(const QColor& outline);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int outlineWidth_;
    QColor fill_;
    QColor outline_;
};

// A flat button with a centred caption whose face darkens while the left mouse button holds it.
class PanelButton : public QPushButton {
    Q_OBJECT
public:
    PanelButton(const QString& caption, QWidget* parent);

    QColor face() const { return face_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The click runs first: a button that opens a dialog stays dark until the dialog has closed.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPhase(Qt::MouseButton button, bool pressed);

    QColor face_;
};

// An invisible strip by which the user drags the window: the window system's own move, started while the
// left button is down.
class DragStrip : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace ferrowind
