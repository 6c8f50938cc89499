#include "platform/posix/PosixShell.h"

#include "base/Process.h"
#include "base/SearchPath.h"
#include "platform/TerminalCommand.h"

#include <cstdlib>

namespace ferrowind {

namespace {
std::string searchPath()
{
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "";
}

std::string startDetached(std::vector<std::string> arguments)
{
    base::ProgramStart start;
    start.file = arguments.front();
    start.arguments = std::move(arguments);
    start.environment = base::processEnvironment();
    return base::startProgramDetached(start);
}
} // namespace

bool PosixShell::openDocument(const std::string& pathOrUrl)
{
    const std::string opener = base::findExecutable("xdg-open", searchPath());
    return !opener.empty() && startDetached({opener, pathOrUrl}).empty();
}

ShellResult PosixShell::startScript(const std::string& scriptPath)
{
    const std::string path = searchPath();
    const auto command = terminalCommand(std::getenv("TERMINAL"), runnerPath_, scriptPath,
        [&path](const std::string& name) { return base::findExecutable(name, path); });
    if (!command)
        return {false, kNoTerminalMessage};
    if (const std::string problem = startDetached(*command); !problem.empty())
        return {false, "The terminal " + command->front() + " could not be started: " + problem};
    return {true, {}};
}

} // namespace ferrowind
