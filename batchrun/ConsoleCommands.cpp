#include "batchrun/Commands.h"

#include "batchrun/ConsoleEscapes.h"
#include "batchrun/Words.h"
#include "base/Text.h"

namespace batchrun {

namespace {

// `set "NAME=value" tail`: the text between the first and the last quote; otherwise the text as it is.
std::string_view Assignment(std::string_view text)
{
    if (text.empty() || text.front() != '"')
        return text;
    const size_t last = text.rfind('"');
    return last == 0 ? text.substr(1) : text.substr(1, last - 1);
}

Outcome SyntaxError(Context& context)
{
    context.console.err << "The syntax of the command is incorrect.\n";
    context.session.errorLevel = 1;
    return Outcome::Failure();
}

Outcome ListVariables(Context& context, std::string_view prefix)
{
    bool any = false;
    for (const auto& [name, value] : context.session.environment.Entries()) {
        if (name.size() >= prefix.size() && base::equalsIgnoringCase(std::string_view(name).substr(0, prefix.size()), prefix)) {
            context.console.out << name << '=' << value << '\n';
            any = true;
        }
    }
    if (any)
        return Outcome::Success();
    context.console.err << "Environment variable " << prefix << " not defined\n";
    context.session.errorLevel = 1;
    return Outcome::Failure();
}

Outcome Prompt(Context& context, std::string_view text)
{
    const std::string_view assignment = Assignment(TrimLeadingDelimiters(text));
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return SyntaxError(context);
    context.console.out << assignment.substr(equals + 1) << std::flush;
    const std::optional<std::string> answer = context.console.input.ReadLine();
    if (!answer) {
        context.console.out << '\n';
        context.console.err << "ferrowind-cmd: end of input at a prompt; the script ends\n";
        return Outcome::End(1);
    }
    if (answer->empty()) {
        context.session.errorLevel = 1;
        return Outcome::Failure();
    }
    context.session.environment.Set(assignment.substr(0, equals), *answer);
    return Outcome::Success();
}

} // namespace

Outcome Echo(Context& context, std::string_view rest)
{
    const bool plain = rest.empty() || IsDelimiter(rest.front());
    const std::string_view text = rest.empty() ? rest : rest.substr(1);
    if (plain) {
        const std::string_view word = TrimBlanks(text);
        if (word.empty()) {
            context.console.out << (context.session.echo ? "ECHO is on.\n" : "ECHO is off.\n");
            return Outcome::Success();
        }
        if (base::equalsIgnoringCase(word, "on") || base::equalsIgnoringCase(word, "off")) {
            context.session.echo = base::equalsIgnoringCase(word, "on");
            return Outcome::Success();
        }
    }
    context.console.out << text << '\n';
    return Outcome::Success();
}

Outcome Set(Context& context, std::string_view rest)
{
    std::string_view text = TrimLeadingDelimiters(rest);
    if (text.empty())
        return ListVariables(context, "");
    if (text.size() >= 2 && text[0] == '/' && (text.size() == 2 || IsDelimiter(text[2]))) {
        if (text[1] == 'p' || text[1] == 'P')
            return Prompt(context, text.substr(2));
        return Unsupported(context, "'set " + std::string(text.substr(0, 2)) + "'");
    }
    const std::string_view assignment = Assignment(text);
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return ListVariables(context, TrimBlanks(assignment));
    if (equals == 0)
        return SyntaxError(context);
    context.session.environment.Set(assignment.substr(0, equals), std::string(assignment.substr(equals + 1)));
    return Outcome::Success();
}

Outcome Title(Context& context, std::string_view rest)
{
    if (context.console.terminal)
        context.console.out << TitleEscape(rest.empty() ? rest : rest.substr(1)) << std::flush;
    return Outcome::Success();
}

Outcome Color(Context& context, std::string_view rest)
{
    const std::string_view argument = TrimBlanks(TrimLeadingDelimiters(rest));
    if (argument.empty()) {
        if (context.console.terminal)
            context.console.out << ResetColorEscape() << std::flush;
        return Outcome::Success();
    }
    const std::optional<ConsoleColors> colors = ParseColorArgument(argument);
    if (!colors) {
        context.session.errorLevel = 1;
        return Outcome::Failure();
    }
    if (context.console.terminal)
        context.console.out << ColorEscape(*colors) << std::flush;
    return Outcome::Success();
}

Outcome ClearScreen(Context& context, std::string_view)
{
    if (context.console.terminal)
        context.console.out << ClearScreenEscape() << std::flush;
    return Outcome::Success();
}

Outcome Pause(Context& context, std::string_view)
{
    context.console.out << "Press any key to continue . . . " << std::flush;
    context.console.input.WaitForKey();
    context.console.out << '\n';
    return Outcome::Success();
}

} // namespace batchrun
