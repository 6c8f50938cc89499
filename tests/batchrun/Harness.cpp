#include "Harness.h"

#include "batchrun/Runner.h"
#include "batchrun/Script.h"
#include "support/BoundedRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace batchrun {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() / ("ferrowind batchrun-" + std::to_string(random()));
        if (fs::create_directory(path_))
            break;
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string ScratchFolder::write(const std::string& relative, const std::string& text) const
{
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

bool ScratchFolder::has(const std::string& relative) const { return fs::exists(path_ / relative); }

ScriptedInput::ScriptedInput(std::vector<std::string> answers) : answers_(answers.begin(), answers.end()) {}

std::optional<std::string> ScriptedInput::readLine()
{
    if (answers_.empty())
        return std::nullopt;
    std::string answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedInput::waitForKey() { return readLine().has_value(); }

namespace {
// Started programs are waited for too, so that a test sees everything they did.
base::ProgramResult runBoundedForReal(const base::ProgramStart& start)
{
    base::ProgramStart bounded = start;
    bounded.timeLimit = testsupport::kStubLimit;
    const base::ProgramResult result = SystemHost().run(bounded);
    if (result.timedOut)
        ADD_FAILURE() << testsupport::describe(start) << " " << result.problem;
    return result;
}
} // namespace

base::ProgramResult RecordingHost::run(const base::ProgramStart& start)
{
    runs.push_back(start);
    if (!runForReal)
        return {true, fakeExitCode, {}};
    return runBoundedForReal(start);
}

std::string RecordingHost::start(const base::ProgramStart& start)
{
    starts.push_back(start);
    if (!runForReal)
        return {};
    const base::ProgramResult result = runBoundedForReal(start);
    return result.started ? std::string() : result.problem;
}

std::string RecordingHost::openDocument(const std::string& path)
{
    opened.push_back(path);
    return {};
}

std::string RecordingHost::powerOff()
{
    ++powerOffs;
    return {};
}

ScriptRun runScript(
    const std::string& text, Session& session, RecordingHost& host, std::vector<std::string> answers, bool terminal)
{
    std::ostringstream out;
    std::ostringstream err;
    ScriptedInput input(std::move(answers));
    Console console{out, err, input, terminal};
    Runner runner(session, console, host);
    const int exitCode = runner.run(Script::fromText(text), {"test.bat"});
    return {exitCode, out.str(), err.str()};
}

#ifdef _WIN32
namespace {
std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
} // namespace

ScriptRun runInCommandInterpreter(const std::string& folder, const std::string& script,
    const std::vector<std::string>& answers, const Environment& environment)
{
    std::ofstream input(fs::path(folder) / "answers.txt", std::ios::binary);
    for (const std::string& answer : answers)
        input << answer << "\r\n";
    input.close();
    Environment merged = Environment::fromProcess();
    for (const auto& [name, value] : environment.entries())
        merged.set(name, value);
    std::string block;
    for (const std::string& entry : merged.toBlock())
        block += entry + '\0';
    block += '\0';
    const char* interpreter = std::getenv("ComSpec");
    // The interpreter applies the redirections itself, as when a user types them.
    std::string line = "cmd.exe /c \"" + script + " < answers.txt > out.txt 2> err.txt\"";
    // In a job, so that programs the script starts without waiting (`start`) are waited for too. Wine starts
    // its desktop process when a program first needs it: started from inside the job it would join the job
    // and outlive every test, so it is made to start here, outside.
    GetDesktopWindow();
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(interpreter ? interpreter : "C:\\windows\\system32\\cmd.exe", line.data(), nullptr, nullptr,
            FALSE, CREATE_SUSPENDED, block.data(), folder.c_str(), &startup, &process)) {
        const DWORD error = GetLastError();
        CloseHandle(job);
        ADD_FAILURE() << "cmd.exe did not start in '" << folder << "': error " << error;
        return {-1, {}, "cmd.exe did not start"};
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    const auto deadline = std::chrono::steady_clock::now() + testsupport::kStubLimit;
    const auto left = [&] {
        const auto rest =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        return static_cast<DWORD>(std::max<long long>(rest.count(), 0));
    };
    bool timedOut = WaitForSingleObject(process.hProcess, left()) == WAIT_TIMEOUT;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    while (!timedOut &&
        QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting), nullptr) &&
        accounting.ActiveProcesses > 0) {
        timedOut = left() == 0;
        Sleep(10);
    }
    DWORD exitCode = 1;
    if (timedOut) {
        ADD_FAILURE() << "'" << line << "' in '" << folder << "' " << base::timeLimitProblem(testsupport::kStubLimit);
        TerminateJobObject(job, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    } else {
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    return {static_cast<int>(exitCode), readFile(fs::path(folder) / "out.txt"), readFile(fs::path(folder) / "err.txt")};
}
#endif

#ifndef _WIN32
ScriptRun runFerrowindCmd(const ScratchFolder& scratch, const std::string& script, const std::string& input)
{
    const auto quoted = [](const std::string& path) { return "'" + path + "'"; };
    const std::string out = scratch.path() + "/out.txt";
    const std::string err = scratch.path() + "/err.txt";
    const std::string command = "cd " + quoted(scratch.path()) + " && " + quoted(FERROWIND_CMD) + " " + quoted(script) +
        " < " + quoted(input) + " > " + quoted(out) + " 2> " + quoted(err);
    const testsupport::BoundedRun run = testsupport::runShellBounded(command, testsupport::kStubLimit);
    EXPECT_EQ(run.failure, "");
    std::ifstream outFile(out, std::ios::binary);
    std::ifstream errFile(err, std::ios::binary);
    return {run.exitCode, {std::istreambuf_iterator<char>(outFile), {}}, {std::istreambuf_iterator<char>(errFile), {}}};
}
#endif

Session testSession(const std::string& folder)
{
    Session session;
    if (const char* path = std::getenv("PATH"))
        session.environment.set("PATH", path);
    session.folder = folder;
    return session;
}

size_t occurrences(const std::string& text, const std::string& needle)
{
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}

} // namespace batchrun
