#include "goldsource/ui/GoldSourcePage.h"

#include "goldsource/GoldSourceOptions.h"

namespace ferrowind {

namespace {
constexpr StageRow kStages[] = {
    {"INFSChb_CSG", "INFSEdit1", "CSG"},
    {"INFSChb_BSP", "INFSEdit2", "BSP"},
    {"INFSChb_VIS", "INFSEdit3", "VIS"},
    {"INFSChb_RAD", "INFSEdit4", "RAD"},
};
constexpr NamedCheck kDeletions[] = {
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
constexpr NamedCheck kAfterwards[] = {
    {"INFSChb0", "Copy .pts"},
    {"INFSChb1", "Not copy *.bsp"},
    {"INFSChb2", "Open log file"},
    {"INFSChb3", "Pause"},
    {"INFSChb4", "Beep!"},
    {"INFSChb5", "Shutdown PC"},
};
constexpr CheckColumn kAfterColumns[] = {{8, 82, kDeletions}, {90, 101, kAfterwards}};
constexpr const char* kShutdownClears[] = {"INFSChb2", "INFSChb3", "INFSChb4", "INFSChbDeleteLOG", "INFSChbDeletePTS"};
} // namespace

const CompilePageTable& goldSourcePageTable()
{
    static const CompilePageTable table{
        .page = "INFSTS0",
        .toolStrip = "INFSToolB1",
        .compileButton = "INFSButtonRun",
        .saveButton = "INFSButtonSave",
        .editorButton = "INFSButtonEditor",
        .configurationsButton = "INFSButtonConfig",
        .runHelpButton = "INFSToolB01",
        .aboutButton = "INFSButtonAbout0",
        .fileGroup = "INFSGB0",
        .fileCaption = "Map file",
        .fileEdit = "INFSEdit0",
        .fileButton = "INFSButton0",
        .fileFilter = "Game maps (*.map)|*.map",
        .fileExtension = ".map",
        .presetGroup = "INFSGB1",
        .presetList = "INFSPresetList",
        .presetEditButton = "INFSButton1",
        .initialPresets = {},
        .parameterGroup = "INFSGB2",
        .parameterGroupWidth = 425,
        .stages = kStages,
        .game = {"INFSChb_HL", "INFSEdit5", "Game"},
        .mapParameterButton = "INFSButton2",
        .dragStrip = nullptr,
        .afterGroup = "INFSGB3",
        .afterGroupGeometry = {440, 92, 193, 175},
        .afterPitch = 17,
        .afterColumns = kAfterColumns,
        .shutdownCheck = "INFSChb5",
        .shutdownClears = kShutdownClears,
        .options = pageOptionHooks(goldSourceFields()),
    };
    return table;
}

} // namespace ferrowind
