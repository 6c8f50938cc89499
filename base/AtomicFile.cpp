#include "base/AtomicFile.h"

#include "base/Process.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace base {

namespace fs = std::filesystem;

namespace {
// Enough for any sane chain of links; a loop ends here instead of spinning.
constexpr int kMaxLinkHops = 40;

// Unique per process and call, so that instances writing the same file at once never share a temporary.
std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(currentProcessId()) + "-" + std::to_string(counter++);
}

bool writeWhole(const std::string& path, std::string_view content)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool flushed = std::fflush(file) == 0;
    return std::fclose(file) == 0 && written && flushed;
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
            throw WriteError(path);
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

void writeAtomically(const std::string& path, std::string_view content, bool executable)
{
    const std::string target = finalTarget(path);
    std::error_code error;
    const fs::file_status existing = fs::status(target, error);
    const bool exists = !error && fs::is_regular_file(existing);
    if (exists && isReadOnly(target, existing.permissions()))
        throw WriteError(path, "the file is read-only");

    const std::string temporary = temporaryNameFor(target);
    if (!writeWhole(temporary, content)) {
        fs::remove(temporary, error);
        throw WriteError(path);
    }
    if (exists)
        fs::permissions(temporary, existing.permissions(), fs::perm_options::replace, error);
    else if (executable)
        fs::permissions(temporary, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
            fs::perm_options::add, error);
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        throw WriteError(path);
    }
}
} // namespace

void writeFileAtomically(const std::string& path, std::string_view content) { writeAtomically(path, content, false); }

void writeExecutableAtomically(const std::string& path, std::string_view content)
{
    writeAtomically(path, content, true);
}

void copyFileAtomically(const std::string& source, const std::string& target)
{
    std::string content;
    {
        // Closed before the write: Windows cannot replace a file that is still open, as in a copy onto itself.
        std::ifstream in(source, std::ios::binary);
        if (!in)
            throw WriteError(target);
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            throw WriteError(target);
    }
    writeFileAtomically(target, content);
}

} // namespace base
