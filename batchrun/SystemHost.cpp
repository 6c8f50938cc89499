#include "batchrun/Host.h"

#include "base/Process.h"
#include "base/SearchPath.h"

#include <cstdlib>

namespace batchrun {

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

base::ProgramResult SystemHost::run(const base::ProgramStart& start) { return base::runProgramAndWait(start); }

std::string SystemHost::start(const base::ProgramStart& start) { return base::startProgramDetached(start); }

std::string SystemHost::openDocument(const std::string& path)
{
    const std::string opener = base::findExecutable("xdg-open", searchPath());
    if (opener.empty())
        return "xdg-open was not found; install xdg-utils to open documents";
    return base::startProgramDetached(systemCommand(opener, {"xdg-open", path}));
}

std::string SystemHost::powerOff()
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
