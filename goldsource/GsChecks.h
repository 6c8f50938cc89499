#pragma once

#include "app/Configuration.h"

#include <string>

class Prompts;

// What the check needs of the Half-Life page.
struct GsPageState {
    std::string mapEdit;
    bool runCsg = true;
    bool runBsp = true;
    bool runVis = true;
    bool runRad = true;
};

enum class CheckVerdict {
    Proceed,
    MapMissing, // the page puts the input focus on the map edit
    Refused,
};

// The gate before a Half-Life script is run or saved: the map must exist and be safe to write into a
// script; a missing tool of a selected stage, WAD root or output folder asks whether to go on.
// `scriptPaths` are the configured paths the script will carry (GsScriptPaths).
CheckVerdict GS_Init(const TFerrowindSettings& settings, const GsPageState& page, const std::vector<std::string>& scriptPaths, Prompts& prompts);

// The map edit's text must name an existing map that a script can carry safely; tells the user otherwise.
CheckVerdict CheckMapFile(const std::string& mapEdit, Prompts& prompts);

// Asks "<problem>\r\nContinue compilation?" with No as the default; true on Yes.
bool ContinueDespite(Prompts& prompts, const std::string& problem);

// Tells the user why a path cannot go into a script; true when every path is safe.
bool ScriptPathsAreSafe(const std::vector<std::string>& paths, Prompts& prompts);
