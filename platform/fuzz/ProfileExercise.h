#pragma once

#include <string>
#include <string_view>

namespace ferrowind::fuzz {

// Reads arbitrary bytes as a profile file, writes a key into it and reads it back. The answer names a broken
// rule (the bytes not kept, a written value not read back), or is empty.
std::string profileProblem(std::string_view bytes);

} // namespace ferrowind::fuzz
