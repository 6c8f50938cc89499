#pragma once

#include <functional>

namespace ferrowind {

// Plays the embedded completion sound and calls back once it has finished (at once when it can't play).
class Sound {
public:
    virtual ~Sound() = default;
    virtual void playCompletionSound(std::function<void()> finished) = 0;
};

} // namespace ferrowind
