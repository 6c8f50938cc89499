#pragma once

#include <optional>
#include <string>
#include <vector>

namespace base {

// The version all four programs carry; the package takes its version from here too.
inline constexpr const char* kVersion = "1.2";

// The answer to "--version" (name and version) or "--help" (name, version and usage) when the first argument is
// one of them; nothing otherwise. Only the first argument counts, so a script's own arguments pass through.
std::optional<std::string> programOptionAnswer(
    const std::vector<std::string>& arguments, const std::string& program, const std::string& usage);

} // namespace base
