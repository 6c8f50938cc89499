#include "base/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <iterator>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace base {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;

std::string sizeText(std::size_t bytes)
{
    return bytes % kMebibyte == 0 ? std::to_string(bytes / kMebibyte) + " MiB" : std::to_string(bytes) + " bytes";
}

FileKind kindOf(fs::file_type type)
{
    switch (type) {
    case fs::file_type::not_found: return FileKind::Missing;
    case fs::file_type::regular: return FileKind::Regular;
    case fs::file_type::directory: return FileKind::Folder;
    case fs::file_type::block:
    case fs::file_type::character: return FileKind::Device;
    case fs::file_type::fifo: return FileKind::Pipe;
    case fs::file_type::socket: return FileKind::Socket;
    case fs::file_type::none: return FileKind::Unknown;
    default: return FileKind::Other;
    }
}

#ifndef _WIN32
FileKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    if (S_ISFIFO(mode))
        return FileKind::Pipe;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Other;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to `count` bytes; with `whole`, more than `count` bytes is an error instead.
std::optional<std::string> readStart(const std::string& path, std::size_t count, bool whole)
{
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing)
        return std::nullopt;
    if (const std::string reason = notRegularReason(kind); !reason.empty())
        throw ReadError(path, reason);
    // Non-blocking, so that a pipe put under the name after the check above still cannot stall the open.
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw ReadError(path, std::strerror(errno));
    }
    struct stat status {};
    if (fstat(file.get(), &status) != 0)
        throw ReadError(path, std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        throw ReadError(path, notRegularReason(kindOfMode(status.st_mode)));
    if (whole && static_cast<std::uintmax_t>(status.st_size) > count)
        throw ReadError(path, "it is larger than " + sizeText(count));

    std::string content;
    char buffer[65536];
    while (content.size() < count || whole) {
        const std::size_t wanted = whole ? sizeof buffer : std::min(sizeof buffer, count - content.size());
        const ssize_t got = read(file.get(), buffer, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw ReadError(path, std::strerror(errno));
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
        if (whole && content.size() > count)
            throw ReadError(path, "it is larger than " + sizeText(count));
    }
    return content;
}
#else
std::optional<std::string> readStart(const std::string& path, std::size_t count, bool whole)
{
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Missing)
        return std::nullopt;
    if (const std::string reason = notRegularReason(kind); !reason.empty())
        throw ReadError(path, reason);
    std::error_code error;
    if (whole && fs::file_size(path, error) > count && !error)
        throw ReadError(path, "it is larger than " + sizeText(count));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ReadError(path, std::strerror(errno));
    std::string content;
    if (whole) {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        content.resize(count);
        in.read(content.data(), static_cast<std::streamsize>(count));
        content.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        throw ReadError(path, "the file could not be read");
    if (whole && content.size() > count)
        throw ReadError(path, "it is larger than " + sizeText(count));
    return content;
}
#endif

} // namespace

FileKind fileKindOf(const std::string& path)
{
    std::error_code error;
    return kindOf(fs::status(path, error).type());
}

std::string notRegularReason(FileKind kind)
{
    switch (kind) {
    case FileKind::Folder: return "it is a folder, not a regular file";
    case FileKind::Device: return "it is a device, not a regular file";
    case FileKind::Pipe: return "it is a pipe (FIFO), not a regular file";
    case FileKind::Socket: return "it is a socket, not a regular file";
    case FileKind::Other: return "it is not a regular file";
    case FileKind::Missing:
    case FileKind::Regular:
    case FileKind::Unknown: break;
    }
    return {};
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit)
{
    return readStart(path, limit, true);
}

std::optional<std::string> readRegularFileStart(const std::string& path, std::size_t count)
{
    return readStart(path, count, false);
}

bool isSameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return fs::equivalent(first, second, error) && !error;
}

} // namespace base
