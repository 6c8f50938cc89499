// The runner's own cost: per executed script line, and per started program beside a bare spawn of the same
// program (the difference is what the runner adds).
#include "base/Process.h"
#include "base/SearchPath.h"
#include "batchrun/Host.h"
#include "batchrun/Runner.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>

using namespace batchrun;

namespace {

class NoInput : public Input {
public:
    std::optional<std::string> readLine() override { return std::nullopt; }
    bool waitForKey() override { return false; }
};

// Lines like those of a compile script's menu: variables, nested conditions, labels and jumps.
constexpr int kLinesPerRound = 10;
std::string menuRound(int round)
{
    const std::string label = "STEP" + std::to_string(round);
    std::string lines = "set SELRESULT=nil\r\n"
                        "set MAPPATH=/home/user/maps/box\r\n"
                        "if %SELRESULT%==1 if exist \"%MAPPATH%.log\" Notepad \"%MAPPATH%.log\"\r\n"
                        "if %SELRESULT%==3 goto BEGINCOMPILATION\r\n"
                        "if ERRORLEVEL 1 goto ERRORCOMPILATION\r\n"
                        "title Map: [%MAPNAME%] Stage: [1/4] - CSG\r\n"
                        "echo Map file: %MAPPATH%.map\r\n";
    lines.append("goto ").append(label).append("\r\necho skipped\r\n:").append(label).append("\r\n::comment\r\n");
    return lines;
}

std::string trueProgram()
{
    const char* path = std::getenv("PATH");
    return base::findExecutable("true", path ? path : "/usr/bin:/bin");
}

struct Rig {
    std::ostream sink{nullptr};
    NoInput input;
    Console console{sink, sink, input, false};
    SystemHost host;
    Session session;

    Rig()
    {
        if (const char* path = std::getenv("PATH"))
            session.environment.set("PATH", path);
        session.folder = std::filesystem::current_path().string();
        session.echo = false;
    }
};

void scriptLines(benchmark::State& state)
{
    std::string text;
    for (int round = 0; round < 100; ++round)
        text += menuRound(round);
    const Script script = Script::fromText(text);
    // Every line runs except "echo skipped"; label and comment lines are passed over.
    const int64_t linesPerRun = 100 * (kLinesPerRound - 1);
    Rig rig;
    for (auto _ : state) {
        Runner runner(rig.session, rig.console, rig.host);
        benchmark::DoNotOptimize(runner.run(script, {"bench.bat"}));
    }
    state.SetItemsProcessed(state.iterations() * linesPerRun);
    state.counters["per_line"] = benchmark::Counter(static_cast<double>(state.iterations() * linesPerRun),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(scriptLines);

void programThroughRunner(benchmark::State& state)
{
    std::string line = trueProgram();
    line.insert(line.begin(), '"');
    line.append("\" \"/home/user/maps/box.map\" -full\r\n");
    const Script script = Script::fromText(line);
    Rig rig;
    for (auto _ : state) {
        Runner runner(rig.session, rig.console, rig.host);
        benchmark::DoNotOptimize(runner.run(script, {"bench.bat"}));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(programThroughRunner)->Unit(benchmark::kMicrosecond)->UseRealTime();

void programSpawnedDirectly(benchmark::State& state)
{
    Rig rig;
    const base::ProgramStart start{trueProgram(), {"true", "/home/user/maps/box.map", "-full"}, rig.session.folder,
        rig.session.environment.toBlock()};
    for (auto _ : state)
        benchmark::DoNotOptimize(base::runProgramAndWait(start));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(programSpawnedDirectly)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
