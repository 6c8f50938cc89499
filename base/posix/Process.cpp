#include "base/Process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
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

// Starts the program; one in a group of its own becomes the group a termination request ends. Such requests
// wait meanwhile: one that came between the start and the note would end us and leave the group running.
int spawnTracked(const ProgramStart& start, SpawnSetup& setup, bool ownGroup, pid_t& pid)
{
    if (!ownGroup)
        return spawn(start, setup, pid);
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kTerminationSignals)
        sigaddset(&held, signal);
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &held, &previous);
    // The program starts with the signals as we had them, not held.
    short flags = 0;
    posix_spawnattr_getflags(&setup.attributes, &flags);
    posix_spawnattr_setflags(&setup.attributes, static_cast<short>(flags | POSIX_SPAWN_SETSIGMASK));
    posix_spawnattr_setsigmask(&setup.attributes, &previous);
    const int error = spawn(start, setup, pid);
    if (error == 0)
        runningGroup = pid;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return error;
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

// A program with its own group, or with a time limit, is started as the first of a new process group.
bool inOwnGroup(const ProgramStart& start, SpawnSetup& setup)
{
    if (!start.ownProcessGroup && !start.timeLimit)
        return false;
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    return true;
}

// Reaps the program that ended or was ended; `timeLimit` is set when it outlived it.
ProgramResult reaped(pid_t pid, std::optional<std::chrono::milliseconds> timeLimit)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return {true, 1, std::strerror(errno)};
    }
    if (timeLimit)
        return {true, 1, timeLimitProblem(*timeLimit), true};
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return {true, 128 + signal, "was ended by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")"};
    }
    return {true, WEXITSTATUS(status), {}};
}

bool hasEnded(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// A pseudo-terminal whose program side passes bytes on unchanged (no carriage return added to a line feed),
// as large as our own terminal when we write to one.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal()
    {
        closeProgramSide();
        if (ours >= 0)
            close(ours);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Empty on success, otherwise the problem.
    std::string open()
    {
        ours = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128] = {};
        if (ours < 0 || grantpt(ours) != 0 || unlockpt(ours) != 0 || ptsname_r(ours, name, sizeof name) != 0)
            return std::string("no pseudo-terminal: ") + std::strerror(errno);
        programSideName = name;
        // Held open until the program has it, so that the terminal never looks hung up before it starts.
        programSide = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (programSide < 0)
            return std::string("no pseudo-terminal: ") + std::strerror(errno);
        termios settings{};
        if (tcgetattr(programSide, &settings) == 0) {
            settings.c_oflag &= static_cast<tcflag_t>(~OPOST);
            settings.c_lflag &= static_cast<tcflag_t>(~(ECHO | ECHONL));
            tcsetattr(programSide, TCSANOW, &settings);
        }
        winsize size{};
        if (isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0)
            ioctl(programSide, TIOCSWINSZ, &size);
        return {};
    }

    void closeProgramSide()
    {
        if (programSide >= 0)
            close(programSide);
        programSide = -1;
    }

    int ours = -1;
    int programSide = -1;
    std::string programSideName;
};

constexpr auto kEndCheckInterval = std::chrono::milliseconds(100);
constexpr auto kLongestDrain = std::chrono::seconds(1);

// Hands on what the program writes until it ends (true) or its time is up (false).
bool relayUntilEnd(pid_t pid, int terminal, std::optional<std::chrono::milliseconds> limit,
    const std::function<void(std::string_view)>& output)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = limit ? Clock::now() + *limit : Clock::time_point::max();
    char buffer[65536];
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        if (hasEnded(pid))
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(std::min(left, kEndCheckInterval).count())) <= 0)
            continue;
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got > 0)
            output(std::string_view(buffer, static_cast<size_t>(got)));
        else if (got == 0 || (errno != EINTR && errno != EAGAIN))
            // Hung up: nothing holds the terminal any more, so only the end is left to wait for.
            return endsWithin(pid, limit ? std::optional(left) : std::nullopt);
    }
}

// What is still on the terminal once the program has ended: everything it wrote, but at most a second's worth,
// as something it started may still be writing.
void drain(int terminal, const std::function<void(std::string_view)>& output)
{
    const auto until = std::chrono::steady_clock::now() + kLongestDrain;
    char buffer[65536];
    while (std::chrono::steady_clock::now() < until) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(kEndCheckInterval.count())) <= 0)
            return;
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        output(std::string_view(buffer, static_cast<size_t>(got)));
    }
}

// As the plain run, process group and time limit included, with the output and error output on a
// pseudo-terminal that we read. The terminal is not the program's controlling terminal: the program stays in
// our session, so that our terminal's interrupt key and a group that ends us reach it as before.
ProgramResult runOnTerminal(const ProgramStart& start)
{
    PseudoTerminal terminal;
    if (const std::string problem = terminal.open(); !problem.empty())
        return {false, 0, problem};
    SpawnSetup setup;
    const bool ownGroup = inOwnGroup(start, setup);
    posix_spawn_file_actions_adddup2(&setup.actions, terminal.programSide, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, terminal.programSide, STDERR_FILENO);
    pid_t pid = 0;
    if (const int error = spawnTracked(start, setup, ownGroup, pid); error != 0)
        return {false, 0, std::strerror(error)};
    terminal.closeProgramSide();
    const bool timedOut = !relayUntilEnd(pid, terminal.ours, start.timeLimit, start.output);
    if (ownGroup) {
        kill(-pid, SIGKILL);
        runningGroup = 0;
    }
    drain(terminal.ours, start.output);
    return reaped(pid, timedOut ? start.timeLimit : std::nullopt);
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
    if (start.output)
        return runOnTerminal(start);
    SpawnSetup setup;
    const bool ownGroup = inOwnGroup(start, setup);
    pid_t pid = 0;
    if (const int error = spawnTracked(start, setup, ownGroup, pid); error != 0)
        return {false, 0, std::strerror(error)};
    bool timedOut = false;
    if (ownGroup) {
        timedOut = !endsWithin(pid, start.timeLimit);
        // Whatever the program left running in its group goes with it.
        kill(-pid, SIGKILL);
        runningGroup = 0;
    }
    return reaped(pid, timedOut ? start.timeLimit : std::nullopt);
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
