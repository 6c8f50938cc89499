#include "source/ui/SourcePage.h"

#include "source/SourceOptions.h"

namespace ferrowind {

namespace {
constexpr const char* kInitialPresets[] = {"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"};
constexpr StageRow kStages[] = {
    {"INFSChb_SBSP", "INFSEdit002", "BSP"},
    {"INFSChb_SVIS", "INFSEdit003", "VIS"},
    {"INFSChb_SRAD", "INFSEdit004", "RAD"},
};
constexpr NamedCheck kAfterChecks[] = {
    {"INFSChb01", "Not copy *.bsp"},
    {"INFSChb02", "Open log file"},
    {"INFSChbDeleteLOGs", "Delete .log"},
    {"INFSChb03", "Pause"},
    {"INFSChb04", "Beep!"},
    {"INFSChb05", "Shutdown PC"},
};
constexpr CheckColumn kAfterColumns[] = {{8, 108, kAfterChecks}};
constexpr const char* kShutdownClears[] = {"INFSChb02", "INFSChb03", "INFSChb04", "INFSChbDeleteLOGs"};
} // namespace

const CompilePageTable& sourcePageTable()
{
    static const CompilePageTable table{
        .page = "INFSTS2",
        .toolStrip = "INFSToolB3",
        .compileButton = "INFSToolB02",
        .saveButton = "INFSToolB03",
        .editorButton = "INFSToolB04",
        .configurationsButton = "INFSToolB05",
        .runHelpButton = "INFSToolB06",
        .aboutButton = "INFSToolB07",
        .fileGroup = "INFSGB001",
        .fileCaption = "Vmf file",
        .fileEdit = "INFSEdit001",
        .fileButton = "INFSDPDec008",
        .fileFilter = "Valve map(*.vmf)|*.vmf",
        .fileExtension = ".vmf",
        .presetGroup = "INFSGB002",
        .presetList = "INFSPresetList1",
        .presetEditButton = "INFSDPDec007",
        .initialPresets = kInitialPresets,
        .parameterGroup = "INFSGB003",
        .parameterGroupWidth = 497,
        .stages = kStages,
        .game = {"INFSChb_SHL2", "INFSEdit005", "Game"},
        .mapParameterButton = "INFSDPDec005",
        .dragStrip = "INFSDPDec006",
        .afterGroup = "INFSGB004",
        .afterGroupGeometry = {512, 92, 121, 175},
        .afterPitch = 18,
        .afterColumns = kAfterColumns,
        .shutdownCheck = "INFSChb05",
        .shutdownClears = kShutdownClears,
        .options = pageOptionHooks(sourceFields()),
    };
    return table;
}

} // namespace ferrowind
