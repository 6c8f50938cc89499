#pragma once

#include "base/ProgramOptions.h"

namespace ferrowind {

inline constexpr const char* kProgramVersion = base::kVersion;
inline constexpr const char* kMainCaption = "Ferrowind 1.2";
inline constexpr const char* kContactAddress = "ferrowind@mailbox.org";

} // namespace ferrowind
