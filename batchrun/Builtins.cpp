#include "batchrun/Commands.h"

#include "base/Text.h"
#include "batchrun/Script.h"
#include "batchrun/Words.h"

#include <array>
#include <charconv>
#include <utility>

namespace batchrun {

namespace {

Outcome remark(Context&, std::string_view) { return Outcome::success(); }

Outcome exitScript(Context& context, std::string_view rest)
{
    int code = context.session.errorLevel;
    for (const std::string& word : splitCommandWords(rest)) {
        if (base::equalsIgnoringCase(word, "/b"))
            continue;
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        code = error == std::errc() ? value : 0;
        break;
    }
    context.session.errorLevel = code;
    return Outcome::end(code);
}

Outcome goTo(Context& context, std::string_view rest)
{
    std::string label = labelName(rest);
    if (label.empty()) {
        context.console.err << "No batch label specified to GOTO command.\n";
        return Outcome::end(1);
    }
    return Outcome::goTo(std::move(label));
}

} // namespace

CommandFunction findBuiltin(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, CommandFunction>, 16> kBuiltins{{
        {"echo", echo},
        {"set", set},
        {"title", title},
        {"color", color},
        {"cls", clearScreen},
        {"pause", pause},
        {"cd", changeFolder},
        {"chdir", changeFolder},
        {"copy", copy},
        {"del", deleteFiles},
        {"erase", deleteFiles},
        {"start", start},
        {"shutdown", shutdown},
        {"exit", exitScript},
        {"goto", goTo},
        {"rem", remark},
    }};
    for (const auto& [builtinName, function] : kBuiltins) {
        if (builtinName == name)
            return function;
    }
    return nullptr;
}

bool isUnsupportedInternal(std::string_view name)
{
    static constexpr std::array<std::string_view, 31> kInternals{
        "assoc",
        "break",
        "call",
        "chcp",
        "date",
        "dir",
        "endlocal",
        "for",
        "ftype",
        "if",
        "md",
        "mkdir",
        "mklink",
        "move",
        "path",
        "popd",
        "prompt",
        "pushd",
        "rd",
        "ren",
        "rename",
        "rmdir",
        "setlocal",
        "shift",
        "time",
        "timeout",
        "type",
        "ver",
        "verify",
        "vol",
        "choice",
    };
    for (std::string_view internal : kInternals) {
        if (internal == name)
            return true;
    }
    return false;
}

Outcome unsupported(Context& context, std::string_view what)
{
    context.console.err << "ferrowind-cmd: " << what << " is not supported\n";
    context.session.errorLevel = kUnknownCommandLevel;
    return Outcome::failure();
}

} // namespace batchrun
