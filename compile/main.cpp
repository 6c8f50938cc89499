#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Process.h"
#include "base/ProgramOptions.h"
#include "base/RegularFile.h"
#include "base/Text.h"
#include "batchrun/Host.h"
#include "batchrun/Runner.h"
#include "compile/Arguments.h"
#include "compile/CompileJob.h"
#include "compile/UnattendedHost.h"
#include "config/ProgramInfo.h"
#include "insight/CompileReport.h"
#include "insight/StageHistory.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

using namespace ferrowind;

namespace {

// Prompts get no answer: a script waiting at one ends instead of hanging on a closed or idle input.
class NoInput : public batchrun::Input {
public:
    std::optional<std::string> readLine() override { return std::nullopt; }
    bool waitForKey() override { return false; }
};

std::string programFile(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.string();
    return std::filesystem::absolute(argv0, error).string();
}

ScriptOrigin currentOrigin()
{
    std::setlocale(LC_TIME, "");
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    char date[64] = {};
    char time[64] = {};
    std::strftime(date, sizeof date, "%x", &local);
    std::strftime(time, sizeof time, "%X", &local);
    return {date, time, kContactAddress};
}

// The copy in the output folder holds what the stages left beside the map.
bool copiedWhole(const std::string& from, const std::string& to)
{
    if (base::isSameFile(from, to))
        return true;
    if (!std::filesystem::is_regular_file(to))
        return false;
    std::ifstream source(from, std::ios::binary);
    std::ifstream copy(to, std::ios::binary);
    if (!source || !copy)
        return false;
    return std::equal(std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>(),
        std::istreambuf_iterator<char>(copy), std::istreambuf_iterator<char>());
}

// An output file the compile would write: never one it reads, under any name, nor anything but a regular file.
bool refusedOutput(const std::string& option, const std::string& path, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs) {
        if (base::isSameFile(path, input)) {
            std::cerr << "ferrowind-compile: " << option << ' ' << path << " is " << input
                      << ", which the compile reads; write it to another file\n";
            return true;
        }
    }
    if (const std::string reason = base::notRegularReason(base::fileKindOf(path)); !reason.empty()) {
        std::cerr << "ferrowind-compile: " << base::WriteError(path, reason).what() << '\n';
        return true;
    }
    return false;
}

insight::ToolFamily familyOf(const std::string& mapFile)
{
    return base::equalsIgnoringCase(base::extensionOf(mapFile), ".vmf") ? insight::ToolFamily::Source
                                                                        : insight::ToolFamily::GoldSource;
}

// What ended the compile: the stage's exit code, or what its output showed when its tool said it succeeded.
std::string failureLine(const std::optional<StageRecord>& stage, const insight::CompileReport& report)
{
    if (!stage)
        return "the compile failed";
    const bool reported = !report.stages.empty() && report.stages.back().name == stage->name;
    if (reported && report.stages.back().exitCode == 0 && report.stages.back().findings.failed)
        return stage->name + " failed: its tool exited with 0, but its output shows " +
            report.stages.back().findings.failure;
    const std::string why = reported ? report.stages.back().findings.failure : std::string();
    return stage->name + " failed with exit code " + std::to_string(stage->exitCode) + (why.empty() ? "" : ": " + why);
}

int badRequest(const std::string& problem)
{
    std::cerr << "ferrowind-compile: " << problem << "\n\n" << kCompileUsage;
    return kExitBadRequest;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (const auto answer = base::programOptionAnswer(words, "ferrowind-compile", kCompileUsage)) {
        std::cout << *answer;
        return kExitDone;
    }
    base::endRunningGroupOnTermination();
    const ParsedArguments parsed = parseCompileArguments(words);
    if (!parsed.problem.empty())
        return badRequest(parsed.problem);
    const CompileArguments& arguments = parsed.arguments;
    if (arguments.help) {
        std::cout << *base::programOptionAnswer({"--help"}, "ferrowind-compile", kCompileUsage);
        return kExitDone;
    }

    const std::string programDir = base::withTrailingSeparator(base::folderPart(programFile(argv[0])));
    const WorkingFolders folders = foldersUnder(workingBaseFromEnvironment(programDir));
    if (!arguments.configFile.empty() && !base::fileExists(arguments.configFile)) {
        std::cerr << "ferrowind-compile: cannot read the configuration " << arguments.configFile << '\n';
        return kExitBadRequest;
    }
    const std::string configPath =
        arguments.configFile.empty() ? startingConfigurationPath(folders, programDir) : arguments.configFile;
#ifdef _WIN32
    const std::string desktopProgram = programDir + "ferrowind.exe";
#else
    const std::string desktopProgram = programDir + "ferrowind";
#endif
    Configuration configuration;
    try {
        configuration = readConfiguration(configPath);
    } catch (const base::ReadError& error) {
        std::cerr << "ferrowind-compile: " << error.what() << '\n';
        return kExitBadRequest;
    }
    const CompileSetup setup{configuration, folders, desktopProgram};
    const std::optional<PreparedCompile> prepared = prepareCompile(arguments, setup, currentOrigin(), std::cerr);
    if (!prepared)
        return kExitBadRequest;
    std::vector<std::string> inputs = prepared->inputs;
    inputs.push_back(configPath);
    if (!arguments.keepScript.empty()) {
        if (refusedOutput("--keep-script", arguments.keepScript, inputs))
            return kExitBadRequest;
        try {
            writeScriptLines(arguments.keepScript, prepared->script);
        } catch (const base::WriteError& error) {
            std::cerr << "ferrowind-compile: " << error.what() << '\n';
            return kExitBadRequest;
        }
    }
    if (!arguments.reportFile.empty() && !base::kProgramOutputIsHandedOn) {
        std::cerr << "ferrowind-compile: --report needs the tools' output, which is read on Linux only\n";
        return kExitBadRequest;
    }
    if (!arguments.reportFile.empty() && refusedOutput("--report", arguments.reportFile, inputs))
        return kExitBadRequest;
    if (!arguments.reportFile.empty() && !arguments.keepScript.empty() &&
        base::isSameFile(arguments.reportFile, arguments.keepScript)) {
        std::cerr << "ferrowind-compile: --report " << arguments.reportFile << " is the kept script "
                  << arguments.keepScript << "; write it to another file\n";
        return kExitBadRequest;
    }

    // Run from memory: no file for a later compile, here or on the desktop, to rewrite under it.
    std::error_code error;
    batchrun::Session session{batchrun::Environment::fromProcess(), std::filesystem::current_path(error).string()};
    NoInput input;
    batchrun::Console console{std::cout, std::cerr, input, false};
    batchrun::SystemHost system;
    UnattendedHost host(std::cout, system, prepared->plan, prepared->sections, arguments.stageTimeout);
    // The stage times sit in the working folder's Temp, where the desktop's consoles keep theirs.
    batchrun::CompileFollower follower(std::cout, folders.tempDir + insight::kStageHistoryFileName);
    const std::string& mapFile = prepared->inputs.front();
    if (base::kProgramOutputIsHandedOn)
        host.follow(follower, familyOf(mapFile), mapFile);
    batchrun::Runner runner(session, console, host);
    const auto started = std::chrono::steady_clock::now();
    runner.run(batchrun::Script::fromText(scriptFileText(prepared->script)), {"ferrowind-compile"});
    host.finish(session.errorLevel);
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::string timesProblem;
    if (follower.ranAnyStage())
        createWorkingFolders(folders);
    insight::CompileReport report = follower.finish(timesProblem);
    if (host.failed())
        std::cout << "ferrowind-compile: " << failureLine(host.failedStage(), report) << '\n';
    std::cout << '\n' << stageTable(host.stages(), total);
    if (!report.stages.empty())
        std::cout << '\n' << insight::reportText(report);
    if (!timesProblem.empty())
        std::cout << "ferrowind-compile: the stage times are not kept: " << timesProblem << '\n';
    int exitCode = kExitDone;
    if (host.failed()) {
        exitCode = kExitStageFailed;
    } else if (!prepared->bspCopy.empty() && base::fileExists(prepared->bspFile) &&
        !copiedWhole(prepared->bspFile, prepared->bspCopy)) {
        // The script's copy has no error branch: a failed copy would otherwise pass for a finished compile.
        std::cout << "ferrowind-compile: " << prepared->bspFile << " could not be copied to " << prepared->bspCopy
                  << '\n';
        exitCode = kExitCopyFailed;
    }
    if (!arguments.reportFile.empty()) {
        if (report.map.empty())
            report.map = mapFile;
        try {
            base::writeFileAtomically(arguments.reportFile, insight::reportJson(report), inputs);
        } catch (const base::WriteError& error) {
            std::cout << "ferrowind-compile: the report was not written: " << error.what() << '\n';
            if (exitCode == kExitDone)
                exitCode = kExitBadRequest;
        }
    }
    std::cout.flush();
    return exitCode;
}
