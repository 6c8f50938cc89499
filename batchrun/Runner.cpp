#include "batchrun/Runner.h"

#include "base/Text.h"
#include "batchrun/Commands.h"
#include "batchrun/Expansion.h"
#include "batchrun/Limits.h"
#include "batchrun/Parser.h"
#include "batchrun/ProgramLookup.h"
#include "batchrun/Words.h"

#include <charconv>
#include <filesystem>

namespace batchrun {

namespace {

// Syntax errors end the whole script in the interpreter, with this level.
constexpr int kSyntaxErrorLevel = 255;

// Characters that end a built-in command's name, so that "echo." and "cd.." work.
bool endsCommandName(char c)
{
    return isDelimiter(c) || std::string_view("\"./\\:+[]()").find(c) != std::string_view::npos;
}

} // namespace

Runner::Runner(Session& session, Console& console, Host& host) :
      session_(session),
      console_(console),
      context_{session, console, host}
{
}

int Runner::run(const Script& script, const std::vector<std::string>& arguments)
{
    const std::vector<std::string>& lines = script.lines();
    size_t next = 0;
    while (next < lines.size()) {
        const size_t index = next++;
        const std::string& line = lines[index];
        if (isLabelLine(line)) {
            if (const std::optional<int> exitCode = context_.host.labelReached(index, line, session_.errorLevel))
                return *exitCode;
            continue;
        }
        const Outcome outcome = runLine(line, arguments);
        if (outcome.flow == Outcome::Flow::End)
            return outcome.exitCode;
        if (outcome.flow == Outcome::Flow::Goto) {
            if (base::equalsIgnoringCase(outcome.label, "eof"))
                return session_.errorLevel;
            const std::optional<size_t> target = script.findLabel(outcome.label, next);
            if (!target) {
                console_.err << "The system cannot find the batch label specified - " << outcome.label << '\n';
                return 1;
            }
            // From the label line itself, so that the host sees it reached.
            next = *target - 1;
        }
    }
    return session_.errorLevel;
}

Outcome Runner::runLine(const std::string& line, const std::vector<std::string>& arguments)
{
    // As in the interpreter, a line past its limit, as written or once expanded, ends the script.
    const auto tooLong = [this] {
        console_.err << "The input line is too long.\n";
        session_.errorLevel = 1;
        return Outcome::end(1);
    };
    if (line.size() > kMaxLineLength)
        return tooLong();
    const std::string expanded =
        expandLine(line, {session_.environment, arguments, session_.folder, session_.errorLevel});
    if (expanded.size() > kMaxLineLength)
        return tooLong();
    const ParsedLine parsed = parseLine(expanded);
    if (!parsed.syntaxError.empty()) {
        console_.err << parsed.syntaxError << '\n';
        session_.errorLevel = kSyntaxErrorLevel;
        return Outcome::end(kSyntaxErrorLevel);
    }
    if (parsed.commands.empty())
        return Outcome::success();
    if (session_.echo && !parsed.commands.front().quiet)
        console_.out << '\n' << session_.folder << '>' << trimBlanks(expanded) << '\n';
    return runList(parsed.commands);
}

// & always runs the next command; && and || look at the last command that ran, which gives the
// interpreter's left-to-right grouping of the two.
Outcome Runner::runList(const CommandList& commands)
{
    Outcome last;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (i > 0) {
            const Chain chain = commands[i - 1].next;
            if ((chain == Chain::OnSuccess && last.failed) || (chain == Chain::OnFailure && !last.failed))
                continue;
        }
        last = runCommand(commands[i]);
        if (last.flow != Outcome::Flow::Next)
            return last;
    }
    return last;
}

Outcome Runner::runCommand(const Command& command)
{
    if (!command.unsupported.empty())
        return unsupported(context_, command.unsupported);
    if (command.condition)
        return holds(*command.condition) ? runList(command.body) : Outcome::success();
    return dispatch(command.text);
}

Outcome Runner::dispatch(const std::string& text)
{
    size_t end = 0;
    while (end < text.size() && !endsCommandName(text[end]))
        ++end;
    const std::string name = base::toLowerAscii(std::string_view(text).substr(0, end));
    if (const CommandFunction builtin = findBuiltin(name))
        return builtin(context_, std::string_view(text).substr(end));
    if (isUnsupportedInternal(name))
        return unsupported(context_, "'" + name + "'");
    return runProgram(context_, text);
}

bool Runner::holds(const Condition& condition) const
{
    bool holds = false;
    switch (condition.kind) {
    case Condition::Kind::ErrorLevel: {
        int level = 0;
        const auto [end, error] =
            std::from_chars(condition.left.data(), condition.left.data() + condition.left.size(), level);
        holds = error == std::errc() && session_.errorLevel >= level;
        break;
    }
    case Condition::Kind::Exist: {
        std::error_code error;
        holds = std::filesystem::exists(resolvePath(withoutQuotes(condition.left), session_.folder), error);
        break;
    }
    case Condition::Kind::Defined: holds = session_.environment.get(condition.left).has_value(); break;
    case Condition::Kind::Compare:
        holds = condition.ignoreCase ? base::equalsIgnoringCase(condition.left, condition.right)
                                     : condition.left == condition.right;
        break;
    }
    return holds != condition.negated;
}

} // namespace batchrun
