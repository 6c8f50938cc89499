#include "source/ui/SourcePage.h"

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

SourcePage::SourcePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS2");
    resize(kPageSize);
    buildToolStrip();
    buildVmfGroup();
    buildPresetGroup();
    buildParameterGroup();
    buildAfterGroup();
}

void SourcePage::buildToolStrip()
{
    QWidget* strip = makeToolStrip(this, "INFSToolB3");
    connect(addToolButton(strip, "INFSToolB02", "Compile"), &QToolButton::clicked, this, &SourcePage::compileRequested);
    connect(addToolButton(strip, "INFSToolB03", "Save As..."), &QToolButton::clicked, this, &SourcePage::saveRequested);
    connect(
        addToolButton(strip, "INFSToolB04", "Batch Editor"), &QToolButton::clicked, this, &SourcePage::editorRequested);
    connect(addToolButton(strip, "INFSToolB05", "Configurations"), &QToolButton::clicked, this,
        &SourcePage::configurationsRequested);
    addToolButton(strip, "INFSToolB06", "Run from...");
    addToolStripGap(strip);
    connect(addToolButton(strip, "INFSToolB07", "About"), &QToolButton::clicked, this, &SourcePage::aboutRequested);
}

void SourcePage::buildVmfGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB001", "Vmf file", {8, 36, 425, 49});
    vmfEdit_ = makeEdit(group, "INFSEdit001", {8, 18, 388, 21});
    vmfEdit_->setReadOnly(true);
    connect(makePanelButton(group, "INFSDPDec008", "...", {395, 18, 22, 21}), &QPushButton::clicked, this,
        &SourcePage::vmfChooserRequested);
}

void SourcePage::buildPresetGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB002", "Presets", {440, 36, 193, 49});
    presetList_ = new PresetList(
        group, [this] { setOptions(defaultOptions(sourceFields())); },
        [this](const std::string& path) { loadPreset(path); });
    presetList_->setObjectName("INFSPresetList1");
    presetList_->setGeometry(8, 18, 130, 21);
    presetList_->addItems({"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"});
    presetList_->setCurrentIndex(-1);
    connect(makePanelButton(group, "INFSDPDec007", "Edit", {142, 18, 43, 21}), &QPushButton::clicked, this,
        &SourcePage::presetsEditRequested);
}

void SourcePage::buildParameterGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB003", "Compilation parametres", {8, 92, 497, 175});
    const struct {
        const char* check;
        const char* edit;
        const char* caption;
    } stages[] = {
        {"INFSChb_SBSP", "INFSEdit002", "BSP"},
        {"INFSChb_SVIS", "INFSEdit003", "VIS"},
        {"INFSChb_SRAD", "INFSEdit004", "RAD"},
    };
    int top = 20;
    for (const auto& stage : stages) {
        makeCheck(group, stage.check, stage.caption, {10, top, 60, 21}, true);
        makeEdit(group, stage.edit, {75, top, 412, 21});
        top += 29;
    }
    gameCheck_ = makeCheck(group, "INFSChb_SHL2", "Game", {10, top, 60, 21}, true);
    gameEdit_ = makeEdit(group, "INFSEdit005", {75, top, 367, 21});
    mapParameterButton_ = makePanelButton(group, "INFSDPDec005", "+map", {441, top, 46, 21});
    connect(mapParameterButton_, &QPushButton::clicked, this, [this] { insertOrSelectMapParameter(gameEdit_); });

    // Invisible strip along the group's empty bottom row; dragging on it moves the window.
    makeDragStrip(group, "INFSDPDec006", {10, 146, 477, 17});
}

void SourcePage::buildAfterGroup()
{
    QGroupBox* group = makeGroup(this, "INFSGB004", "After compilation", {512, 92, 121, 175});
    const std::pair<const char*, const char*> checks[] = {
        {"INFSChb01", "Not copy *.bsp"},
        {"INFSChb02", "Open log file"},
        {"INFSChbDeleteLOGs", "Delete .log"},
        {"INFSChb03", "Pause"},
        {"INFSChb04", "Beep!"},
        {"INFSChb05", "Shutdown PC"},
    };
    int top = 18;
    for (const auto& [name, caption] : checks) {
        makeCheck(group, name, caption, {8, top, 108, 17}, false);
        top += 18;
    }
    shutdownCheck_ = group->findChild<QCheckBox*>("INFSChb05");
    for (const char* name : {"INFSChb02", "INFSChb03", "INFSChb04", "INFSChbDeleteLOGs"})
        shutdownClears_.push_back(group->findChild<QCheckBox*>(name));
    shutdownClears_.push_back(gameCheck_);
    connect(shutdownCheck_, &QCheckBox::toggled, this, &SourcePage::applyShutdownRule);
}

SourceOptions SourcePage::options() const { return readOptions(*this, sourceFields()); }

void SourcePage::setOptions(const SourceOptions& options)
{
    showOptions(*this, sourceFields(), options);
    applyShutdownRule();
}

void SourcePage::setPresetFolder(const PresetFolder& folder) { presetList_->setFolder(folder); }

bool SourcePage::loadPreset(const std::string& path)
{
    const auto options = ferrowind::loadPreset(path, sourceFields());
    if (options)
        setOptions(*options);
    return options.has_value();
}

void SourcePage::savePreset(const std::string& path) const { ferrowind::savePreset(path, sourceFields(), options()); }

void SourcePage::selectPresetAtStart(const std::string& name) { presetList_->selectAtStart(name); }

std::string SourcePage::vmfFile() const { return base::trim(toLocal(vmfEdit_->text())); }

void SourcePage::setVmfFile(const QString& path) { vmfEdit_->setText(path); }

void SourcePage::chooseVmf(Dialogs& dialogs)
{
    const auto chosen = dialogs.openFile({"Valve map(*.vmf)|*.vmf", {}});
    if (!chosen)
        return;
    if (base::toLowerAscii(base::extensionOf(*chosen)) == ".vmf")
        vmfEdit_->setText(fromLocal(*chosen));
    vmfEdit_->setCursorPosition(static_cast<int>(vmfEdit_->text().size()));
}

void SourcePage::applyShutdownRule()
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
