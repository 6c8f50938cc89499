#include "base/Process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
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

// Waits for `pid` to end, at most `limit` if there is one, leaving it unreaped so that its id, and its group's,
// stay reserved until the group is ended. False when it is still running.
bool endsWithin(pid_t pid, std::optional<std::chrono::milliseconds> limit)
{
    siginfo_t info{};
    if (!limit) {
        int waited = 0;
        do
            waited = waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
        while (waited < 0 && errno == EINTR);
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + *limit;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        info = {};
        const int waited = waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT);
        if ((waited == 0 && info.si_pid == pid) || (waited < 0 && errno != EINTR))
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        const auto nap = std::min<std::chrono::nanoseconds>(pause, deadline - now);
        const timespec interval{0, static_cast<long>(nap.count())};
        nanosleep(&interval, nullptr);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
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
    const bool ownGroup = start.ownProcessGroup || start.timeLimit;
    if (ownGroup) {
        posix_spawnattr_setpgroup(&setup.attributes, 0);
        posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    }
    pid_t pid = 0;
    if (const int error = spawn(start, setup, pid); error != 0)
        return {false, 0, std::strerror(error)};
    bool timedOut = false;
    if (ownGroup) {
        runningGroup = pid;
        timedOut = !endsWithin(pid, start.timeLimit);
        // Whatever the program left running in its group goes with it.
        kill(-pid, SIGKILL);
        runningGroup = 0;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return {true, 1, std::strerror(errno)};
    }
    if (timedOut)
        return {true, 1, timeLimitProblem(*start.timeLimit), true};
    if (WIFSIGNALED(status))
        return {true, 128 + WTERMSIG(status), {}};
    return {true, WEXITSTATUS(status), {}};
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
