#include "base/RegularFile.h"
#include "batchrun/ConsoleEscapes.h"
#include "batchrun/Host.h"
#include "batchrun/Platform.h"
#include "batchrun/Runner.h"

#include <filesystem>
#include <iostream>

using namespace batchrun;

namespace {

class StandardInput : public Input {
public:
    std::optional<std::string> readLine() override { return readStandardInputLine(); }
    bool waitForKey() override { return batchrun::waitForKey(); }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: ferrowind-cmd <script> [arguments]\n";
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
