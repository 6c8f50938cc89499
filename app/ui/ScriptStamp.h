#pragma once

#include "goldsource/ScriptText.h"

// Today's date in the user's short format, the time with seconds, and the project's contact address.
ScriptOrigin CurrentScriptOrigin();
