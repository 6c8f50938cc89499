#include "platform/posix/PosixShell.h"

#include "platform/TerminalCommand.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

bool StartDetached(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return false;
    std::vector<char*> raw;
    for (const std::string& argument : argv)
        raw.push_back(const_cast<char*>(argument.c_str()));
    raw.push_back(nullptr);

    // The intermediate child exits at once, so the started program is adopted by init and never
    // waits on us as a zombie.
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            execvp(raw[0], raw.data());
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool PosixShell::OpenDocument(const std::string& pathOrUrl)
{
    const std::string opener = FindProgramInPath("xdg-open", std::getenv("PATH"));
    return !opener.empty() && StartDetached({opener, pathOrUrl});
}

ShellResult PosixShell::StartScript(const std::string& scriptPath)
{
    const char* path = std::getenv("PATH");
    const auto command = TerminalCommand(std::getenv("TERMINAL"), runnerPath_, scriptPath, [path](const std::string& name) { return FindProgramInPath(name, path); });
    if (!command)
        return {false, kNoTerminalMessage};
    if (!StartDetached(*command))
        return {false, "The terminal " + command->front() + " could not be started."};
    return {true, {}};
}
