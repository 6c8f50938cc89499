#pragma once

#include <string>

namespace ferrowind {

class Prompts;

// Preset names hold ASCII letters and digits only; at the first other character the user is told
// which one it is and the answer is false. An empty name passes (callers refuse it themselves).
bool checkPresetName(const std::string& name, Prompts& prompts);

} // namespace ferrowind
