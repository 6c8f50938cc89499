#include "base/Process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace base {

namespace {

// Detached programs are reaped whenever another program starts, so a long session leaves no zombies.
std::vector<pid_t>& detachedChildren()
{
    static std::vector<pid_t> children;
    return children;
}

void reapDetachedChildren()
{
    std::erase_if(detachedChildren(), [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

// The process group of the program being waited for, for the termination handler; 0 when none.
volatile std::sig_atomic_t runningGroup = 0;

constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void endGroupAndSelf(int signal)
{
    if (runningGroup > 0)
        kill(-static_cast<pid_t>(runningGroup), SIGKILL);
    std::signal(signal, SIG_DFL);
    raise(signal);
}

std::vector<char*> pointers(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    result.reserve(strings.size() + 1);
    for (const std::string& s : strings)
        result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
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

int spawn(const ProgramStart& start, SpawnSetup& setup, pid_t& pid)
{
    reapDetachedChildren();
    if (!start.folder.empty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, start.folder.c_str());
    std::vector<char*> argv = pointers(start.arguments);
    std::vector<char*> envp = pointers(start.environment);
    return posix_spawn(&pid, start.file.c_str(), &setup.actions, &setup.attributes, argv.data(), envp.data());
}

} // namespace

std::vector<std::string> processEnvironment()
{
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry)
        entries.emplace_back(*entry);
    return entries;
}

ProgramResult runProgramAndWait(const ProgramStart& start)
{
    SpawnSetup setup;
    if (start.ownProcessGroup) {
        posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&setup.attributes, 0);
    }
    pid_t pid = 0;
    if (const int error = spawn(start, setup, pid); error != 0)
        return {false, 0, std::strerror(error)};
    if (start.ownProcessGroup)
        runningGroup = pid;
    ProgramResult result{true, 0, {}};
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(start.limitSeconds);
    for (;;) {
        const bool limited = start.ownProcessGroup && start.limitSeconds > 0;
        const pid_t ended = waitpid(pid, &status, limited ? WNOHANG : 0);
        if (ended == pid)
            break;
        if (ended < 0 && errno != EINTR) {
            result = {true, 1, std::strerror(errno)};
            break;
        }
        if (ended == 0 && std::chrono::steady_clock::now() >= deadline) {
            kill(-pid, SIGKILL);
            result.timedOut = true;
        } else if (ended == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    runningGroup = 0;
    if (!result.problem.empty())
        return result;
    result.exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return result;
}

void endRunningGroupOnTermination()
{
    struct sigaction action {};
    action.sa_handler = endGroupAndSelf;
    sigemptyset(&action.sa_mask);
    for (int signal : kTerminationSignals)
        sigaction(signal, &action, nullptr);
}

std::string startProgramDetached(const ProgramStart& start)
{
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    if (const int error = spawn(start, setup, pid); error != 0)
        return std::strerror(error);
    detachedChildren().push_back(pid);
    return {};
}

long currentProcessId() { return static_cast<long>(getpid()); }

} // namespace base
