#include "batchrun/Platform.h"

#include "base/Process.h"
#include "base/SearchPath.h"
#include "batchrun/Limits.h"

#include <cerrno>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

namespace batchrun {

std::optional<std::string> readStandardInputLine()
{
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n')
            break;
        line += c;
        if (line.size() == kMaxLineLength)
            return line;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool waitForKey()
{
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    char c = 0;
    ssize_t got = 0;
    do {
        got = read(STDIN_FILENO, &c, 1);
    } while (got < 0 && errno == EINTR);
    if (terminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return got == 1;
}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

namespace {

std::string searchPath()
{
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

base::ProgramStart systemCommand(const std::string& file, std::vector<std::string> arguments)
{
    return {file, std::move(arguments), {}, base::processEnvironment()};
}

} // namespace

std::string openWithAssociatedProgram(const std::string& path)
{
    const std::string opener = base::findExecutable("xdg-open", searchPath());
    if (opener.empty())
        return "xdg-open was not found; install xdg-utils to open documents";
    return base::startProgramDetached(systemCommand(opener, {"xdg-open", path}));
}

std::string requestPowerOff()
{
    const std::string systemctl = base::findExecutable("systemctl", searchPath());
    if (!systemctl.empty()) {
        const base::ProgramResult result = base::runProgramAndWait(systemCommand(systemctl, {"systemctl", "poweroff"}));
        if (result.started && result.exitCode == 0)
            return {};
    }
    const std::string shutdown = base::findExecutable("shutdown", searchPath());
    if (shutdown.empty())
        return "no power-off command was found";
    const base::ProgramResult result = base::runProgramAndWait(systemCommand(shutdown, {"shutdown", "-h", "now"}));
    if (!result.started)
        return result.problem;
    return result.exitCode == 0 ? std::string() : "the system refused to power off";
}

} // namespace batchrun
