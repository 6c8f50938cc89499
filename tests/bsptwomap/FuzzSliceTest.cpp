// A short, seeded run of the fuzz entry over mutated fixtures; the full run is bsptwomap/fuzz/run_fuzz.sh.
#include "Support.h"

#include "bsptwomap/Decompile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace btm::test {
namespace {

constexpr int kMutationsPerFixture = 600;

// Mutations in the spirit of libFuzzer's, weighted towards the lump directory and counts.
std::vector<uint8_t> mutate(std::vector<uint8_t> data, std::mt19937& rng)
{
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    const int steps = 1 + static_cast<int>(pick(4));
    for (int s = 0; s < steps && data.size() >= 8; ++s) {
        switch (pick(6)) {
        case 0: // flip bits anywhere
            data[pick(data.size())] ^= static_cast<uint8_t>(1u << pick(8));
            break;
        case 1: { // an interesting value into the lump directory
            static const uint32_t values[] = {0, 1, 0xffffffffu, 0x7fffffffu, 0x80000000u, 0xfffffff0u, 20, 4096};
            const size_t at = 4 + 4 * pick(30);
            const uint32_t v = values[pick(std::size(values))];
            if (at + 4 <= data.size())
                std::memcpy(&data[at], &v, 4);
            break;
        }
        case 2: { // an interesting 16- or 32-bit value at an aligned spot in the body
            const size_t at = pick(data.size() / 2) * 2;
            const uint16_t v = static_cast<uint16_t>(pick(2) ? 0xffff : pick(64));
            if (at + 2 <= data.size())
                std::memcpy(&data[at], &v, 2);
            break;
        }
        case 3: // truncate
            data.resize(pick(data.size()));
            break;
        case 4: { // copy a block over another
            const size_t length = 1 + pick(64);
            const size_t from = pick(data.size()), to = pick(data.size());
            if (from + length <= data.size() && to + length <= data.size())
                std::memmove(&data[to], &data[from], length);
            break;
        }
        default: // random bytes
            for (size_t i = 0, n = 1 + pick(8); i < n; ++i)
                data[pick(data.size())] = static_cast<uint8_t>(pick(256));
            break;
        }
    }
    return data;
}

TEST(FuzzSlice, MutatedFixturesNeverCrashHangOrThrowOtherErrors)
{
    BTM_REQUIRE_FIXTURES();
    std::mt19937 rng(20240601);
    for (const char* name :
        {"boxroom", "hlu_campaignselect", "test_monster_in_water", "test_train_contents", "test_fog"}) {
        const std::vector<uint8_t> original = readBytes(fixtureDir() / (std::string(name) + ".bsp"));
        for (int i = 0; i < kMutationsPerFixture; ++i) {
            const std::vector<uint8_t> input = mutate(original, rng);
            ASSERT_NO_THROW(decompileBytes(input)) << name << " mutation " << i;
        }
    }
}

// Inputs the full fuzz run found; each once read freed memory (run under AddressSanitizer to see it again).
TEST(FuzzSlice, InputsTheFuzzerFoundDecompileSafely)
{
    for (const char* name : {"clip-plane-table-growth.bsp"}) {
        const std::vector<uint8_t> input =
            readBytes(std::filesystem::path(FERROWIND_SOURCE_DIR) / "tests/fixtures/bsptwomap" / name);
        ASSERT_FALSE(input.empty()) << name;
        ASSERT_NO_THROW(decompileBytes(input)) << name;
    }
}

} // namespace
} // namespace btm::test
