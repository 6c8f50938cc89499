#pragma once

#include "platform/Dialogs.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "platform/Sound.h"

#include <string>

namespace ferrowind {

// The outside world as the windows see it; tests pass fakes.
struct Services {
    Prompts& prompts;
    Dialogs& dialogs;
    Shell& shell;
    Sound& sound;
};

// Where the running program is and where its working folders go.
struct ProgramLocation {
    std::string programPath; // the running executable, written into scripts for "+beep"
    std::string workingBase; // the folder that holds Ferrowind/ (the program's folder or the user's data folder)
};

} // namespace ferrowind
