#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// A file that could not be written, moved or removed; the text is the one users see.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
    // With the reason ("the file is read-only", "it is a folder, not a regular file", "No space left on device").
    WriteError(const std::string& path, const std::string& reason) :
          std::runtime_error("Unable to write to " + path + ": " + reason)
    {
    }
    static WriteError removing(const std::string& path, const std::string& reason)
    {
        return WriteError(Text{"Unable to remove " + path + ": " + reason});
    }

private:
    struct Text {
        std::string text;
    };
    explicit WriteError(const Text& message) : std::runtime_error(message.text) {}
};

// Replaces the file with the content: written under a temporary name beside it, then renamed over it, so a
// failure (full disk, no access) leaves the old file as it was and no partial file behind. Only a regular file
// is replaced: a folder, device, pipe or socket under the name is refused, and so is a file that is one of the
// `inputs` under any name or link (same device and inode), so that an output can never destroy what it was
// made from. A symbolic link is followed and its target replaced, the link kept; the file keeps its
// permissions. A read-only file or folder is left alone. Throws WriteError with the reason.
void writeFileAtomically(
    const std::string& path, std::string_view content, const std::vector<std::string>& inputs = {});

// The same for a program: a new file is also made executable, before it appears under its name.
void writeExecutableAtomically(const std::string& path, std::string_view content);

// Replaces the target with a copy of the source the same way; a source that is not a regular file or cannot
// be read throws WriteError too. Copying a file onto itself leaves it as it was.
void copyFileAtomically(const std::string& source, const std::string& target);

// Gives a file a new path where nothing stands yet: renamed when the file system can, otherwise copied, the
// copy read back and compared, and only then the original removed, so a failure never loses the file.
// Throws WriteError, naming the target, or the source when it alone could not be removed.
void moveFile(const std::string& source, const std::string& target);

// Removes a regular file; a folder or anything else under the name, a read-only folder or a refusal of the
// system throws WriteError ("Unable to remove <path>: <reason>"). A missing file is not an error.
void removeFile(const std::string& path);

} // namespace base
