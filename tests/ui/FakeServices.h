#pragma once

#include "support/FakeDialogs.h"
#include "support/FakePrompts.h"
#include "support/FakeShell.h"
#include "ui/Services.h"

namespace ferrowind {

class FakeSound : public Sound {
public:
    void playCompletionSound(std::function<void()> finished) override
    {
        ++played;
        finished();
    }
    int played = 0;
};

struct FakeServices {
    FakePrompts prompts;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSound sound;

    Services get() { return {prompts, dialogs, shell, sound}; }
};

} // namespace ferrowind
