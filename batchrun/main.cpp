#include "base/ProgramOptions.h"
#include "base/RegularFile.h"
#include "batchrun/ConsoleEscapes.h"
#include "batchrun/Host.h"
#include "batchrun/Platform.h"
#include "batchrun/Runner.h"

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
    SystemHost host;
    Runner runner(session, console, host);
    const int exitCode = runner.run(*script, std::vector<std::string>(argv + 1, argv + argc));
    // The script may have coloured the terminal; leave it as it was found.
    if (console.terminal)
        std::cout << resetColorEscape();
    std::cout.flush();
    return exitCode;
}
