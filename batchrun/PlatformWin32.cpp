#include "batchrun/Platform.h"

#include "base/Process.h"
#include "base/SearchPath.h"
#include "batchrun/Limits.h"

#include <windows.h>

#include <conio.h>
#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <shellapi.h>

namespace batchrun {

std::optional<std::string> readStandardInputLine()
{
    std::string line;
    char c = 0;
    for (;;) {
        if (_read(0, &c, 1) != 1)
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
    if (_isatty(0))
        return _getch() != EOF;
    char c = 0;
    return _read(0, &c, 1) == 1;
}

bool standardOutputIsTerminal() { return _isatty(1) != 0; }

std::string openWithAssociatedProgram(const std::string& path)
{
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? std::string() : "the shell found no program to open it with";
}

// What the command interpreter would run for `shutdown /s /f`: the system's shutdown.exe.
std::string requestPowerOff()
{
    const char* path = std::getenv("PATH");
    const std::string shutdown = base::findExecutable("shutdown.exe", path ? path : "");
    if (shutdown.empty())
        return "shutdown.exe was not found";
    const base::ProgramResult result =
        base::runProgramAndWait({shutdown, {"shutdown", "/s", "/f"}, {}, base::processEnvironment()});
    if (!result.started)
        return result.problem;
    return result.exitCode == 0 ? std::string() : "the system refused to power off";
}

} // namespace batchrun
