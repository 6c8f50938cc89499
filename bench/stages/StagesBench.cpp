// What following a compile tool costs in wall time: a stage of the real GoldSource tools on the largest shared
// map, run on a pseudo-terminal with its output dropped, against the same run with its output passed on and read
// by the stage reader, as ferrowind-cmd and ferrowind-compile run it. The time is the benchmark's for a pair of
// runs; the counters give each kind's wall time, their difference, and this process's processor time, which
// the tools' own load leaves alone: the reading's cost is the difference of the latter. The map keeps its brushes and
// entities; every face is painted with the box room's one texture, so that its WAD is all the tools need. CSG, BSP and
// VIS run once before; BSP (after CSG again, untimed) and RAD are timed, RAD printing the most, each run on the same
// files.
#include "base/Process.h"
#include "batchrun/CompileFollower.h"
#include "batchrun/Host.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <regex>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

const char* const kMap = FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp-large/islesofdread1.source.map";
const char* const kWad = FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp/boxroom.wad";

std::string toolsFolder()
{
    if (const char* tools = std::getenv("FERROWIND_GOLDSRC_TOOLS"); tools && *tools)
        return tools;
    return FERROWIND_SOURCE_DIR "/../shared/tools/goldsrc/bin";
}

struct Stage {
    const char* tool;
    std::vector<std::string> parameters;
    const Stage* before = nullptr; // what must run again before each run: BSP removes what CSG left it
};

const Stage kCsg{"sdHLCSG", {}};
const Stage kBsp{"sdHLBSP", {}, &kCsg};
const Stage kVis{"sdHLVIS", {"-fast"}};
const Stage kRad{"sdHLRAD", {"-fast", "-bounce", "0", "-chop", "512", "-texchop", "512"}};

class Compile {
public:
    Compile()
    {
        folder_ = fs::temp_directory_path() / ("ferrowind-stages-bench-" + std::to_string(base::currentProcessId()));
        fs::create_directories(folder_);
        std::ifstream in(kMap, std::ios::binary);
        std::string map{std::istreambuf_iterator<char>(in), {}};
        map = std::regex_replace(map, std::regex("^\"wad\" \".*\"$", std::regex::multiline), "\"wad\" \"boxroom.wad\"");
        map = std::regex_replace(
            map, std::regex(R"(^(\( [^)]*\) \( [^)]*\) \( [^)]*\) )\S+)", std::regex::multiline), "$1BOXWALL");
        std::ofstream(mapFile(), std::ios::binary) << map;
        fs::copy_file(kWad, folder_ / "boxroom.wad");
        for (const Stage* stage : {&kCsg, &kBsp, &kVis})
            ready_ = ready_ && run(*stage, nullptr).exitCode == 0;
    }
    ~Compile()
    {
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    Compile(const Compile&) = delete;
    Compile& operator=(const Compile&) = delete;

    bool ready() const { return ready_; }
    std::string mapFile() const { return (folder_ / "isles.map").string(); }

    base::ProgramStart start(const Stage& stage) const
    {
        base::ProgramStart start{toolsFolder() + "/" + stage.tool, {stage.tool, mapFile()}, folder_.string(),
            base::processEnvironment(), {}};
        start.arguments.insert(start.arguments.end(), stage.parameters.begin(), stage.parameters.end());
        return start;
    }

    // With a follower, as the programs run a tool; without, on a terminal whose output is dropped.
    base::ProgramResult run(const Stage& stage, batchrun::CompileFollower* follower)
    {
        base::ProgramStart tool = start(stage);
        if (follower)
            return follower->runStage(host_, tool, *batchrun::compileToolRun(tool), "STAGE");
        tool.output = [](std::string_view chunk) { benchmark::DoNotOptimize(chunk.data()); };
        return base::runProgramAndWait(tool);
    }

private:
    fs::path folder_;
    bool ready_ = true;
    batchrun::SystemHost host_;
};

Compile& compile()
{
    static Compile shared;
    return shared;
}

struct Spent {
    double wallSeconds = 0;
    double ourCpuSeconds = 0; // this process's, not the tool's: the relay, and the reading when followed
};

double ourCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs of the two kinds take turns, first one then the other leading, so that a machine busy with something else
// weighs on both alike.
void stage(benchmark::State& state, const Stage& which)
{
    if (!fs::exists(toolsFolder() + "/" + which.tool) || !compile().ready()) {
        state.SkipWithError("the GoldSource tools are not at hand, or the map did not compile");
        return;
    }
    std::ostream console(nullptr);
    batchrun::CompileFollower follower(console, "");
    Spent dropped;
    Spent read;
    bool readFirst = false;
    for (auto _ : state) {
        for (const bool followed : {readFirst, !readFirst}) {
            if (which.before)
                compile().run(*which.before, nullptr);
            Spent& spent = followed ? read : dropped;
            const auto started = std::chrono::steady_clock::now();
            const double cpu = ourCpuSeconds();
            const base::ProgramResult result = compile().run(which, followed ? &follower : nullptr);
            spent.ourCpuSeconds += ourCpuSeconds() - cpu;
            spent.wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (!result.started || result.exitCode != 0)
                state.SkipWithError("the tool failed");
        }
        readFirst = !readFirst;
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["dropped_s"] = dropped.wallSeconds / runs;
    state.counters["read_s"] = read.wallSeconds / runs;
    state.counters["wall_difference_percent"] = (read.wallSeconds / dropped.wallSeconds - 1) * 100;
    state.counters["dropped_our_cpu_ms"] = dropped.ourCpuSeconds * 1000 / runs;
    state.counters["read_our_cpu_ms"] = read.ourCpuSeconds * 1000 / runs;
    state.counters["reading_percent_of_wall"] = (read.ourCpuSeconds - dropped.ourCpuSeconds) / read.wallSeconds * 100;
    if (!follower.report().stages.empty())
        state.counters["problems"] = static_cast<double>(follower.report().stages.back().findings.problems.size());
}

BENCHMARK_CAPTURE(stage, bsp, kBsp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK_CAPTURE(stage, rad, kRad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

} // namespace

BENCHMARK_MAIN();
