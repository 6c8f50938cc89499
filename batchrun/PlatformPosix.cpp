#include "batchrun/Platform.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace batchrun {

namespace {

// Detached programs are reaped whenever another program starts, so a long session leaves no zombies.
std::vector<pid_t>& DetachedChildren()
{
    static std::vector<pid_t> children;
    return children;
}

void ReapDetachedChildren()
{
    auto& children = DetachedChildren();
    std::erase_if(children, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

std::vector<char*> Pointers(const std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& s : strings)
        pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

int Spawn(const ProgramStart& start, SpawnSetup& setup, pid_t& pid)
{
    ReapDetachedChildren();
    if (!start.folder.empty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, start.folder.c_str());
    std::vector<char*> argv = Pointers(start.arguments);
    std::vector<char*> envp = Pointers(start.environment);
    return posix_spawn(&pid, start.file.c_str(), &setup.actions, &setup.attributes, argv.data(), envp.data());
}

} // namespace

std::vector<std::string> ProcessEnvironment()
{
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry)
        entries.emplace_back(*entry);
    return entries;
}

ProgramResult RunProgramAndWait(const ProgramStart& start)
{
    SpawnSetup setup;
    pid_t pid = 0;
    if (const int error = Spawn(start, setup, pid); error != 0)
        return {false, 0, std::strerror(error)};
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return {true, 1, std::strerror(errno)};
    }
    if (WIFSIGNALED(status))
        return {true, 128 + WTERMSIG(status), {}};
    return {true, WEXITSTATUS(status), {}};
}

std::string StartProgramDetached(const ProgramStart& start)
{
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    if (const int error = Spawn(start, setup, pid); error != 0)
        return std::strerror(error);
    DetachedChildren().push_back(pid);
    return {};
}

std::optional<std::string> ReadStandardInputLine()
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
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool WaitForKey()
{
    termios saved {};
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

bool StandardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

} // namespace batchrun
