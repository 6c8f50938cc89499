#include "platform/TerminalCommand.h"

namespace ferrowind {

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
} // namespace

std::optional<std::vector<std::string>> terminalCommand(const char* terminalVariable, const std::string& runner,
    const std::string& script, const std::function<std::string(const std::string&)>& findProgram)
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

} // namespace ferrowind
