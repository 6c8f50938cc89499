#include "ui/CompilePage.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "platform/Dialogs.h"
#include "ui/LocalText.h"
#include "ui/PageParts.h"
#include "ui/PresetList.h"

#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>

namespace ferrowind {

namespace {
constexpr int kFileGroupWidth = 425;
constexpr int kStageEditLeft = 75;
// The stage edits end this far short of their group's right edge.
constexpr int kStageEditMargin = 85;
constexpr int kStagePitch = 29;
constexpr int kMapParameterWidth = 46;
} // namespace

CompilePage::CompilePage(QWidget* parent, const CompilePageTable& table) : QWidget(parent), table_(table)
{
    setObjectName(table_.page);
    resize(kPageSize);
    buildToolStrip();
    buildMapGroup();
    buildPresetGroup();
    buildParameterGroup();
    buildAfterGroup();
}

void CompilePage::buildToolStrip()
{
    QWidget* strip = makeToolStrip(this, table_.toolStrip);
    const auto button = [this, strip](const char* name, const QString& caption, void (CompilePage::*signal)()) {
        QToolButton* added = addToolButton(strip, name, caption);
        if (signal != nullptr)
            connect(added, &QToolButton::clicked, this, signal);
    };
    button(table_.compileButton, "Compile", &CompilePage::compileRequested);
    button(table_.saveButton, "Save As...", &CompilePage::saveRequested);
    button(table_.editorButton, "Batch Editor", &CompilePage::editorRequested);
    button(table_.configurationsButton, "Configurations", &CompilePage::configurationsRequested);
    button(table_.runHelpButton, "Run from...", nullptr);
    addToolStripGap(strip);
    button(table_.aboutButton, "About", &CompilePage::aboutRequested);
}

void CompilePage::buildMapGroup()
{
    QGroupBox* group = makeGroup(this, table_.fileGroup, table_.fileCaption, {8, 36, kFileGroupWidth, 49});
    mapEdit_ = makeEdit(group, table_.fileEdit, {8, 18, 388, 21});
    mapEdit_->setReadOnly(true);
    connect(makePanelButton(group, table_.fileButton, "...", {395, 18, 22, 21}), &QPushButton::clicked, this,
        &CompilePage::mapChooserRequested);
}

void CompilePage::buildPresetGroup()
{
    QGroupBox* group = makeGroup(this, table_.presetGroup, "Presets", {440, 36, 193, 49});
    presetList_ = new PresetList(
        group, [this] { showDefaults(); }, [this](const std::string& path) { loadPreset(path); });
    presetList_->setObjectName(table_.presetList);
    presetList_->setGeometry(8, 18, 129, 21);
    for (const char* entry : table_.initialPresets)
        presetList_->addItem(entry);
    presetList_->setCurrentIndex(-1);
    connect(makePanelButton(group, table_.presetEditButton, "Edit", {142, 18, 43, 21}), &QPushButton::clicked, this,
        &CompilePage::presetsEditRequested);
}

void CompilePage::buildParameterGroup()
{
    const int width = table_.parameterGroupWidth;
    QGroupBox* group = makeGroup(this, table_.parameterGroup, "Compilation parametres", {8, 92, width, 175});
    const int editWidth = width - kStageEditMargin;
    int top = 20;
    for (const StageRow& stage : table_.stages) {
        makeCheck(group, stage.check, stage.caption, {10, top, 60, 21}, true);
        makeEdit(group, stage.edit, {kStageEditLeft, top, editWidth, 21});
        top += kStagePitch;
    }
    // The "+map" button's box shares its left outline with the game edit's box.
    gameCheck_ = makeCheck(group, table_.game.check, table_.game.caption, {10, top, 60, 21}, true);
    gameEdit_ = makeEdit(group, table_.game.edit, {kStageEditLeft, top, editWidth - kMapParameterWidth + 1, 21});
    mapParameterButton_ = makePanelButton(group, table_.mapParameterButton, "+map",
        {kStageEditLeft + editWidth - kMapParameterWidth, top, kMapParameterWidth, 21});
    connect(mapParameterButton_, &QPushButton::clicked, this, [this] { insertOrSelectMapParameter(gameEdit_); });

    // Invisible strip along the group's empty bottom row; dragging on it moves the window.
    if (table_.dragStrip != nullptr)
        makeDragStrip(group, table_.dragStrip, {10, 146, 477, 17});
}

void CompilePage::buildAfterGroup()
{
    QGroupBox* group = makeGroup(this, table_.afterGroup, "After compilation", table_.afterGroupGeometry);
    for (const CheckColumn& column : table_.afterColumns) {
        int top = 18;
        for (const auto& [name, caption] : column.checks) {
            makeCheck(group, name, caption, {column.left, top, column.width, 17}, false);
            top += table_.afterPitch;
        }
    }
    shutdownCheck_ = group->findChild<QCheckBox*>(table_.shutdownCheck);
    for (const char* name : table_.shutdownClears)
        shutdownClears_.push_back(group->findChild<QCheckBox*>(name));
    shutdownClears_.push_back(gameCheck_);
    connect(shutdownCheck_, &QCheckBox::toggled, this, &CompilePage::applyShutdownRule);
}

void CompilePage::showDefaults()
{
    table_.options.showDefaults(*this);
    applyShutdownRule();
}

void CompilePage::setPresetFolder(const PresetFolder& folder) { presetList_->setFolder(folder); }

bool CompilePage::loadPreset(const std::string& path)
{
    if (!table_.options.loadPreset(*this, path))
        return false;
    applyShutdownRule();
    return true;
}

void CompilePage::savePreset(const std::string& path) const { table_.options.savePreset(*this, path); }

void CompilePage::selectPresetAtStart(const std::string& name) { presetList_->selectAtStart(name); }

std::string CompilePage::mapFile() const { return base::trim(toLocal(mapEdit_->text())); }

void CompilePage::setMapFile(const QString& path) { mapEdit_->setText(path); }

void CompilePage::focusMapEdit() { mapEdit_->setFocus(); }

void CompilePage::chooseMap(Dialogs& dialogs)
{
    const auto chosen = dialogs.openFile({table_.fileFilter, toLocal(mapEdit_->text()), {}, false, FileKind::Maps});
    if (!chosen)
        return;
    if (base::toLowerAscii(base::extensionOf(*chosen)) == table_.fileExtension)
        mapEdit_->setText(fromLocal(*chosen));
    mapEdit_->setCursorPosition(static_cast<int>(mapEdit_->text().size()));
}

void CompilePage::applyShutdownRule()
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
