// A short, seeded run of the fuzz entry; the full run is batchrun/fuzz/run_fuzz.sh.
#include "batchrun/fuzz/ScriptGenerator.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kScripts = 3000;

TEST(FuzzSlice, GeneratedAndRawScriptsAreReadWithoutCrashOrHang)
{
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> length(1, 600);
    for (int i = 0; i < kScripts; ++i) {
        std::vector<uint8_t> bytes(length(rng));
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(byte(rng));
        batchrun::fuzz::Choices choices(bytes);
        const std::string script = batchrun::fuzz::generateScript(choices);
        ASSERT_NO_THROW(batchrun::fuzz::readLikeTheRunner(script)) << "script " << i;
        ASSERT_NO_THROW(batchrun::fuzz::readLikeTheRunner({reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
            << "raw " << i;
    }
}

} // namespace
