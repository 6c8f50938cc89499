#include "source/SourceOptions.h"

namespace ferrowind {

namespace {
using Options = SourceOptions;

constexpr TextField<Options> kTexts[] = {
    {"INFSEdit002", "P", "BSP", &Options::bspParams},
    {"INFSEdit003", "P", "VIS", &Options::visParams},
    {"INFSEdit004", "P", "RAD", &Options::radParams},
    {"INFSEdit005", "P", "HL", &Options::gameParams},
};

constexpr FlagField<Options> kFlags[] = {
    {"INFSChb_SBSP", "U", "BSP", &Options::runBsp, true},
    {"INFSChb_SVIS", "U", "VIS", &Options::runVis, true},
    {"INFSChb_SRAD", "U", "RAD", &Options::runRad, true},
    {"INFSChb_SHL2", "U", "HL", &Options::runGame, true},
    {"INFSChbDeleteLOGs", "A", "log", &Options::deleteLog, false},
    {"INFSChb01", "A", "a1", &Options::notCopyBsp, false},
    {"INFSChb02", "A", "a2", &Options::openLog, false},
    {"INFSChb03", "A", "a3", &Options::pause, false},
    {"INFSChb04", "A", "a4", &Options::beep, false},
    {"INFSChb05", "A", "a5", &Options::shutdown, false},
};
} // namespace

const OptionFields<SourceOptions>& sourceFields()
{
    static const OptionFields<SourceOptions> fields{kTexts, kFlags};
    return fields;
}

} // namespace ferrowind
