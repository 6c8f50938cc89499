#include "base/Process.h"

#include <windows.h>

#include <string>

namespace base {

namespace {

// Quotes one argument so that a program splitting its command line by the usual rules gets it back unchanged.
std::string quoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string commandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += quoteArgument(argument);
    }
    return line;
}

std::string environmentBlock(const std::vector<std::string>& entries)
{
    std::string block;
    for (const std::string& entry : entries) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    return block;
}

std::string lastErrorText()
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string problem = text ? text : "unknown error";
    LocalFree(text);
    while (!problem.empty() && (problem.back() == '\n' || problem.back() == '\r'))
        problem.pop_back();
    return problem;
}

bool create(const ProgramStart& start, DWORD flags, BOOL inheritHandles, PROCESS_INFORMATION& process)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string line = commandLine(start.arguments);
    std::string environment = environmentBlock(start.environment);
    return CreateProcessA(start.file.c_str(), line.data(), nullptr, nullptr, inheritHandles, flags, environment.data(),
               start.folder.empty() ? nullptr : start.folder.c_str(), &startup, &process) != 0;
}

} // namespace

std::vector<std::string> processEnvironment()
{
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; entry && *entry; entry += std::char_traits<char>::length(entry) + 1)
        entries.emplace_back(entry);
    FreeEnvironmentStringsA(block);
    return entries;
}

ProgramResult runProgramAndWait(const ProgramStart& start)
{
    PROCESS_INFORMATION process{};
    // A program with its own group goes into a job of its own, which ends everything it started when it ends,
    // when its time is up or when this process ends and closes the job. Wine starts its desktop process when a
    // program first needs it; it must not be started from inside the job, where it would be ended with it.
    const bool ownGroup = start.ownProcessGroup || start.timeLimit;
    HANDLE job = nullptr;
    if (ownGroup) {
        GetDesktopWindow();
        job = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    if (!create(start, job ? CREATE_SUSPENDED : 0, TRUE, process)) {
        const std::string problem = lastErrorText();
        if (job)
            CloseHandle(job);
        return {false, 0, problem};
    }
    ProgramResult result{true, 0, {}};
    if (job) {
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        const DWORD limit = start.timeLimit ? static_cast<DWORD>(start.timeLimit->count()) : INFINITE;
        if (WaitForSingleObject(process.hProcess, limit) == WAIT_TIMEOUT)
            result = {true, 1, timeLimitProblem(*start.timeLimit), true};
        TerminateJobObject(job, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(job);
    } else {
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    if (!result.timedOut) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        result.exitCode = static_cast<int>(exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// Closing the console ends its programs with it; a killed caller leaves its program running, as no job
// object ties them together.
// A job ends with this process when it closes the job: nothing to set up.
void endRunningGroupOnTermination() {}

std::string startProgramDetached(const ProgramStart& start)
{
    PROCESS_INFORMATION process{};
    if (!create(start, DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, FALSE, process))
        return lastErrorText();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {};
}

long currentProcessId() { return static_cast<long>(GetCurrentProcessId()); }

} // namespace base
