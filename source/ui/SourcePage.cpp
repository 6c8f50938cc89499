#include "source/ui/SourcePage.h"

#include "app/ColorDigit.h"
#include "app/ProgramInfo.h"
#include "app/ui/PageParts.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {
std::string Text(const QLineEdit* edit) { return Trim(edit->text().toLocal8Bit().toStdString()); }
}

SourcePage::SourcePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS2");
    resize(kPageSize);
    BuildToolStrip();
    BuildVmfGroup();
    BuildPresetGroup();
    BuildParameterGroup();
    BuildAfterGroup();
}

void SourcePage::BuildToolStrip()
{
    QWidget* strip = MakeToolStrip(this, "INFSToolB3");
    connect(AddToolButton(strip, "INFSToolB02", "Compile"), &QToolButton::clicked, this, &SourcePage::compileRequested);
    connect(AddToolButton(strip, "INFSToolB03", "Save As..."), &QToolButton::clicked, this, &SourcePage::saveRequested);
    connect(AddToolButton(strip, "INFSToolB04", "Batch Editor"), &QToolButton::clicked, this, &SourcePage::editorRequested);
    connect(AddToolButton(strip, "INFSToolB05", "Configurations"), &QToolButton::clicked, this, &SourcePage::configurationsRequested);
    AddToolButton(strip, "INFSToolB06", "Run from...");
    AddToolStripGap(strip);
    connect(AddToolButton(strip, "INFSToolB07", "About"), &QToolButton::clicked, this, &SourcePage::aboutRequested);
}

void SourcePage::BuildVmfGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB001", "Vmf file", {8, 36, 425, 49});
    vmfEdit_ = MakeEdit(group, "INFSEdit001", {8, 18, 383, 21});
    vmfEdit_->setReadOnly(true);
    connect(MakePanelButton(group, "INFSDPDec008", "...", {395, 18, 22, 21}), &QPushButton::clicked, this, &SourcePage::vmfChooserRequested);
}

void SourcePage::BuildPresetGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB002", "Presets", {440, 36, 193, 49});
    auto* list = new QComboBox(group);
    list->setObjectName("INFSPresetList1");
    list->setGeometry(8, 18, 130, 21);
    list->addItems({"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"});
    list->setCurrentIndex(-1);
    MakePanelButton(group, "INFSDPDec007", "Edit", {142, 18, 43, 21});
}

void SourcePage::BuildParameterGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB003", "Compilation parametres", {8, 92, 497, 175});
    const char* checkNames[] = {"INFSChb_SBSP", "INFSChb_SVIS", "INFSChb_SRAD"};
    const char* editNames[] = {"INFSEdit002", "INFSEdit003", "INFSEdit004"};
    const char* captions[] = {"BSP", "VIS", "RAD"};
    for (int i = 0; i < 3; ++i) {
        const int top = 20 + i * 29;
        stageChecks_[i] = MakeCheck(group, checkNames[i], captions[i], {10, top, 60, 21}, true);
        stageEdits_[i] = MakeEdit(group, editNames[i], {75, top, 412, 21});
    }
    const int gameTop = 20 + 3 * 29;
    gameCheck_ = MakeCheck(group, "INFSChb_SHL2", "Game", {10, gameTop, 60, 21}, true);
    gameEdit_ = MakeEdit(group, "INFSEdit005", {75, gameTop, 362, 21});
    mapParameterButton_ = MakePanelButton(group, "INFSDPDec005", "+map", {441, gameTop, 46, 21});
    connect(mapParameterButton_, &QPushButton::clicked, this, &SourcePage::INFSDPDec005Click);

    // Invisible strip along the group's empty bottom row; dragging on it moves the window.
    auto* dragStrip = new QWidget(group);
    dragStrip->setObjectName("INFSDPDec006");
    dragStrip->setGeometry(10, 146, 477, 17);
}

void SourcePage::BuildAfterGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB004", "After compilation", {512, 92, 121, 175});
    const QRect rows[] = {{8, 18, 108, 17}, {8, 36, 108, 17}, {8, 54, 108, 17}, {8, 72, 108, 17}, {8, 90, 108, 17}, {8, 108, 108, 17}};
    notCopyBsp_ = MakeCheck(group, "INFSChb01", "Not copy *.bsp", rows[0], false);
    openLog_ = MakeCheck(group, "INFSChb02", "Open log file", rows[1], false);
    deleteLog_ = MakeCheck(group, "INFSChbDeleteLOGs", "Delete .log", rows[2], false);
    pause_ = MakeCheck(group, "INFSChb03", "Pause", rows[3], false);
    beep_ = MakeCheck(group, "INFSChb04", "Beep!", rows[4], false);
    shutdown_ = MakeCheck(group, "INFSChb05", "Shutdown PC", rows[5], false);
    connect(shutdown_, &QCheckBox::toggled, this, &SourcePage::S_ShutDownCheck);
}

SPageState SourcePage::PageState() const
{
    return {Text(vmfEdit_), stageChecks_[0]->isChecked(), stageChecks_[1]->isChecked(), stageChecks_[2]->isChecked()};
}

TSConfig SourcePage::Gather(const TFerrowindSettings& settings, const std::string& programPath) const
{
    TSConfig c;
    c.BspTool = settings.SBspTool;
    c.VisTool = settings.SVisTool;
    c.RadTool = settings.SRadTool;
    c.GameExe = settings.SGameExe;
    c.BspOutDir = settings.SBspOut;
    c.BinDir = settings.SBin;
    c.BspParams = Text(stageEdits_[0]);
    c.VisParams = Text(stageEdits_[1]);
    c.RadParams = Text(stageEdits_[2]);
    c.GameParams = Text(gameEdit_);
    c.VmfFile = Text(vmfEdit_);
    c.RunBsp = stageChecks_[0]->isChecked();
    c.RunVis = stageChecks_[1]->isChecked();
    c.RunRad = stageChecks_[2]->isChecked();
    c.RunGame = gameCheck_->isChecked();
    c.DeleteLog = deleteLog_->isChecked();
    c.NotCopyBsp = notCopyBsp_->isChecked();
    c.OpenLog = openLog_->isChecked();
    c.Pause = pause_->isChecked();
    c.Beep = beep_->isChecked();
    c.Shutdown = shutdown_->isChecked();
    c.ConsoleColor = ConsoleColorCode(settings.BackColor, settings.TextColor);
    c.Version = kProgramVersion;
    c.LogViewer = FileExists(settings.LogViewer) ? settings.LogViewer : "Notepad";
    c.ProgramPath = programPath;
    return c;
}

void SourcePage::SetVmfFile(const QString& path) { vmfEdit_->setText(path); }

void SourcePage::INFSDPDec008Click(Dialogs& dialogs)
{
    const auto chosen = dialogs.OpenFile({"Valve map(*.vmf)|*.vmf", {}});
    if (!chosen)
        return;
    if (ToLowerAscii(ExtensionOf(*chosen)) == ".vmf")
        vmfEdit_->setText(QString::fromLocal8Bit(*chosen));
    vmfEdit_->setCursorPosition(static_cast<int>(vmfEdit_->text().size()));
}

void SourcePage::INFSDPDec005Click() { InsertOrSelectMapParameter(gameEdit_); }

void SourcePage::S_ShutDownCheck()
{
    const bool shutdown = shutdown_->isChecked();
    for (QCheckBox* check : {openLog_, pause_, beep_, deleteLog_, gameCheck_}) {
        if (shutdown)
            check->setChecked(false);
        check->setEnabled(!shutdown);
    }
    gameEdit_->setEnabled(!shutdown);
    mapParameterButton_->setEnabled(!shutdown);
}
