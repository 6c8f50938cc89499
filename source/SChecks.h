#pragma once

#include "app/Configuration.h"

#include <string>
#include <vector>

class Prompts;

// What the check needs of the Half-Life 2 page.
struct SPageState {
    std::string vmfEdit;
    bool runBsp = true;
    bool runVis = true;
    bool runRad = true;
};

// The gate before a Half-Life 2 script is run or saved. Unlike the Half-Life check it leaves the focus
// alone, also asks about the Bin folder, and tests the tool paths exactly as stored.
bool S_Init(const TFerrowindSettings& settings, const SPageState& page, const std::vector<std::string>& scriptPaths, Prompts& prompts);
