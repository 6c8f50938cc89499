#pragma once

#include "batchrun/Context.h"
#include "batchrun/Host.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace batchrun {

// A fresh folder under the system's temporary folder, with a blank in its name so that quoting matters;
// removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string write(const std::string& relative, const std::string& text) const;
    bool has(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// Answers prompts from a list, as if typed; a `pause` takes one answer as its key.
class ScriptedInput : public Input {
public:
    explicit ScriptedInput(std::vector<std::string> answers);
    std::optional<std::string> readLine() override;
    bool waitForKey() override;

private:
    std::deque<std::string> answers_;
};

// Records what a script asks of the world. Programs run (started ones waited for) only when asked to;
// documents are never opened and nothing is powered off.
struct RecordingHost : Host {
    base::ProgramResult run(const base::ProgramStart& start) override;
    std::string start(const base::ProgramStart& start) override;
    std::string openDocument(const std::string& path) override;
    std::string powerOff() override;

    bool runForReal = false;
    int fakeExitCode = 0;
    std::vector<base::ProgramStart> runs;
    std::vector<base::ProgramStart> starts;
    std::vector<std::string> opened;
    int powerOffs = 0;
};

struct ScriptRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// Runs script text in-process; lines may end in LF or CR LF.
ScriptRun runScript(const std::string& text, Session& session, RecordingHost& host,
    std::vector<std::string> answers = {}, bool terminal = false);

#ifdef _WIN32
// Runs the script file `script` in `folder` through the system's command interpreter (`cmd.exe /c`), each
// answer a line of its standard input, with this process's environment and `environment` over it.
ScriptRun runInCommandInterpreter(const std::string& folder, const std::string& script,
    const std::vector<std::string>& answers, const Environment& environment);
#endif

#ifndef _WIN32
// Runs the ferrowind-cmd program on the script file `script` in `scratch`, standard input from the file `input`,
// bounded like every program a test starts; out.txt and err.txt in `scratch` keep what it wrote.
ScriptRun runFerrowindCmd(const ScratchFolder& scratch, const std::string& script, const std::string& input);
#endif

// A session in `folder` with this process's PATH only.
Session testSession(const std::string& folder);

// Number of times `needle` occurs in `text`.
size_t occurrences(const std::string& text, const std::string& needle);

} // namespace batchrun
