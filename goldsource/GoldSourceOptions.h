#pragma once

#include "script/OptionFields.h"

#include <string>

namespace ferrowind {

// The compile options of the "Half-Life compiling" page, in their initial state.
struct GoldSourceOptions {
    std::string csgParams;
    std::string bspParams;
    std::string visParams;
    std::string radParams;
    std::string gameParams;
    bool runCsg = true;
    bool runBsp = true;
    bool runVis = true;
    bool runRad = true;
    bool runGame = true;
    bool deleteP0 = false;
    bool deleteP1 = false;
    bool deleteP2 = false;
    bool deleteP3 = false;
    bool deletePrt = false;
    bool deleteWic = false;
    bool deleteLin = false;
    bool deletePts = false;
    bool deleteLog = false;
    bool copyPts = false;
    bool notCopyBsp = false;
    bool openLog = false;
    bool pause = false;
    bool beep = false;
    bool shutdown = false;

    bool operator==(const GoldSourceOptions&) const = default;
};

// Page widget, preset section and key, and default of every option, in preset order.
const OptionFields<GoldSourceOptions>& goldSourceFields();

} // namespace ferrowind
