#pragma once

#include "script/ScriptText.h"

namespace ferrowind {

// Today's date in the user's short format, the time with seconds, and the project's contact address.
ScriptOrigin currentScriptOrigin();

} // namespace ferrowind
