#include "decompile/ui/DecompilePage.h"

#include "ui/PageParts.h"

#include <QToolButton>

namespace ferrowind {

DecompilePage::DecompilePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS1");
    resize(kPageSize);
    QWidget* strip = makeToolStrip(this, "INFSToolB2");
    addToolButton(strip, "INFSTool_Dec", "Decompile");
    addToolStripGap(strip);
    connect(
        addToolButton(strip, "INFSButtonAbout1", "About"), &QToolButton::clicked, this, &DecompilePage::aboutRequested);

    makeGroup(this, "INFSGB00", "Bsp file", {8, 36, 441, 49});
    makeGroup(this, "INFSGB01", "Output folder", {8, 92, 625, 49});
    makeGroup(this, "INFSGB02", "Options", {8, 148, 313, 119});
    makeGroup(this, "INFSGB03", "Info", {328, 148, 305, 119});
}

} // namespace ferrowind
