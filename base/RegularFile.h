#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

// Where the programs expect a file, only a regular file will do: opening a pipe blocks until someone writes
// into it, a device never ends or has side effects, and renaming over either destroys it.
namespace base {

// What a path names, symbolic links followed.
enum class FileKind {
    Missing,
    Regular,
    Folder,
    Device,
    Pipe,
    Socket,
    Other,
    Unknown, // could not be examined (no access to its folder); opening it tells why
};

FileKind fileKindOf(const std::string& path);

// Why a path of this kind cannot be used as a file ("it is a folder, not a regular file"); "" for a regular or
// missing file.
std::string notRegularReason(FileKind kind);

// A file that could not be read; the text is the one users see.
class ReadError : public std::runtime_error {
public:
    ReadError(const std::string& path, const std::string& reason) :
          std::runtime_error("Unable to read " + path + ": " + reason),
          reason_(reason)
    {
    }
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

// The content of a regular file; nothing when no file is at the path. The file is opened without blocking, so
// a pipe or device under the name is refused at once instead of stalling the caller. A folder, device, pipe or
// socket, a file larger than `limit` bytes and a failed read throw ReadError.
std::optional<std::string> readRegularFile(
    const std::string& path, std::size_t limit = std::numeric_limits<std::size_t>::max());

// The first `count` bytes of a regular file (fewer when it is shorter), by the same rules.
std::optional<std::string> readRegularFileStart(const std::string& path, std::size_t count);

// True when both paths name one existing file, whatever names or links lead to it: the same device and inode
// (volume and file index on Windows).
bool isSameFile(const std::string& first, const std::string& second);

} // namespace base
