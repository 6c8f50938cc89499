#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/ProgramOptions.h"
#include "batchrun/Host.h"
#include "batchrun/Runner.h"
#include "compile/Arguments.h"
#include "compile/CompileJob.h"
#include "compile/UnattendedHost.h"
#include "config/ProgramInfo.h"

#include <chrono>
#include <clocale>
#include <ctime>
#include <filesystem>
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
    const CompileSetup setup{readConfiguration(configPath), folders, desktopProgram};
    const std::optional<ScriptLines> script = prepareCompile(arguments, setup, currentOrigin(), std::cerr);
    if (!script)
        return kExitBadRequest;
    if (!arguments.keepScript.empty()) {
        try {
            writeScriptLines(arguments.keepScript, *script);
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
    UnattendedHost host(std::cout, system);
    batchrun::Runner runner(session, console, host);
    const auto started = std::chrono::steady_clock::now();
    runner.run(batchrun::Script::fromText(scriptFileText(*script)), {"ferrowind-compile"});
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
    std::cout.flush();
    return host.failed() ? kExitStageFailed : kExitDone;
}
