#include "platform/TerminalCommand.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
struct KnownTerminal {
    const char* program;
    const char* commandSwitch; // what comes before the command and its arguments
};

constexpr KnownTerminal kKnownTerminals[] = {
    {"x-terminal-emulator", "-e"},
    {"gnome-terminal", "--"},
    {"konsole", "-e"},
    {"xfce4-terminal", "-x"},
    {"xterm", "-e"},
};

bool IsExecutableFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
#ifdef _WIN32
    return true;
#else
    return access(path.c_str(), X_OK) == 0;
#endif
}
}

std::optional<std::vector<std::string>> TerminalCommand(const char* terminalVariable, const std::string& runner, const std::string& script,
                                                        const std::function<std::string(const std::string&)>& findProgram)
{
    if (terminalVariable != nullptr && *terminalVariable != '\0') {
        const std::string found = findProgram(terminalVariable);
        if (!found.empty())
            return std::vector<std::string>{found, "-e", runner, script};
    }
    for (const KnownTerminal& terminal : kKnownTerminals) {
        const std::string found = findProgram(terminal.program);
        if (!found.empty())
            return std::vector<std::string>{found, terminal.commandSwitch, runner, script};
    }
    return std::nullopt;
}

std::string FindProgramInPath(const std::string& name, const char* pathVariable)
{
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();
    const std::string folders = pathVariable != nullptr ? pathVariable : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}
