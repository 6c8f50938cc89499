#pragma once

#include "ui/CompilePage.h"

namespace ferrowind {

// The "Half-Life 2 compiling" page: vmf file, the BSP, VIS and RAD stages, and its after-compilation options.
const CompilePageTable& sourcePageTable();

} // namespace ferrowind
