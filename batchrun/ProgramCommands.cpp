#include "batchrun/Commands.h"

#include "base/Process.h"
#include "base/SearchPath.h"
#include "base/Text.h"
#include "batchrun/ProgramLookup.h"
#include "batchrun/Words.h"

#include <algorithm>
#include <iterator>

namespace batchrun {

namespace {

enum class Wait {
    Yes,
    No
};

// A program line runs programs only; `start` also opens documents and folders, as it does in the interpreter.
enum class Documents {
    Open,
    Refuse
};

// Scripts name Notepad as the log viewer; outside Windows the desktop's viewer stands in for it.
bool isNotepad(std::string_view program)
{
#ifdef _WIN32
    (void)program;
    return false;
#else
    return base::equalsIgnoringCase(program, "notepad") || base::equalsIgnoringCase(program, "notepad.exe");
#endif
}

std::string searchPath(const Context& context) { return context.session.environment.get("PATH").value_or(""); }

std::string notRecognized(const std::string& program)
{
    return "'" + program + "' is not recognized as a command, program or batch file.";
}

Outcome cannotRun(Context& context, std::string_view message)
{
    context.console.err << message << '\n';
    context.session.errorLevel = kUnknownCommandLevel;
    return Outcome::failure();
}

Outcome openDocument(Context& context, const std::string& path)
{
    context.console.out.flush();
    if (const std::string problem = context.host.openDocument(path); !problem.empty())
        return cannotRun(context, "ferrowind-cmd: cannot open '" + path + "': " + problem);
    return Outcome::success();
}

// Runs or starts the program of `word` with its arguments, the way the interpreter would find it.
Outcome launch(Context& context, const ProgramWord& word, Wait wait, Documents documents)
{
    std::vector<std::string> arguments = splitProgramArguments(word.arguments);
    if (isNotepad(word.program)) {
        if (arguments.empty())
            return cannotRun(context, "ferrowind-cmd: Notepad without a file to open is not supported");
        return openDocument(context, resolvePath(arguments.front(), context.session.folder));
    }
    const ResolvedProgram program = resolveProgram(word.program, context.session.folder, searchPath(context));
    base::ProgramStart start;
    switch (program.kind) {
    case ProgramKind::Missing: return cannotRun(context, notRecognized(word.program));
    case ProgramKind::Document:
    case ProgramKind::Folder:
        // Handing a tool to the desktop's opener would drop its arguments and pass for a successful run.
        if (documents == Documents::Refuse)
            return cannotRun(context,
                notRecognized(word.program) + "\nferrowind-cmd: " + program.path +
                    (program.kind == ProgramKind::Folder ? " is a folder" : " is not an executable program"));
        return openDocument(context, program.path);
    case ProgramKind::Windows: // only outside Windows: there every program is Native
        start.file = base::findExecutable("wine", searchPath(context));
        if (start.file.empty())
            return cannotRun(
                context, "ferrowind-cmd: '" + program.path + "' is a Windows program; install Wine to run it");
        start.arguments = {"wine", program.path};
        break;
    case ProgramKind::Native:
        start.file = program.path;
        start.arguments = {word.program};
        break;
    }
    start.arguments.insert(
        start.arguments.end(), std::make_move_iterator(arguments.begin()), std::make_move_iterator(arguments.end()));
    start.folder = context.session.folder;
    start.environment = context.session.environment.toBlock();
    context.console.out.flush();
    if (wait == Wait::No) {
        if (const std::string problem = context.host.start(start); !problem.empty())
            return cannotRun(context, "ferrowind-cmd: cannot start '" + word.program + "': " + problem);
        context.session.errorLevel = 0;
        return Outcome::success();
    }
    const base::ProgramResult result = context.host.run(start);
    if (!result.started)
        return cannotRun(context, "ferrowind-cmd: cannot run '" + word.program + "': " + result.problem);
    context.session.errorLevel = result.exitCode;
    return result.exitCode == 0 ? Outcome::success() : Outcome::failure();
}

// Only the interpreter's own switches: any other word that starts with a slash is a program's absolute path.
bool isStartSwitch(std::string_view text)
{
    static constexpr std::string_view kSwitches[] = {"/min", "/max", "/wait", "/b", "/i", "/separate", "/shared",
        "/low", "/normal", "/high", "/realtime", "/abovenormal", "/belownormal", "/d", "/node", "/affinity"};
    size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    return std::any_of(std::begin(kSwitches), std::end(kSwitches),
        [&](std::string_view known) { return base::equalsIgnoringCase(word, known); });
}

} // namespace

Outcome runProgram(Context& context, std::string_view text)
{
    return launch(context, splitProgramWord(text), Wait::Yes, Documents::Refuse);
}

// start ["title"] [/switches] [program [arguments]]: the first quoted word before the program is the window
// title, never the program, so `start "" "Notepad" "x.log"` opens x.log and `start "x.log"` opens nothing.
// Started programs share our terminal, so the title is dropped rather than given to the terminal.
Outcome start(Context& context, std::string_view rest)
{
    std::string_view text = trimLeadingDelimiters(rest);
    Wait wait = Wait::No;
    bool titled = false;
    while (!text.empty() && (isStartSwitch(text) || (text.front() == '"' && !titled))) {
        size_t end = 0;
        if (text.front() == '"') {
            titled = true;
            const size_t close = text.find('"', 1);
            end = close == std::string_view::npos ? text.size() : close + 1;
        } else {
            while (end < text.size() && !isBlank(text[end]))
                ++end;
            const std::string_view option = text.substr(0, end);
            if (base::equalsIgnoringCase(option, "/wait"))
                wait = Wait::Yes;
            else if (base::equalsIgnoringCase(option, "/d") || base::equalsIgnoringCase(option, "/node") ||
                base::equalsIgnoringCase(option, "/affinity"))
                return unsupported(context, "'start " + std::string(option) + "'");
        }
        text = trimBlanks(text.substr(end));
    }
    if (text.empty())
        return unsupported(context, "'start' without a program");
    return launch(context, splitProgramWord(text), wait, Documents::Open);
}

Outcome shutdown(Context& context, std::string_view rest)
{
    bool powerOff = false;
    for (const std::string& word : splitCommandWords(rest)) {
        if (base::equalsIgnoringCase(word, "/s"))
            powerOff = true;
    }
    if (!powerOff)
        return unsupported(context, "'shutdown' without /s");
    context.console.out.flush();
    if (const std::string problem = context.host.powerOff(); !problem.empty()) {
        context.console.err << "ferrowind-cmd: cannot power off: " << problem << '\n';
        context.session.errorLevel = 1;
        return Outcome::failure();
    }
    // As after the interpreter's shutdown.exe, which exits with 0 once the request is accepted.
    context.session.errorLevel = 0;
    return Outcome::success();
}

} // namespace batchrun
