#include "batchrun/Commands.h"

#include "base/Text.h"
#include "batchrun/ConsoleEscapes.h"
#include "batchrun/Words.h"

namespace batchrun {

namespace {

// `set "NAME=value" tail`: the text between the first and the last quote; otherwise the text as it is.
std::string_view unquotedAssignment(std::string_view text)
{
    if (text.empty() || text.front() != '"')
        return text;
    const size_t last = text.rfind('"');
    return last == 0 ? text.substr(1) : text.substr(1, last - 1);
}

Outcome syntaxError(Context& context)
{
    context.console.err << "The syntax of the command is incorrect.\n";
    context.session.errorLevel = 1;
    return Outcome::failure();
}

Outcome listVariables(Context& context, std::string_view prefix)
{
    bool any = false;
    for (const auto& [name, value] : context.session.environment.entries()) {
        if (name.size() >= prefix.size() &&
            base::equalsIgnoringCase(std::string_view(name).substr(0, prefix.size()), prefix)) {
            context.console.out << name << '=' << value << '\n';
            any = true;
        }
    }
    if (any)
        return Outcome::success();
    context.console.err << "Environment variable " << prefix << " not defined\n";
    context.session.errorLevel = 1;
    return Outcome::failure();
}

Outcome prompt(Context& context, std::string_view text)
{
    const std::string_view assignment = unquotedAssignment(trimLeadingDelimiters(text));
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return syntaxError(context);
    context.console.out << assignment.substr(equals + 1) << std::flush;
    const std::optional<std::string> answer = context.console.input.readLine();
    if (!answer) {
        context.console.out << '\n';
        context.console.err << "ferrowind-cmd: end of input at a prompt; the script ends\n";
        return Outcome::end(1);
    }
    if (answer->empty()) {
        context.session.errorLevel = 1;
        return Outcome::failure();
    }
    context.session.environment.set(assignment.substr(0, equals), *answer);
    return Outcome::success();
}

} // namespace

Outcome echo(Context& context, std::string_view rest)
{
    const bool plain = rest.empty() || isDelimiter(rest.front());
    const std::string_view text = rest.empty() ? rest : rest.substr(1);
    if (plain) {
        const std::string_view word = trimBlanks(text);
        if (word.empty()) {
            context.console.out << (context.session.echo ? "ECHO is on.\n" : "ECHO is off.\n");
            return Outcome::success();
        }
        if (base::equalsIgnoringCase(word, "on") || base::equalsIgnoringCase(word, "off")) {
            context.session.echo = base::equalsIgnoringCase(word, "on");
            return Outcome::success();
        }
    }
    context.console.out << text << '\n';
    return Outcome::success();
}

Outcome set(Context& context, std::string_view rest)
{
    std::string_view text = trimLeadingDelimiters(rest);
    if (text.empty())
        return listVariables(context, "");
    if (text.size() >= 2 && text[0] == '/' && (text.size() == 2 || isDelimiter(text[2]))) {
        if (text[1] == 'p' || text[1] == 'P')
            return prompt(context, text.substr(2));
        return unsupported(context, "'set " + std::string(text.substr(0, 2)) + "'");
    }
    const std::string_view assignment = unquotedAssignment(text);
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return listVariables(context, trimBlanks(assignment));
    if (equals == 0)
        return syntaxError(context);
    context.session.environment.set(assignment.substr(0, equals), std::string(assignment.substr(equals + 1)));
    return Outcome::success();
}

Outcome title(Context& context, std::string_view rest)
{
    const std::string_view text = rest.empty() ? rest : rest.substr(1);
    if (context.console.terminal)
        context.console.out << titleEscape(text) << std::flush;
    context.host.titleSet(text);
    return Outcome::success();
}

Outcome color(Context& context, std::string_view rest)
{
    const std::string_view argument = trimBlanks(trimLeadingDelimiters(rest));
    if (argument.empty()) {
        if (context.console.terminal)
            context.console.out << resetColorEscape() << std::flush;
        return Outcome::success();
    }
    const std::optional<ConsoleColors> colors = parseColorArgument(argument);
    if (!colors) {
        context.session.errorLevel = 1;
        return Outcome::failure();
    }
    if (context.console.terminal)
        context.console.out << colorEscape(*colors) << std::flush;
    return Outcome::success();
}

Outcome clearScreen(Context& context, std::string_view)
{
    if (context.console.terminal)
        context.console.out << clearScreenEscape() << std::flush;
    return Outcome::success();
}

Outcome pause(Context& context, std::string_view)
{
    context.console.out << "Press any key to continue . . . " << std::flush;
    context.console.input.waitForKey();
    context.console.out << '\n';
    return Outcome::success();
}

} // namespace batchrun
