#include "base/AtomicFile.h"

#include "base/Paths.h"
#include "base/Process.h"
#include "base/RegularFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace base {

namespace fs = std::filesystem;

namespace {
// Enough for any sane chain of links; a loop ends here instead of spinning.
constexpr int kMaxLinkHops = 40;
// Longest file name the file systems we run on take (bytes on Linux, UTF-16 units on Windows).
constexpr size_t kMaxNameLength = 255;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Beside the target, unique per process and call so that instances writing the same file at once never share
// one. The target's name is shortened where the suffix would push it past the longest name, never inside a
// UTF-8 character.
std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix = ".~" + std::to_string(currentProcessId()) + "-" + std::to_string(counter++);
    fs::path temporary = path;
    std::string name = temporary.filename().string();
    if (name.size() + suffix.size() > kMaxNameLength) {
        name.resize(kMaxNameLength - suffix.size());
        while (!name.empty() && isContinuationByte(name.back()))
            name.pop_back();
        if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0)
            name.pop_back();
    }
    return temporary.replace_filename(name + suffix).string();
}

std::string systemReason(int error)
{
    if (error == ENOENT)
        return "its folder does not exist";
    return std::strerror(error);
}

// Writes the whole content into a new file; "" or why it failed.
std::string writeNew(const std::string& path, std::string_view content)
{
#ifdef _WIN32
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return systemReason(errno);
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    if (std::fclose(file) != 0)
        return systemReason(errno);
    if (!written)
        return systemReason(writeError);
    return flushed ? std::string() : systemReason(flushError);
#else
    // Created here and now: a file or link someone left under the temporary name is never written through.
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (file < 0)
        return systemReason(errno);
    while (!content.empty()) {
        const ssize_t put = write(file, content.data(), content.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int error = put < 0 ? errno : ENOSPC;
            close(file);
            return systemReason(error);
        }
        content.remove_prefix(static_cast<size_t>(put));
    }
    return close(file) == 0 ? std::string() : systemReason(errno);
#endif
}

// The file a write to `path` must replace: the end of its chain of symbolic links. Renaming over the link
// itself would turn it into a plain file and leave its target as it was.
std::string finalTarget(const std::string& path)
{
    fs::path current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current.string();
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            throw WriteError(path, error.message());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw WriteError(path, "its symbolic links form a loop");
}

bool isReadOnly(const std::string& path, fs::perms permissions)
{
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((permissions & kAnyWrite) == fs::perms::none)
        return true;
#ifdef _WIN32
    (void)path;
    return false;
#else
    return access(path.c_str(), W_OK) != 0;
#endif
}

// Whether the folder of a file takes no new names and gives none up; Windows folders have no such flag.
bool inReadOnlyFolder(const std::string& file)
{
#ifdef _WIN32
    (void)file;
    return false;
#else
    const std::string folder = folderPart(file).empty() ? std::string(".") : folderPart(file);
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    return !error && fs::is_directory(status) && isReadOnly(folder, status.permissions());
#endif
}

// Whether a regular file stands at the target; anything else there is refused.
bool existingRegularFile(const std::string& path, const std::string& target)
{
    const FileKind kind = fileKindOf(target);
    if (const std::string reason = notRegularReason(kind); !reason.empty())
        throw WriteError(path, reason);
    return kind == FileKind::Regular;
}

void writeAtomically(
    const std::string& path, std::string_view content, bool executable, const std::vector<std::string>& inputs)
{
    const std::string target = finalTarget(path);
    const bool exists = existingRegularFile(path, target);
    for (const std::string& input : inputs) {
        if (exists && isSameFile(target, input))
            throw WriteError(path, "it is the input " + input + " itself");
    }
    std::error_code error;
    const fs::perms permissions = exists ? fs::status(target, error).permissions() : fs::perms::unknown;
    if (exists && isReadOnly(target, permissions))
        throw WriteError(path, "the file is read-only");
    if (inReadOnlyFolder(target))
        throw WriteError(path, "its folder is read-only");

    const std::string temporary = temporaryNameFor(target);
    if (const std::string problem = writeNew(temporary, content); !problem.empty()) {
        fs::remove(temporary, error);
        throw WriteError(path, problem);
    }
    if (exists)
        fs::permissions(temporary, permissions, fs::perm_options::replace, error);
    else if (executable)
        fs::permissions(temporary, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
            fs::perm_options::add, error);
    fs::rename(temporary, target, error);
    if (error) {
        const std::string reason = error.message();
        fs::remove(temporary, error);
        throw WriteError(path, reason);
    }
}

std::string contentOf(const std::string& source, const std::string& target)
{
    try {
        if (std::optional<std::string> content = readRegularFile(source))
            return std::move(*content);
        throw WriteError(target, "the source " + source + " does not exist");
    } catch (const ReadError& error) {
        throw WriteError(target, "the source " + source + " cannot be read: " + error.reason());
    }
}
} // namespace

void writeFileAtomically(const std::string& path, std::string_view content, const std::vector<std::string>& inputs)
{
    writeAtomically(path, content, false, inputs);
}

void writeExecutableAtomically(const std::string& path, std::string_view content)
{
    writeAtomically(path, content, true, {});
}

void copyFileAtomically(const std::string& source, const std::string& target)
{
    // Read whole and closed before the write: Windows cannot replace a file that is still open, as in a copy
    // onto itself.
    writeFileAtomically(target, contentOf(source, target));
}

void moveFile(const std::string& source, const std::string& target)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) {
        const std::string reason = notRegularReason(fileKindOf(target));
        throw WriteError(target, reason.empty() ? "a file of that name exists" : reason);
    }
    const FileKind kind = fileKindOf(source);
    if (kind == FileKind::Missing)
        throw WriteError(target, "the source " + source + " does not exist");
    if (const std::string reason = notRegularReason(kind); !reason.empty())
        throw WriteError(target, "the source " + source + " cannot be moved: " + reason);
    if (inReadOnlyFolder(source) || inReadOnlyFolder(target))
        throw WriteError(target, "its folder or the folder of " + source + " is read-only");
    fs::rename(source, target, error);
    if (!error)
        return;
    if (error != std::errc::cross_device_link)
        throw WriteError(target, error.message());
    const std::string content = contentOf(source, target);
    writeFileAtomically(target, content);
    std::optional<std::string> copied;
    try {
        copied = readRegularFile(target);
    } catch (const ReadError&) {
    }
    if (copied != content) {
        fs::remove(target, error);
        throw WriteError(target, "the copy does not match the original");
    }
    removeFile(source);
}

void removeFile(const std::string& path)
{
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing)
        return;
    if (const std::string reason = notRegularReason(kind); !reason.empty())
        throw WriteError::removing(path, reason);
    if (inReadOnlyFolder(path))
        throw WriteError::removing(path, "its folder is read-only");
    std::error_code error;
    if (!fs::remove(path, error) && error)
        throw WriteError::removing(path, error.message());
}

} // namespace base
