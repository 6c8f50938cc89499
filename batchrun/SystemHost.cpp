#include "batchrun/Host.h"

#include "batchrun/ProgramLookup.h"

#include <cstdlib>

namespace batchrun {

namespace {

std::string SearchPath()
{
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

ProgramStart SystemCommand(const std::string& file, std::vector<std::string> arguments)
{
    return {file, std::move(arguments), {}, ProcessEnvironment()};
}

} // namespace

ProgramResult SystemHost::Run(const ProgramStart& start)
{
    return RunProgramAndWait(start);
}

std::string SystemHost::Start(const ProgramStart& start)
{
    return StartProgramDetached(start);
}

std::string SystemHost::OpenDocument(const std::string& path)
{
    const std::string opener = FindOnSearchPath("xdg-open", SearchPath());
    if (opener.empty())
        return "xdg-open was not found; install xdg-utils to open documents";
    return StartProgramDetached(SystemCommand(opener, {"xdg-open", path}));
}

std::string SystemHost::PowerOff()
{
    const std::string systemctl = FindOnSearchPath("systemctl", SearchPath());
    if (!systemctl.empty()) {
        const ProgramResult result = RunProgramAndWait(SystemCommand(systemctl, {"systemctl", "poweroff"}));
        if (result.started && result.exitCode == 0)
            return {};
    }
    const std::string shutdown = FindOnSearchPath("shutdown", SearchPath());
    if (shutdown.empty())
        return "no power-off command was found";
    const ProgramResult result = RunProgramAndWait(SystemCommand(shutdown, {"shutdown", "-h", "now"}));
    if (!result.started)
        return result.problem;
    return result.exitCode == 0 ? std::string() : "the system refused to power off";
}

} // namespace batchrun
