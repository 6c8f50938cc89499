#pragma once

#include "ui/CompilePage.h"

namespace ferrowind {

// The "Half-Life compiling" page: map file, the CSG, BSP, VIS and RAD stages, and its after-compilation options.
const CompilePageTable& goldSourcePageTable();

} // namespace ferrowind
