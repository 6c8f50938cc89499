#pragma once

#include "script/StagePlan.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace ferrowind {

class Prompts;

enum class CheckVerdict {
    Proceed,
    MapMissing, // the Half-Life page puts the input focus on the map edit
    Refused,
};

// The map edit's text must name an existing map; tells the user otherwise.
CheckVerdict checkMapFile(const std::string& mapEdit, Prompts& prompts);

// Runs the script's generator and tells the user why a value of it cannot go into a script; true when the
// script can be made.
bool scriptCanBeMade(const std::function<void()>& generate, Prompts& prompts);

// Asks "<problem>\r\nContinue compilation?" with No as the default; true on Yes.
bool continueDespite(Prompts& prompts, const std::string& problem);

// Each selected stage whose tool file is missing asks whether to go on; false at the first No.
bool confirmStageTools(const StagePlan& stages, Prompts& prompts);

// A missing folder asks "<problem>\r\nContinue compilation?"; false on No.
bool confirmFolder(const std::string& folder, const std::string& problem, Prompts& prompts);

} // namespace ferrowind
