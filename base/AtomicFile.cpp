#include "base/AtomicFile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define FERROWIND_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define FERROWIND_PROCESS_ID getpid()
#endif

namespace base {

namespace {
// Unique per process and call, so that instances writing the same file at once never share a temporary.
std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(FERROWIND_PROCESS_ID) + "-" + std::to_string(counter++);
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
} // namespace

void writeFileAtomically(const std::string& path, std::string_view content)
{
    const std::string temporary = temporaryNameFor(path);
    std::error_code error;
    if (!writeWhole(temporary, content)) {
        std::filesystem::remove(temporary, error);
        throw WriteError(path);
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw WriteError(path);
    }
}

void copyFileAtomically(const std::string& source, const std::string& target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        throw WriteError(target);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw WriteError(target);
    writeFileAtomically(target, content);
}

} // namespace base
