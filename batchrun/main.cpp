#include "base/ProgramOptions.h"
#include "base/RegularFile.h"
#include "batchrun/CompileConsoleHost.h"
#include "batchrun/ConsoleEscapes.h"
#include "batchrun/Host.h"
#include "batchrun/Platform.h"
#include "batchrun/Runner.h"
#include "insight/StageHistory.h"

#include <filesystem>
#include <iostream>

using namespace batchrun;

namespace {

constexpr const char* kUsage =
    "usage: ferrowind-cmd <script.bat> [arguments]\n"
    "\n"
    "Runs a Windows batch script with the command interpreter's rules for everything Ferrowind's scripts\n"
    "use (variables, labels and goto, if, set /P, copy, del, cd, start, color, title, pause, running\n"
    "programs) and exits with the script's exit code. The arguments after the script reach it as %1, %2...\n"
    "\n"
    "Compile tools run on a pseudo-terminal and are followed: the console title shows the stage's\n"
    "percentage and the time left, and a report of the compile (each stage's time and result, the\n"
    "problems found, the leak, the limits, where the .bsp went) is printed before the script's error\n"
    "menu or end. The stage times are kept in StageTimes.txt beside the script.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

class StandardInput : public Input {
public:
    std::optional<std::string> readLine() override { return readStandardInputLine(); }
    bool waitForKey() override { return batchrun::waitForKey(); }
};

} // namespace

int main(int argc, char** argv)
{
    if (const auto answer = base::programOptionAnswer({argv + 1, argv + argc}, "ferrowind-cmd", kUsage)) {
        std::cout << *answer;
        return 0;
    }
    if (argc < 2) {
        std::cerr << kUsage;
        return 1;
    }
    std::optional<Script> script;
    try {
        script = Script::load(argv[1]);
    } catch (const base::ReadError& error) {
        std::cerr << "ferrowind-cmd: " << error.what() << '\n';
        return 1;
    }
    std::error_code error;
    Session session{Environment::fromProcess(), std::filesystem::current_path(error).string()};
    StandardInput input;
    Console console{std::cout, std::cerr, input, standardOutputIsTerminal()};
    SystemHost system;
    // Beside the script: the working folder's Temp for the scripts Ferrowind runs.
    const std::filesystem::path history =
        std::filesystem::absolute(argv[1], error).parent_path() / insight::kStageHistoryFileName;
    CompileConsoleHost host(system, std::cout, std::cerr, console.terminal, error ? std::string() : history.string());
    Runner runner(session, console, host);
    const int exitCode = runner.run(*script, std::vector<std::string>(argv + 1, argv + argc));
    host.printReport();
    // The script may have coloured the terminal; leave it as it was found.
    if (console.terminal)
        std::cout << resetColorEscape();
    std::cout.flush();
    return exitCode;
}
