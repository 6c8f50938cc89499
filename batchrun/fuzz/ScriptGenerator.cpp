#include "batchrun/fuzz/ScriptGenerator.h"

#include "batchrun/Expansion.h"
#include "batchrun/Parser.h"
#include "batchrun/Script.h"
#include "batchrun/Words.h"

#include <array>

namespace batchrun::fuzz {

namespace {

constexpr size_t kMaxLines = 24;
constexpr size_t kMaxDepth = 80; // past the runner's limit of 64, to reach it
constexpr size_t kMaxWords = 6;

template <size_t N> std::string_view oneOf(Choices& choices, const std::array<std::string_view, N>& options)
{
    return options[choices.pick(N)];
}

std::string word(Choices& choices)
{
    static constexpr std::array<std::string_view, 24> kPieces{"box", "%MAPPATH%", "%MAPNAME%", "%1", "%~dpn0", "%*",
        "%%", "%", "^&", "^", "\"a & b\"", "\"", "\"%MAPFILE%\"", "/Y", "nul", "-estimate", "%ERRORLEVEL%", "%CD%",
        ".\\x", "../x", "%UNSET", ":label", "(", ")"};
    std::string text;
    for (size_t i = 0, n = 1 + choices.pick(3); i < n; ++i) {
        if (choices.pick(8) == 0)
            text += static_cast<char>(choices.pick(256)); // NUL, CR, LF and other stray bytes
        else
            text += oneOf(choices, kPieces);
    }
    return text;
}

std::string words(Choices& choices)
{
    std::string text;
    for (size_t i = 0, n = choices.pick(kMaxWords); i < n; ++i)
        text += (choices.pick(6) == 0 ? "," : " ") + word(choices);
    return text;
}

std::string condition(Choices& choices)
{
    std::string text = choices.pick(4) == 0 ? "/i " : "";
    if (choices.pick(3) == 0)
        text += "not ";
    switch (choices.pick(5)) {
    case 0: return text + "exist " + word(choices);
    case 1: return text + "errorlevel " + std::to_string(choices.pick(300));
    case 2: return text + "defined " + word(choices);
    case 3: return text + word(choices) + "==" + word(choices);
    default: return text + word(choices) + " == " + (choices.pick(4) == 0 ? "" : word(choices));
    }
}

std::string command(Choices& choices, size_t depth)
{
    static constexpr std::array<std::string_view, 22> kCommands{"echo", "echo.", "@echo off", "set", "set /P", "Set",
        "goto", "call", "rem", "::", "cd", "copy", "del", "start \"\"", "start", "exit", "exit /b", "title", "color",
        "pause", "shutdown /s /f", "\"/tools/hl csg\""};
    if (depth < kMaxDepth && choices.pick(3) == 0)
        return (choices.pick(5) == 0 ? "@if " : "if ") + condition(choices) + " " + command(choices, depth + 1);
    std::string text(oneOf(choices, kCommands));
    if (text.starts_with("set") || text.starts_with("Set"))
        return text + " " + word(choices) + "=" + words(choices);
    return text + words(choices);
}

std::string line(Choices& choices)
{
    static constexpr std::array<std::string_view, 7> kJoins{" & ", " && ", " || ", " | ", " > ", " < ", "&"};
    if (choices.pick(8) == 0)
        return ":" + word(choices) + words(choices);
    std::string text = command(choices, 0);
    while (choices.pick(3) == 0 && !choices.exhausted())
        text += std::string(oneOf(choices, kJoins)) + command(choices, 0);
    return text;
}

void cutIntoWords(const CommandList& commands)
{
    for (const Command& command : commands) {
        const ProgramWord program = splitProgramWord(command.text);
        splitProgramArguments(program.arguments);
        splitCommandWords(command.text);
        labelName(command.text);
        cutIntoWords(command.body);
    }
}

} // namespace

size_t Choices::pick(size_t count)
{
    if (count <= 1 || exhausted())
        return 0;
    size_t value = bytes_[at_++];
    if (count > 256 && !exhausted())
        value = value << 8 | bytes_[at_++];
    return value % count;
}

std::string generateScript(Choices& choices)
{
    static constexpr std::array<std::string_view, 3> kLineEnds{"\r\n", "\n", "\r"};
    std::string script;
    for (size_t i = 0; i < kMaxLines && !choices.exhausted(); ++i)
        script += line(choices) + std::string(oneOf(choices, kLineEnds));
    return script;
}

void readLikeTheRunner(std::string_view text)
{
    Environment environment;
    environment.set("MAPPATH", "/maps/box");
    environment.set("MAPNAME", "box");
    environment.set("MAPFILE", "\"/maps/box.map\"");
    const std::vector<std::string> arguments{"/scripts/Compile.bat", "\"a b\"", "x"};
    const Script script = Script::fromText(text);
    size_t index = 0;
    for (const std::string& scriptLine : script.lines()) {
        const std::string expanded = expandLine(scriptLine, {environment, arguments, "/work", 3});
        cutIntoWords(parseLine(expanded).commands);
        script.findLabel(labelName(scriptLine), index++);
    }
}

} // namespace batchrun::fuzz
