#include "goldsource/ui/GoldSourcePage.h"

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

GoldSourcePage::GoldSourcePage(QWidget* parent) : QWidget(parent)
{
    setObjectName("INFSTS0");
    resize(kPageSize);
    BuildToolStrip();
    BuildMapGroup();
    BuildPresetGroup();
    BuildParameterGroup();
    BuildAfterGroup();
}

void GoldSourcePage::BuildToolStrip()
{
    QWidget* strip = MakeToolStrip(this, "INFSToolB1");
    connect(AddToolButton(strip, "INFSButtonRun", "Compile"), &QToolButton::clicked, this, &GoldSourcePage::compileRequested);
    connect(AddToolButton(strip, "INFSButtonSave", "Save As..."), &QToolButton::clicked, this, &GoldSourcePage::saveRequested);
    connect(AddToolButton(strip, "INFSButtonEditor", "Batch Editor"), &QToolButton::clicked, this, &GoldSourcePage::editorRequested);
    connect(AddToolButton(strip, "INFSButtonConfig", "Configurations"), &QToolButton::clicked, this, &GoldSourcePage::configurationsRequested);
    AddToolButton(strip, "INFSToolB01", "Run from...");
    AddToolStripGap(strip);
    connect(AddToolButton(strip, "INFSButtonAbout0", "About"), &QToolButton::clicked, this, &GoldSourcePage::aboutRequested);
}

void GoldSourcePage::BuildMapGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB0", "Map file", {8, 36, 425, 49});
    mapEdit_ = MakeEdit(group, "INFSEdit0", {8, 18, 383, 21});
    mapEdit_->setReadOnly(true);
    connect(MakePanelButton(group, "INFSButton0", "...", {395, 18, 22, 21}), &QPushButton::clicked, this, &GoldSourcePage::mapChooserRequested);
}

void GoldSourcePage::BuildPresetGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB1", "Presets", {440, 36, 193, 49});
    auto* list = new QComboBox(group);
    list->setObjectName("INFSPresetList");
    list->setGeometry(8, 18, 130, 21);
    MakePanelButton(group, "INFSButton1", "Edit", {142, 18, 43, 21});
}

void GoldSourcePage::BuildParameterGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB2", "Compilation parametres", {8, 92, 425, 175});
    const char* checkNames[] = {"INFSChb_CSG", "INFSChb_BSP", "INFSChb_VIS", "INFSChb_RAD"};
    const char* editNames[] = {"INFSEdit1", "INFSEdit2", "INFSEdit3", "INFSEdit4"};
    const char* captions[] = {"CSG", "BSP", "VIS", "RAD"};
    for (int i = 0; i < 4; ++i) {
        const int top = 20 + i * 29;
        stageChecks_[i] = MakeCheck(group, checkNames[i], captions[i], {10, top, 60, 21}, true);
        stageEdits_[i] = MakeEdit(group, editNames[i], {75, top, 340, 21});
    }
    const int gameTop = 20 + 4 * 29;
    gameCheck_ = MakeCheck(group, "INFSChb_HL", "Game", {10, gameTop, 60, 21}, true);
    gameEdit_ = MakeEdit(group, "INFSEdit5", {75, gameTop, 290, 21});
    mapParameterButton_ = MakePanelButton(group, "INFSButton2", "+map", {369, gameTop, 46, 21});

    connect(mapParameterButton_, &QPushButton::clicked, this, &GoldSourcePage::INFSButton2Click);
}

void GoldSourcePage::BuildAfterGroup()
{
    QGroupBox* group = MakeGroup(this, "INFSGB3", "After compilation", {440, 92, 193, 175});
    const char* deleteNames[] = {"INFSChbDeleteP0", "INFSChbDeleteP1", "INFSChbDeleteP2", "INFSChbDeleteP3", "INFSChbDeletePRT",
                                 "INFSChbDeleteWIC", "INFSChbDeleteLIN", "INFSChbDeletePTS", "INFSChbDeleteLOG"};
    const char* deleteCaptions[] = {"Delete .p0", "Delete .p1", "Delete .p2", "Delete .p3", "Delete .prt",
                                    "Delete .wic", "Delete .lin", "Delete .pts", "Delete .log"};
    for (int i = 0; i < 9; ++i)
        deleteChecks_[i] = MakeCheck(group, deleteNames[i], deleteCaptions[i], {8, 18 + i * 17, 80, 17}, false);

    const char* afterNames[] = {"INFSChb0", "INFSChb1", "INFSChb2", "INFSChb3", "INFSChb4", "INFSChb5"};
    const char* afterCaptions[] = {"Copy .pts", "Not copy *.bsp", "Open log file", "Pause", "Beep!", "Shutdown PC"};
    for (int i = 0; i < 6; ++i)
        afterChecks_[i] = MakeCheck(group, afterNames[i], afterCaptions[i], {88, 18 + i * 17, 103, 17}, false);
    connect(afterChecks_[5], &QCheckBox::toggled, this, &GoldSourcePage::GS_ShutDownCheck);
}

GsPageState GoldSourcePage::PageState() const
{
    return {Text(mapEdit_), stageChecks_[0]->isChecked(), stageChecks_[1]->isChecked(), stageChecks_[2]->isChecked(), stageChecks_[3]->isChecked()};
}

TGSConfig GoldSourcePage::Gather(const TFerrowindSettings& settings, const std::string& programPath) const
{
    TGSConfig c;
    c.CsgTool = settings.GSCsgTool;
    c.BspTool = settings.GSBspTool;
    c.VisTool = settings.GSVisTool;
    c.RadTool = settings.GSRadTool;
    c.GameExe = settings.GSGameExe;
    c.WadRoot = settings.GSWadRoot;
    c.BspOutDir = settings.GSBspOut;
    c.MapFile = Text(mapEdit_);
    c.RunCsg = stageChecks_[0]->isChecked();
    c.RunBsp = stageChecks_[1]->isChecked();
    c.RunVis = stageChecks_[2]->isChecked();
    c.RunRad = stageChecks_[3]->isChecked();
    c.RunGame = gameCheck_->isChecked();
    c.CsgParams = Text(stageEdits_[0]);
    c.BspParams = Text(stageEdits_[1]);
    c.VisParams = Text(stageEdits_[2]);
    c.RadParams = Text(stageEdits_[3]);
    c.GameParams = Text(gameEdit_);
    c.DeleteP0 = deleteChecks_[0]->isChecked();
    c.DeleteP1 = deleteChecks_[1]->isChecked();
    c.DeleteP2 = deleteChecks_[2]->isChecked();
    c.DeleteP3 = deleteChecks_[3]->isChecked();
    c.DeletePrt = deleteChecks_[4]->isChecked();
    c.DeleteWic = deleteChecks_[5]->isChecked();
    c.DeleteLin = deleteChecks_[6]->isChecked();
    c.DeletePts = deleteChecks_[7]->isChecked();
    c.DeleteLog = deleteChecks_[8]->isChecked();
    c.CopyPts = afterChecks_[0]->isChecked();
    c.NotCopyBsp = afterChecks_[1]->isChecked();
    c.OpenLog = afterChecks_[2]->isChecked();
    c.Pause = afterChecks_[3]->isChecked();
    c.Beep = afterChecks_[4]->isChecked();
    c.Shutdown = afterChecks_[5]->isChecked();
    c.Version = kProgramVersion;
    c.ConsoleColor = ConsoleColorCode(settings.BackColor, settings.TextColor);
    c.LogViewer = FileExists(settings.LogViewer) ? settings.LogViewer : "Notepad";
    c.ProgramPath = programPath;
    return c;
}

void GoldSourcePage::SetMapFile(const QString& path) { mapEdit_->setText(path); }

void GoldSourcePage::FocusMapEdit() { mapEdit_->setFocus(); }

void GoldSourcePage::INFSButton0Click(Dialogs& dialogs)
{
    const auto chosen = dialogs.OpenFile({"Game maps (*.map)|*.map", {}});
    if (!chosen)
        return;
    if (ToLowerAscii(ExtensionOf(*chosen)) == ".map")
        mapEdit_->setText(QString::fromLocal8Bit(*chosen));
    mapEdit_->setCursorPosition(static_cast<int>(mapEdit_->text().size()));
}

void GoldSourcePage::INFSButton2Click() { InsertOrSelectMapParameter(gameEdit_); }

void GoldSourcePage::GS_ShutDownCheck()
{
    const bool shutdown = afterChecks_[5]->isChecked();
    for (QCheckBox* check : {afterChecks_[2], afterChecks_[3], afterChecks_[4], deleteChecks_[8], gameCheck_, deleteChecks_[7]}) {
        if (shutdown)
            check->setChecked(false);
        check->setEnabled(!shutdown);
    }
    gameEdit_->setEnabled(!shutdown);
    mapParameterButton_->setEnabled(!shutdown);
}
