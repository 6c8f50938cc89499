#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Process.h"
#include "base/ProgramOptions.h"
#include "base/RegularFile.h"
#include "batchrun/Host.h"
#include "batchrun/Runner.h"
#include "compile/Arguments.h"
#include "compile/CompileJob.h"
#include "compile/UnattendedHost.h"
#include "config/ProgramInfo.h"

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
    if (!arguments.keepScript.empty()) {
        std::vector<std::string> inputs = prepared->inputs;
        inputs.push_back(configPath);
        for (const std::string& input : inputs) {
            if (base::isSameFile(arguments.keepScript, input)) {
                std::cerr << "ferrowind-compile: --keep-script " << arguments.keepScript << " is " << input
                          << ", which the compile reads; the script is kept in another file or not at all\n";
                return kExitBadRequest;
            }
        }
        try {
            writeScriptLines(arguments.keepScript, prepared->script);
        } catch (const base::WriteError& error) {
            std::cerr << "ferrowind-compile: " << error.what() << '\n';
            return kExitBadRequest;
        }
    }

    // Run from memory: no file for a later compile, here or on the desktop, to rewrite under it.
    std::error_code error;
    batchrun::Session session{batchrun::Environment::fromProcess(), std::filesystem::current_path(error).string()};
    NoInput input;
    batchrun::Console console{std::cout, std::cerr, input, false};
    batchrun::SystemHost system;
    UnattendedHost host(std::cout, system, prepared->plan, prepared->sections, arguments.stageTimeout);
    batchrun::Runner runner(session, console, host);
    const auto started = std::chrono::steady_clock::now();
    runner.run(batchrun::Script::fromText(scriptFileText(prepared->script)), {"ferrowind-compile"});
    host.finish(session.errorLevel);
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    if (host.failed()) {
        const std::optional<StageRecord> stage = host.failedStage();
        std::cout << "ferrowind-compile: "
                  << (stage ? stage->name + " failed with exit code " + std::to_string(stage->exitCode)
                            : std::string("the compile failed"))
                  << '\n';
    }
    std::cout << '\n' << stageTable(host.stages(), total);
    if (host.failed())
        return kExitStageFailed;
    // The script's copy has no error branch: a failed copy would otherwise pass for a finished compile.
    if (!prepared->bspCopy.empty() && base::fileExists(prepared->bspFile) &&
        !copiedWhole(prepared->bspFile, prepared->bspCopy)) {
        std::cout << "ferrowind-compile: " << prepared->bspFile << " could not be copied to " << prepared->bspCopy
                  << '\n';
        return kExitCopyFailed;
    }
    std::cout.flush();
    return kExitDone;
}
