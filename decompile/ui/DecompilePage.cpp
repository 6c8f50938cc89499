#include "decompile/ui/DecompilePage.h"

#include "app/ui/PageParts.h"

#include <QToolButton>

DecompilePage::DecompilePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS1");
    resize(kPageSize);
    QWidget* strip = MakeToolStrip(this, "INFSToolB2");
    AddToolButton(strip, "INFSTool_Dec", "Decompile");
    AddToolStripGap(strip);
    connect(AddToolButton(strip, "INFSButtonAbout1", "About"), &QToolButton::clicked, this, &DecompilePage::aboutRequested);

    MakeGroup(this, "INFSGB00", "Bsp file", {8, 36, 441, 49});
    MakeGroup(this, "INFSGB01", "Output folder", {8, 92, 625, 49});
    MakeGroup(this, "INFSGB02", "Options", {8, 148, 313, 119});
    MakeGroup(this, "INFSGB03", "Info", {328, 148, 305, 119});
}
