#include "batchrun/Commands.h"

#include "batchrun/ProgramLookup.h"
#include "batchrun/Words.h"
#include "base/Process.h"
#include "base/SearchPath.h"
#include "base/Text.h"

namespace batchrun {

namespace {

enum class Wait { Yes, No };

bool IsNotepad(std::string_view program)
{
    return base::equalsIgnoringCase(program, "notepad") || base::equalsIgnoringCase(program, "notepad.exe");
}

std::string SearchPath(const Context& context)
{
    return context.session.environment.Get("PATH").value_or("");
}

Outcome CannotRun(Context& context, std::string_view message)
{
    context.console.err << message << '\n';
    context.session.errorLevel = kUnknownCommandLevel;
    return Outcome::Failure();
}

Outcome Open(Context& context, const std::string& path)
{
    context.console.out.flush();
    if (const std::string problem = context.host.OpenDocument(path); !problem.empty())
        return CannotRun(context, "ferrowind-cmd: cannot open '" + path + "': " + problem);
    return Outcome::Success();
}

// Runs or starts the program of `word` with its arguments, the way the interpreter would find it.
Outcome Launch(Context& context, const ProgramWord& word, Wait wait)
{
    std::vector<std::string> arguments = SplitProgramArguments(word.arguments);
    if (IsNotepad(word.program)) {
        if (arguments.empty())
            return CannotRun(context, "ferrowind-cmd: Notepad without a file to open is not supported");
        return Open(context, ResolvePath(arguments.front(), context.session.folder));
    }
    const ResolvedProgram program = ResolveProgram(word.program, context.session.folder, SearchPath(context));
    base::ProgramStart start;
    switch (program.kind) {
    case ProgramKind::Missing:
        return CannotRun(context, "'" + word.program + "' is not recognized as a command, program or batch file.");
    case ProgramKind::Document:
    case ProgramKind::Folder:
        return Open(context, program.path);
    case ProgramKind::Windows:
        start.file = base::findExecutable("wine", SearchPath(context));
        if (start.file.empty())
            return CannotRun(context, "ferrowind-cmd: '" + program.path + "' is a Windows program; install Wine to run it");
        start.arguments = {"wine", program.path};
        break;
    case ProgramKind::Native:
        start.file = program.path;
        start.arguments = {word.program};
        break;
    }
    start.arguments.insert(start.arguments.end(), std::make_move_iterator(arguments.begin()),
                           std::make_move_iterator(arguments.end()));
    start.folder = context.session.folder;
    start.environment = context.session.environment.ToBlock();
    context.console.out.flush();
    if (wait == Wait::No) {
        if (const std::string problem = context.host.Start(start); !problem.empty())
            return CannotRun(context, "ferrowind-cmd: cannot start '" + word.program + "': " + problem);
        context.session.errorLevel = 0;
        return Outcome::Success();
    }
    const base::ProgramResult result = context.host.Run(start);
    if (!result.started)
        return CannotRun(context, "ferrowind-cmd: cannot run '" + word.program + "': " + result.problem);
    context.session.errorLevel = result.exitCode;
    return result.exitCode == 0 ? Outcome::Success() : Outcome::Failure();
}

} // namespace

Outcome RunProgram(Context& context, std::string_view text)
{
    return Launch(context, SplitProgramWord(text), Wait::Yes);
}

// start ["title"] [/switches] [program [arguments]]: a first quoted word is the window title, never the
// program, so `start "Notepad" "x.log"` opens x.log with its associated program.
Outcome Start(Context& context, std::string_view rest)
{
    std::string_view text = TrimLeadingDelimiters(rest);
    if (!text.empty() && text.front() == '"') {
        const size_t close = text.find('"', 1);
        text = close == std::string_view::npos ? std::string_view() : TrimLeadingDelimiters(text.substr(close + 1));
    }
    Wait wait = Wait::No;
    while (!text.empty() && text.front() == '/') {
        size_t end = 0;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        const std::string_view option = text.substr(0, end);
        text = TrimBlanks(text.substr(end));
        if (base::equalsIgnoringCase(option, "/wait")) {
            wait = Wait::Yes;
        } else if (base::equalsIgnoringCase(option, "/d")) {
            return Unsupported(context, "'start /D'");
        }
    }
    if (text.empty())
        return Unsupported(context, "'start' without a program");
    return Launch(context, SplitProgramWord(text), wait);
}

Outcome Shutdown(Context& context, std::string_view rest)
{
    bool powerOff = false;
    for (const std::string& word : SplitCommandWords(rest)) {
        if (base::equalsIgnoringCase(word, "/s"))
            powerOff = true;
    }
    if (!powerOff)
        return Unsupported(context, "'shutdown' without /s");
    context.console.out.flush();
    if (const std::string problem = context.host.PowerOff(); !problem.empty()) {
        context.console.err << "ferrowind-cmd: cannot power off: " << problem << '\n';
        context.session.errorLevel = 1;
        return Outcome::Failure();
    }
    return Outcome::Success();
}

} // namespace batchrun
