#include "insight/Findings.h"

#include <algorithm>

namespace insight {

const char* severityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

bool Location::empty() const
{
    return entity.empty() && brush.empty() && side.empty() && position.empty() && texture.empty() && name.empty();
}

std::vector<Limit> StageFindings::highestLimits(size_t count) const
{
    std::vector<Limit> highest = limits;
    std::stable_sort(
        highest.begin(), highest.end(), [](const Limit& a, const Limit& b) { return a.percent > b.percent; });
    if (highest.size() > count)
        highest.resize(count);
    return highest;
}

} // namespace insight
