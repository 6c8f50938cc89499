// Decompile speed (MB of .bsp per second) and peak heap use for each fixture, in memory without file output.
#include "bsptwomap/Bsp.h"
#include "bsptwomap/Decompile.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

namespace {

std::atomic<size_t> g_current{0};
std::atomic<size_t> g_peak{0};

// Each block carries its size in front so that the live total can be tracked.
constexpr size_t kHeader = alignof(std::max_align_t);

void* allocate(size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    const size_t now = g_current.fetch_add(size) + size;
    size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {}
    return block + kHeader;
}

void release(void* p)
{
    if (!p)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    g_current.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

const std::filesystem::path kShared = FERROWIND_SOURCE_DIR "/../shared/fixtures";

void decompileFixture(benchmark::State& state, const std::string& file, bool brenmoor)
{
    std::ifstream in(kShared / (file + ".bsp"), std::ios::binary);
    const std::string name = std::filesystem::path(file).filename().string();
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (data.empty()) {
        state.SkipWithError("fixture not found");
        return;
    }
    size_t peak = 0;
    for (auto _ : state) {
        const size_t base = g_current.load();
        g_peak.store(base);
        const btm::Bsp bsp = btm::readBsp(data);
        btm::DecompileOptions options;
        options.brenmoor = brenmoor;
        const btm::DecompileResult result = btm::decompile(bsp, options, name + "_btm.wad");
        benchmark::DoNotOptimize(result.map.data());
        peak = std::max(peak, g_peak.load() - base);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["file_MB"] = static_cast<double>(data.size()) / (1024.0 * 1024.0);
}

const bool registered = [] {
    // The largest maps: bsp-large/ holds real maps of many skewed brushes; zoo_npcs and test_teleport_interpolate
    // are the two largest of bsp/.
    for (const char* name : {"bsp/boxroom", "bsp/boxroom_external", "bsp/hlu_campaignselect",
             "bsp/hlu_technology_demonstration", "bsp/test_fog", "bsp/test_monster_in_water", "bsp/test_sound_names",
             "bsp/test_tempents", "bsp/test_train_contents"})
        benchmark::RegisterBenchmark(name, decompileFixture, std::string(name), false)->Unit(benchmark::kMillisecond);
    for (const char* name :
        {"bsp/zoo_npcs", "bsp/test_teleport_interpolate", "bsp-large/islesofdread1", "bsp-large/heras2"})
        for (bool brenmoor : {false, true})
            benchmark::RegisterBenchmark((std::string(name) + (brenmoor ? "/brenmoor" : "")).c_str(), decompileFixture,
                std::string(name), brenmoor)
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, size_t) noexcept { release(p); }
void operator delete[](void* p, size_t) noexcept { release(p); }

BENCHMARK_MAIN();
