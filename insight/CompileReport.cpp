#include "insight/CompileReport.h"

#include <algorithm>

namespace insight {

bool CompileReport::failed() const
{
    return std::any_of(stages.begin(), stages.end(), [](const StageReport& stage) { return stage.failed(); });
}

} // namespace insight
