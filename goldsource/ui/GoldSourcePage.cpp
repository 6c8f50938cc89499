#include "goldsource/ui/GoldSourcePage.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "platform/Dialogs.h"
#include "presets/PresetFile.h"
#include "ui/LocalText.h"
#include "ui/OptionBinding.h"
#include "ui/PageParts.h"
#include "ui/PresetList.h"

#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>

namespace ferrowind {

GoldSourcePage::GoldSourcePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS0");
    resize(kPageSize);
    buildToolStrip();
    buildMapGroup();
    buildPresetGroup();
    buildParameterGroup();
    buildAfterGroup();
}

void GoldSourcePage::buildToolStrip()
{
    QWidget* strip = makeToolStrip(this, "INFSToolB1");
    connect(addToolButton(strip, "INFSButtonRun", "Compile"), &QToolButton::clicked, this,
        &GoldSourcePage::compileRequested);
    connect(addToolButton(strip, "INFSButtonSave", "Save As..."), &QToolButton::clicked, this,
        &GoldSourcePage::saveRequested);
    connect(addToolButton(strip, "INFSButtonEditor", "Batch Editor"), &QToolButton::clicked, this,
        &GoldSourcePage::editorRequested);
    connect(addToolButton(strip, "INFSButtonConfig", "Configurations"), &QToolButton::clicked, this,
        &GoldSourcePage::configurationsRequested);
    addToolButton(strip, "INFSToolB01", "Run from...");
    addToolStripGap(strip);
    connect(addToolButton(strip, "INFSButtonAbout0", "About"), &QToolButton::clicked, this,
        &GoldSourcePage::aboutRequested);
}

void GoldSourcePage::buildMapGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB0", "Map file", {8, 36, 425, 49});
    mapEdit_ = makeEdit(group, "INFSEdit0", {8, 18, 388, 21});
    mapEdit_->setReadOnly(true);
    connect(makePanelButton(group, "INFSButton0", "...", {395, 18, 22, 21}), &QPushButton::clicked, this,
        &GoldSourcePage::mapChooserRequested);
}

void GoldSourcePage::buildPresetGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB1", "Presets", {440, 36, 193, 49});
    presetList_ = new PresetList(
        group, [this] { setOptions(defaultOptions(goldSourceFields())); },
        [this](const std::string& path) { loadPreset(path); });
    presetList_->setObjectName("INFSPresetList");
    presetList_->setGeometry(8, 18, 130, 21);
    connect(makePanelButton(group, "INFSButton1", "Edit", {142, 18, 43, 21}), &QPushButton::clicked, this,
        &GoldSourcePage::presetsEditRequested);
}

void GoldSourcePage::buildParameterGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB2", "Compilation parametres", {8, 92, 425, 175});
    const struct {
        const char* check;
        const char* edit;
        const char* caption;
    } stages[] = {
        {"INFSChb_CSG", "INFSEdit1", "CSG"},
        {"INFSChb_BSP", "INFSEdit2", "BSP"},
        {"INFSChb_VIS", "INFSEdit3", "VIS"},
        {"INFSChb_RAD", "INFSEdit4", "RAD"},
    };
    int top = 20;
    for (const auto& stage : stages) {
        makeCheck(group, stage.check, stage.caption, {10, top, 60, 21}, true);
        makeEdit(group, stage.edit, {75, top, 340, 21});
        top += 29;
    }
    gameCheck_ = makeCheck(group, "INFSChb_HL", "Game", {10, top, 60, 21}, true);
    gameEdit_ = makeEdit(group, "INFSEdit5", {75, top, 295, 21});
    mapParameterButton_ = makePanelButton(group, "INFSButton2", "+map", {369, top, 46, 21});
    connect(mapParameterButton_, &QPushButton::clicked, this, [this] { insertOrSelectMapParameter(gameEdit_); });
}

void GoldSourcePage::buildAfterGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB3", "After compilation", {440, 92, 193, 175});
    const std::pair<const char*, const char*> deletions[] = {
        {"INFSChbDeleteP0", "Delete .p0"},
        {"INFSChbDeleteP1", "Delete .p1"},
        {"INFSChbDeleteP2", "Delete .p2"},
        {"INFSChbDeleteP3", "Delete .p3"},
        {"INFSChbDeletePRT", "Delete .prt"},
        {"INFSChbDeleteWIC", "Delete .wic"},
        {"INFSChbDeleteLIN", "Delete .lin"},
        {"INFSChbDeletePTS", "Delete .pts"},
        {"INFSChbDeleteLOG", "Delete .log"},
    };
    int top = 18;
    for (const auto& [name, caption] : deletions) {
        makeCheck(group, name, caption, {8, top, 82, 17}, false);
        top += 17;
    }
    const std::pair<const char*, const char*> afterwards[] = {
        {"INFSChb0", "Copy .pts"},
        {"INFSChb1", "Not copy *.bsp"},
        {"INFSChb2", "Open log file"},
        {"INFSChb3", "Pause"},
        {"INFSChb4", "Beep!"},
        {"INFSChb5", "Shutdown PC"},
    };
    top = 18;
    for (const auto& [name, caption] : afterwards) {
        makeCheck(group, name, caption, {90, top, 101, 17}, false);
        top += 17;
    }
    shutdownCheck_ = group->findChild<QCheckBox*>("INFSChb5");
    for (const char* name : {"INFSChb2", "INFSChb3", "INFSChb4", "INFSChbDeleteLOG", "INFSChbDeletePTS"})
        shutdownClears_.push_back(group->findChild<QCheckBox*>(name));
    shutdownClears_.push_back(gameCheck_);
    connect(shutdownCheck_, &QCheckBox::toggled, this, &GoldSourcePage::applyShutdownRule);
}

GoldSourceOptions GoldSourcePage::options() const { return readOptions(*this, goldSourceFields()); }

void GoldSourcePage::setOptions(const GoldSourceOptions& options)
{
    showOptions(*this, goldSourceFields(), options);
    applyShutdownRule();
}

void GoldSourcePage::setPresetFolder(const PresetFolder& folder) { presetList_->setFolder(folder); }

bool GoldSourcePage::loadPreset(const std::string& path)
{
    const auto options = ferrowind::loadPreset(path, goldSourceFields());
    if (options)
        setOptions(*options);
    return options.has_value();
}

void GoldSourcePage::savePreset(const std::string& path) const
{
    ferrowind::savePreset(path, goldSourceFields(), options());
}

void GoldSourcePage::selectPresetAtStart(const std::string& name) { presetList_->selectAtStart(name); }

std::string GoldSourcePage::mapFile() const { return base::trim(toLocal(mapEdit_->text())); }

void GoldSourcePage::setMapFile(const QString& path) { mapEdit_->setText(path); }

void GoldSourcePage::focusMapEdit() { mapEdit_->setFocus(); }

void GoldSourcePage::chooseMap(Dialogs& dialogs)
{
    const auto chosen = dialogs.openFile({"Game maps (*.map)|*.map", {}});
    if (!chosen)
        return;
    if (base::toLowerAscii(base::extensionOf(*chosen)) == ".map")
        mapEdit_->setText(fromLocal(*chosen));
    mapEdit_->setCursorPosition(static_cast<int>(mapEdit_->text().size()));
}

void GoldSourcePage::applyShutdownRule()
{
    const bool shutdown = shutdownCheck_->isChecked();
    for (QCheckBox* check : shutdownClears_) {
        if (shutdown)
            check->setChecked(false);
        check->setEnabled(!shutdown);
    }
    gameEdit_->setEnabled(!shutdown);
    mapParameterButton_->setEnabled(!shutdown);
}

} // namespace ferrowind
