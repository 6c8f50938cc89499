#include "source/ui/SourcePage.h"

#include "app/ui/PageParts.h"

#include <QToolButton>

SourcePage::SourcePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS2");
    resize(kPageSize);
    QWidget* strip = MakeToolStrip(this, "INFSToolB3");
    AddToolButton(strip, "INFSToolB02", "Compile");
    AddToolButton(strip, "INFSToolB03", "Save As...");
    AddToolButton(strip, "INFSToolB04", "Batch Editor");
    AddToolButton(strip, "INFSToolB05", "Configurations");
    AddToolButton(strip, "INFSToolB06", "Run from...");
    AddToolStripGap(strip);
    connect(AddToolButton(strip, "INFSToolB07", "About"), &QToolButton::clicked, this, &SourcePage::aboutRequested);

    MakeGroup(this, "INFSGB001", "Vmf file", {8, 36, 425, 49});
    MakeGroup(this, "INFSGB002", "Presets", {440, 36, 193, 49});
    MakeGroup(this, "INFSGB003", "Compilation parametres", {8, 92, 497, 175});
    MakeGroup(this, "INFSGB004", "After compilation", {512, 92, 121, 175});
}
