// What reading a compile tool's output costs, against the time the tool takes to print it. The real GoldSource
// tools compile the largest shared map once, with 16x16 placeholders for its textures; each stage's output is kept
// and read again and again in pipe-sized pieces, the progress asked for after each piece as a console title does.
// cost_percent is the time to read a stage's whole output over that stage's wall time.
#include "insight/StageReader.h"

#include "base/Process.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;

const char* const kMap = FERROWIND_SOURCE_DIR "/../shared/fixtures/bsp-large/islesofdread1.source.map";

std::string toolsFolder()
{
    if (const char* tools = std::getenv("FERROWIND_GOLDSRC_TOOLS"); tools && *tools)
        return tools;
    return FERROWIND_SOURCE_DIR "/../shared/tools/goldsrc/bin";
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The texture after each face's third point: "( x y z ) ( x y z ) ( x y z ) NAME [ ... ]".
std::set<std::string> textureNames(const std::string& map)
{
    std::set<std::string> names;
    size_t at = 0;
    while ((at = map.find("\n(", at)) != std::string::npos) {
        ++at;
        size_t close = at;
        for (int i = 0; i < 3 && close != std::string::npos; ++i)
            close = map.find(')', close + 1);
        const size_t end = map.find('\n', at);
        if (close == std::string::npos || close > end)
            continue;
        const size_t start = map.find_first_not_of(' ', close + 1);
        const size_t stop = map.find(' ', start);
        if (start < end && stop < end)
            names.insert(map.substr(start, stop - start));
    }
    return names;
}

void put32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void putName(std::string& out, const std::string& name)
{
    std::string field = name.substr(0, 15);
    field.resize(16, '\0');
    out += field;
}

// A WAD3 with a grey 16x16 texture under each name.
std::string placeholderWad(const std::set<std::string>& names)
{
    std::string lumps;
    std::string directory;
    for (const std::string& name : names) {
        const uint32_t offset = 12 + static_cast<uint32_t>(lumps.size());
        std::string lump;
        putName(lump, name);
        put32(lump, 16);
        put32(lump, 16);
        uint32_t mip = 40;
        for (uint32_t size : {256u, 64u, 16u, 4u}) {
            put32(lump, mip);
            mip += size;
        }
        lump.append(256 + 64 + 16 + 4, '\0');
        lump += '\0';
        lump += '\1'; // 256 colours
        for (int colour = 0; colour < 256; ++colour)
            lump.append(3, static_cast<char>(colour));
        lump.append(2, '\0');
        lumps += lump;
        put32(directory, offset);
        put32(directory, static_cast<uint32_t>(lump.size()));
        put32(directory, static_cast<uint32_t>(lump.size()));
        directory += '\x43'; // mip texture
        directory.append(3, '\0');
        putName(directory, name);
    }
    std::string wad = "WAD3";
    put32(wad, static_cast<uint32_t>(names.size()));
    put32(wad, 12 + static_cast<uint32_t>(lumps.size()));
    return wad + lumps + directory;
}

struct Stage {
    std::string name;
    std::string output;
    double seconds = 0;
};

// Compiles the map once in a scratch folder, keeping each stage's output and wall time.
std::vector<Stage> compileOnce()
{
    const fs::path folder =
        fs::temp_directory_path() / ("ferrowind-insight-bench-" + std::to_string(base::currentProcessId()));
    fs::create_directories(folder);
    std::string map = readFile(kMap);
    const size_t key = map.find("\"wad\" \"");
    const size_t end = map.find('"', key + 7);
    if (map.empty() || key == std::string::npos || end == std::string::npos)
        return {};
    std::ofstream(folder / "placeholders.wad", std::ios::binary) << placeholderWad(textureNames(map));
    map.replace(key, end + 1 - key, "\"wad\" \"" + (folder / "placeholders.wad").string() + "\"");
    std::ofstream(folder / "large.map", std::ios::binary) << map;

    std::vector<Stage> stages;
    for (const auto& [name, options] : std::vector<std::pair<std::string, std::string>>{
             {"csg", ""}, {"bsp", ""}, {"vis", "-fast "}, {"rad", "-fast "}}) {
        std::string tool = name;
        for (char& c : tool)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string command = "cd '" + folder.string() + "' && '" + toolsFolder() + "/sdHL" + tool + "' " +
            options + "large > " + name + ".out 2>&1";
        const auto start = std::chrono::steady_clock::now();
        const base::ProgramResult result = base::runProgramAndWait({"/bin/sh", {"sh", "-c", command}, {}, {}, {}});
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!result.started || result.exitCode != 0)
            break;
        stages.push_back({name, readFile(folder / (name + ".out")), seconds});
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return stages;
}

void readStage(benchmark::State& state, const Stage& stage)
{
    constexpr size_t kPipeRead = 4096;
    const insight::RuleTable& rules = insight::RuleTable::builtIn(insight::ToolFamily::GoldSource);
    double reading = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        insight::StageReader reader(rules, stage.name);
        for (size_t at = 0; at < stage.output.size(); at += kPipeRead) {
            reader.feed(std::string_view(stage.output).substr(at, kPipeRead));
            benchmark::DoNotOptimize(reader.progress());
        }
        reader.finish();
        benchmark::DoNotOptimize(reader.findings().problems.size());
        reading += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stage.output.size()));
    state.counters["output_MB"] = static_cast<double>(stage.output.size()) / (1024.0 * 1024.0);
    state.counters["tool_s"] = stage.seconds;
    state.counters["cost_percent"] = 100.0 * reading / static_cast<double>(state.iterations()) / stage.seconds;
}

const bool registered = [] {
    static const std::vector<Stage> stages = compileOnce();
    if (stages.size() < 4)
        std::fprintf(stderr, "the compile of %s stopped after %zu stages; see the tools in %s\n", kMap, stages.size(),
            toolsFolder().c_str());
    for (const Stage& stage : stages) {
        benchmark::RegisterBenchmark(("islesofdread1/" + stage.name).c_str(), readStage, stage)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
