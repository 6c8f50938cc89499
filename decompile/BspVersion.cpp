#include "decompile/BspVersion.h"

#include <array>
#include <fstream>

namespace ferrowind {

namespace {
constexpr std::streamsize kHeadSize = 132;
} // namespace

std::int32_t readBspVersion(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::array<unsigned char, kHeadSize> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), kHeadSize))
        throw BspReadError();
    const std::uint32_t value = head[0] | (head[1] << 8) | (head[2] << 16) | (std::uint32_t{head[3]} << 24);
    return static_cast<std::int32_t>(value);
}

} // namespace ferrowind
