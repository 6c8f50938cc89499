#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace base {

// A file that could not be written; the text is the one users see.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
    // With the reason when it is one the user can act on ("the file is read-only").
    WriteError(const std::string& path, const std::string& reason) :
          std::runtime_error("Unable to write to " + path + ": " + reason)
    {
    }
};

// Replaces the file with the content: written under a temporary name beside it, then renamed over it, so a
// failure (full disk, no access) leaves the old file as it was and no partial file behind. A symbolic link is
// followed and its target replaced, the link kept; the file keeps its permissions. A read-only file is left
// alone. Throws WriteError.
void writeFileAtomically(const std::string& path, std::string_view content);

// The same for a program: a new file is also made executable, before it appears under its name.
void writeExecutableAtomically(const std::string& path, std::string_view content);

// Replaces the target with a copy of the source the same way; a source that cannot be read throws WriteError
// too. Copying a file onto itself leaves it as it was.
void copyFileAtomically(const std::string& source, const std::string& target);

} // namespace base
