#include "batchrun/fuzz/ScriptGenerator.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The first byte chooses: a script from the grammar, or the bytes themselves as a script.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if (data[0] % 4 == 0) {
        batchrun::fuzz::readLikeTheRunner(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
        return 0;
    }
    batchrun::fuzz::Choices choices(rest);
    batchrun::fuzz::readLikeTheRunner(batchrun::fuzz::generateScript(choices));
    return 0;
}
