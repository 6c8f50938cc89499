#include "ui/PageParts.h"

#include "ui/Look.h"
#include "ui/LookWidgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace ferrowind {

namespace {
// A text field sits this far in from its box's left and top edges.
constexpr int kEditLeft = 4;
constexpr int kEditTop = 3;
// The first flat button starts this far from the strip's left edge, the last ends as far from its right one.
constexpr int kToolStripMargin = 8;
} // namespace

QWidget* makeToolStrip(QWidget* page, const char* name)
{
    auto* strip = new ToolStrip(page);
    strip->setObjectName(name);
    strip->setGeometry(0, 0, page->width(), kToolStripHeight);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(kToolStripMargin, 2, kToolStripMargin, 3);
    layout->setSpacing(2);
    return strip;
}

QToolButton* addToolButton(QWidget* strip, const char* name, const QString& caption, int width)
{
    auto* button = new QToolButton(strip);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFixedHeight(24);
    // A stand-in for the layout's font may need more room than the given width.
    if (width > 0)
        button->setFixedWidth(std::max(width, button->sizeHint().width()));
    strip->layout()->addWidget(button);
    return button;
}

void addToolStripGap(QWidget* strip) { static_cast<QHBoxLayout*>(strip->layout())->addStretch(1); }

QGroupBox* makeGroup(QWidget* page, const char* name, const QString& caption, const QRect& geometry)
{
    auto* group = new FrameGroup(caption, page);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

FramedBox* makeFramedBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new FramedBox(parent);
    box->setGeometry(geometry);
    return box;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& geometry)
{
    makeFramedBox(parent, geometry);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFrame(false);
    edit->setFont(lookFont(kControlFontFamily));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::white); // also when disabled: the box stays white
    edit->setPalette(palette);
    edit->setGeometry(geometry.adjusted(kEditLeft, kEditTop, -2, -2));
    return edit;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, bool checked)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    check->setGeometry(geometry);
    check->setChecked(checked);
    return check;
}

QPushButton* makePanelButton(
    QWidget* parent, const char* name, const QString& caption, const QRect& geometry, const char* frameName)
{
    FramedBox* frame = makeFramedBox(parent, geometry);
    if (frameName != nullptr)
        frame->setObjectName(frameName);
    auto* button = new PanelButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry.adjusted(kPanelInset, kPanelInset, -kPanelInset, -kPanelInset));
    return button;
}

QWidget* makeDragStrip(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* strip = new DragStrip(parent);
    strip->setObjectName(name);
    strip->setGeometry(geometry);
    return strip;
}

void insertOrSelectMapParameter(QLineEdit* gameParameters)
{
    static const QString kMapParameter = QStringLiteral("+map %mapname%");
    const QString text = gameParameters->text();
    const qsizetype found = text.indexOf(kMapParameter, 0, Qt::CaseInsensitive);
    if (found >= 0) {
        gameParameters->setFocus();
        gameParameters->setSelection(static_cast<int>(found), static_cast<int>(kMapParameter.size()));
        return;
    }
    gameParameters->setText("+map %MAPNAME% " + text);
}

} // namespace ferrowind
