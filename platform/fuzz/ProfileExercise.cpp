#include "platform/fuzz/ProfileExercise.h"

#include "platform/ProfileFile.h"

#include <array>

namespace ferrowind::fuzz {

namespace {
constexpr const char* kPath = "/nonexistent/Configurations.ini";
constexpr std::array<const char*, 4> kSections{"GSPATH", "gspath", "A", "SYSTEMS"};
constexpr std::array<const char*, 4> kKeys{"CSG", "csg", "k", "TextColor"};
} // namespace

std::string profileProblem(std::string_view bytes)
{
    ProfileFile file = ProfileFile::fromBytes(kPath, bytes);
    const std::string content = file.content();
    if (!content.empty() && content != bytes)
        return "the bytes read are not the bytes kept";
    for (const char* section : kSections)
        for (const char* key : kKeys)
            file.read(section, key);

    // The last byte picks where to write, so the fuzzer steers it.
    const unsigned char pick = bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back());
    const char* section = kSections[pick % kSections.size()];
    const char* key = kKeys[(pick / 4) % kKeys.size()];
    const std::string value = "/new value " + std::to_string(pick);
    file.write(section, key, value);
    if (file.read(section, key) != value)
        return std::string("the value written to ") + section + "/" + key + " is not read back";
    if (content.empty() && !bytes.empty())
        return {}; // a refused file: nothing is saved, so nothing to read again
    if (ProfileFile::fromBytes(kPath, file.content()).read(section, key) != value)
        return std::string("the value written to ") + section + "/" + key + " is not read back from the saved bytes";
    return {};
}

} // namespace ferrowind::fuzz
