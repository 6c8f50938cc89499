#include "decompile/BspVersion.h"

#include "base/RegularFile.h"

#include <optional>

namespace ferrowind {

namespace {
constexpr size_t kHeadSize = 132;
} // namespace

std::int32_t readBspVersion(const std::string& path)
{
    // Refused before any open: opening a pipe to read waits until something writes into it.
    if (const std::string reason = base::notRegularReason(base::fileKindOf(path)); !reason.empty())
        throw BspReadError(base::ReadError(path, reason).what());
    std::optional<std::string> head;
    try {
        head = base::readRegularFileStart(path, kHeadSize);
    } catch (const base::ReadError&) {
        return 0;
    }
    if (!head)
        return 0;
    if (head->size() < kHeadSize)
        throw BspReadError();
    const auto byte = [&head](size_t index) { return std::uint32_t{static_cast<unsigned char>((*head)[index])}; };
    return static_cast<std::int32_t>(byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24));
}

} // namespace ferrowind
