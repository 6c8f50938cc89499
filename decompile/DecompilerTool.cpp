#include "decompile/DecompilerTool.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"

#include <zlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ferrowind {

namespace {
constexpr size_t kStep = 64 * 1024;

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UnpackError("Unable to read " + path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw UnpackError("Unable to read " + path);
    return bytes;
}

// Ends the inflating stream on every path out.
class Inflater {
public:
    Inflater()
    {
        if (inflateInit(&stream_) != Z_OK)
            throw UnpackError("The decompiler cannot be unpacked: out of memory");
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    std::string inflateAll(const std::string& compressed)
    {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
        stream_.avail_in = static_cast<uInt>(compressed.size());
        std::string result;
        std::array<Bytef, kStep> buffer;
        for (;;) {
            stream_.next_out = buffer.data();
            stream_.avail_out = static_cast<uInt>(buffer.size());
            const int status = inflate(&stream_, Z_NO_FLUSH);
            result.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - stream_.avail_out);
            if (status == Z_STREAM_END)
                return result;
            // Z_BUF_ERROR with output room left means the data ended before the stream did.
            if (status != Z_OK)
                throw UnpackError("The decompiler cannot be unpacked: its data is damaged");
        }
    }

private:
    z_stream stream_{};
};
} // namespace

void decompressFile(const std::string& source, const std::string& destination)
{
    const std::string compressed = readWhole(source);
    base::writeExecutableAtomically(destination, Inflater().inflateAll(compressed));
}

std::string provisionDecompiler(const WorkingFolders& folders, const std::function<std::string()>& payload)
{
    const std::string tool = folders.tempDir + kDecompilerName;
    if (base::fileExists(tool))
        return tool;
    createWorkingFolders(folders);
    const std::string bytes = payload();
    if (bytes.empty())
        throw UnpackError("The decompiler is missing from this program");
    const std::string packed = folders.tempDir + kPayloadFileName;
    base::writeFileAtomically(packed, bytes);
    std::error_code ignored;
    try {
        decompressFile(packed, tool);
    } catch (...) {
        std::filesystem::remove(packed, ignored);
        throw;
    }
    std::filesystem::remove(packed, ignored);
    return tool;
}

} // namespace ferrowind
