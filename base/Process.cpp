#include "base/Process.h"

namespace base {

std::string timeLimitProblem(std::chrono::milliseconds limit)
{
    const auto tenths = (limit.count() + 50) / 100;
    std::string seconds = std::to_string(tenths / 10);
    if (tenths % 10 != 0)
        seconds += "." + std::to_string(tenths % 10);
    return "did not end within " + seconds + " s and was stopped";
}

} // namespace base
