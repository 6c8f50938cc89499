#pragma once

#include "platform/Sound.h"

namespace ferrowind {

// The completion sound, the program's "ENDCOMP" wave resource, played by the system's sound API.
class Win32Sound : public Sound {
public:
    void playCompletionSound(std::function<void()> finished) override;
};

} // namespace ferrowind
