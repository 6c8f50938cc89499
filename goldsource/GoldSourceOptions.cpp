#include "goldsource/GoldSourceOptions.h"

namespace ferrowind {

namespace {
using Options = GoldSourceOptions;

constexpr TextField<Options> kTexts[] = {
    {"INFSEdit1", "P", "CSG", &Options::csgParams},
    {"INFSEdit2", "P", "BSP", &Options::bspParams},
    {"INFSEdit3", "P", "VIS", &Options::visParams},
    {"INFSEdit4", "P", "RAD", &Options::radParams},
    {"INFSEdit5", "P", "HL", &Options::gameParams},
};

constexpr FlagField<Options> kFlags[] = {
    {"INFSChb_CSG", "U", "CSG", &Options::runCsg, true},
    {"INFSChb_BSP", "U", "BSP", &Options::runBsp, true},
    {"INFSChb_VIS", "U", "VIS", &Options::runVis, true},
    {"INFSChb_RAD", "U", "RAD", &Options::runRad, true},
    {"INFSChb_HL", "U", "HL", &Options::runGame, true},
    {"INFSChbDeleteP0", "A", "p0", &Options::deleteP0, false},
    {"INFSChbDeleteP1", "A", "p1", &Options::deleteP1, false},
    {"INFSChbDeleteP2", "A", "p2", &Options::deleteP2, false},
    {"INFSChbDeleteP3", "A", "p3", &Options::deleteP3, false},
    {"INFSChbDeletePRT", "A", "prt", &Options::deletePrt, false},
    {"INFSChbDeleteWIC", "A", "wic", &Options::deleteWic, false},
    {"INFSChbDeleteLIN", "A", "lin", &Options::deleteLin, false},
    {"INFSChbDeletePTS", "A", "pts", &Options::deletePts, false},
    {"INFSChbDeleteLOG", "A", "log", &Options::deleteLog, false},
    {"INFSChb0", "A", "a0", &Options::copyPts, false},
    {"INFSChb1", "A", "a1", &Options::notCopyBsp, false},
    {"INFSChb2", "A", "a2", &Options::openLog, false},
    {"INFSChb3", "A", "a3", &Options::pause, false},
    {"INFSChb4", "A", "a4", &Options::beep, false},
    {"INFSChb5", "A", "a5", &Options::shutdown, false},
};
} // namespace

const OptionFields<GoldSourceOptions>& goldSourceFields()
{
    static const OptionFields<GoldSourceOptions> fields{kTexts, kFlags};
    return fields;
}

} // namespace ferrowind
