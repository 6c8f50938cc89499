#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ferrowind {

// The Half-Life map format the decompiler reads.
inline constexpr std::int32_t kBspVersion = 30;

// A file too short for the head the version check reads, or not a file at all.
class BspReadError : public std::runtime_error {
public:
    BspReadError() : std::runtime_error("Read beyond end of file") {}
    explicit BspReadError(const std::string& message) : std::runtime_error(message) {}
};

// The version field of a ".bsp" file's head (signed 32-bit little-endian at its start), or 0 when the file
// cannot be opened. The file is only read, so a read-only or shared file is checked like any other. A file
// shorter than the 132-byte head, and a folder, pipe, device or socket under the name, throw BspReadError; a
// pipe is never opened, so nothing waits on it.
std::int32_t readBspVersion(const std::string& path);

} // namespace ferrowind
