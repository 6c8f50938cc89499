#include "batchrun/Commands.h"

#include "batchrun/Script.h"
#include "batchrun/Words.h"
#include "base/Text.h"

#include <array>
#include <charconv>
#include <utility>

namespace batchrun {

namespace {

Outcome Remark(Context&, std::string_view)
{
    return Outcome::Success();
}

Outcome Exit(Context& context, std::string_view rest)
{
    int code = context.session.errorLevel;
    for (const std::string& word : SplitCommandWords(rest)) {
        if (base::equalsIgnoringCase(word, "/b"))
            continue;
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        code = error == std::errc() ? value : 0;
        break;
    }
    context.session.errorLevel = code;
    return Outcome::End(code);
}

Outcome GoTo(Context& context, std::string_view rest)
{
    std::string label = LabelName(rest);
    if (label.empty()) {
        context.console.err << "No batch label specified to GOTO command.\n";
        return Outcome::End(1);
    }
    return Outcome::GoTo(std::move(label));
}

} // namespace

CommandFunction FindBuiltin(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, CommandFunction>, 16> builtins {{
        {"echo", Echo},     {"set", Set},       {"title", Title},   {"color", Color},
        {"cls", ClearScreen}, {"pause", Pause},   {"cd", ChangeFolder}, {"chdir", ChangeFolder},
        {"copy", Copy},     {"del", Delete},    {"erase", Delete},  {"start", Start},
        {"shutdown", Shutdown}, {"exit", Exit}, {"goto", GoTo},     {"rem", Remark},
    }};
    for (const auto& [builtinName, function] : builtins) {
        if (builtinName == name)
            return function;
    }
    return nullptr;
}

bool IsUnsupportedInternal(std::string_view name)
{
    static constexpr std::array<std::string_view, 31> internals {
        "assoc", "break", "call", "chcp", "date", "dir", "endlocal", "for", "ftype", "if", "md", "mkdir",
        "mklink", "move", "path", "popd", "prompt", "pushd", "rd", "ren", "rename", "rmdir", "setlocal",
        "shift", "time", "timeout", "type", "ver", "verify", "vol", "choice",
    };
    for (std::string_view internal : internals) {
        if (internal == name)
            return true;
    }
    return false;
}

Outcome Unsupported(Context& context, std::string_view what)
{
    context.console.err << "ferrowind-cmd: " << what << " is not supported\n";
    context.session.errorLevel = kUnknownCommandLevel;
    return Outcome::Failure();
}

} // namespace batchrun
