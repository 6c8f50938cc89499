#include "ui/PageParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace ferrowind {

namespace {
constexpr int kToolStripHeight = 29;
} // namespace

QWidget* makeToolStrip(QWidget* page, const char* name)
{
    auto* strip = new QWidget(page);
    strip->setObjectName(name);
    strip->setAutoFillBackground(true);
    strip->setGeometry(0, 0, page->width(), kToolStripHeight);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(4, 2, 4, 3);
    layout->setSpacing(2);
    return strip;
}

QToolButton* addToolButton(QWidget* strip, const char* name, const QString& caption)
{
    auto* button = new QToolButton(strip);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFixedHeight(24);
    strip->layout()->addWidget(button);
    return button;
}

void addToolStripGap(QWidget* strip) { static_cast<QHBoxLayout*>(strip->layout())->addStretch(1); }

QGroupBox* makeGroup(QWidget* page, const char* name, const QString& caption, const QRect& geometry)
{
    auto* group = new QGroupBox(caption, page);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
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

QPushButton* makePanelButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
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
