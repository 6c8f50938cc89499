#pragma once

#include <string_view>

namespace ferrowind {

enum class ResourceType {
    Data, // RCDATA
    Wave, // "WAV"
};

// The bytes of a resource linked into the running program, valid while it runs; empty when it holds none.
std::string_view programResource(const char* name, ResourceType type);

} // namespace ferrowind
