#pragma once

#include <QRect>
#include <QSize>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QString;
class QToolButton;
class QWidget;

namespace ferrowind {

class FramedBox;

// A panel button leaves a ring of white between itself and its box's outline.
inline constexpr int kPanelInset = 2;

// Size of every page below the tabs.
inline const QSize kPageSize{641, 279};

// Builders for the pieces every page is made of; each piece gets its object name.

// The 29-pixel strip across the top of a page that carries the page's flat buttons.
QWidget* makeToolStrip(QWidget* page, const char* name);
// A flat button as wide as its caption needs, or of the given width when the caption fits it.
QToolButton* addToolButton(QWidget* strip, const char* name, const QString& caption, int width = 0);
// Ends the left-hand group of buttons; buttons added afterwards sit at the right end.
void addToolStripGap(QWidget* strip);

QGroupBox* makeGroup(QWidget* page, const char* name, const QString& caption, const QRect& geometry);
// A white box with the frame colour's outline; boxes side by side overlap by a pixel to share it.
FramedBox* makeFramedBox(QWidget* parent, const QRect& geometry);
// A borderless text field inside a framed box of the geometry.
QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& geometry);
QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, bool checked);
// A flat panel button inside a framed box of the geometry, which takes the frame's name when one is given; it
// darkens while pressed.
QPushButton* makePanelButton(
    QWidget* parent, const char* name, const QString& caption, const QRect& geometry, const char* frameName = nullptr);
// An invisible strip that moves the window when dragged.
QWidget* makeDragStrip(QWidget* parent, const char* name, const QRect& geometry);

// The "+map" button: selects an existing "+map %mapname%" (any letter case) or puts "+map %MAPNAME% " first.
void insertOrSelectMapParameter(QLineEdit* gameParameters);

} // namespace ferrowind
