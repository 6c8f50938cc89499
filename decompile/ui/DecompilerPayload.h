#pragma once

#include <string>

namespace ferrowind {

// The compressed decompiler this program carries ("DECOM"); empty when the build holds none.
std::string embeddedDecompiler();

} // namespace ferrowind
