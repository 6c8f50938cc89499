#include "batchrun/ConsoleEscapes.h"

#include "batchrun/Words.h"

namespace batchrun {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int AnsiColor(int consoleIndex)
{
    return ((consoleIndex & 1) << 2) | (consoleIndex & 2) | ((consoleIndex & 4) >> 2);
}

} // namespace

std::optional<ConsoleColors> ParseColorArgument(std::string_view argument)
{
    argument = TrimBlanks(argument);
    if (argument.size() != 2)
        return std::nullopt;
    const int background = HexDigit(argument[0]);
    const int foreground = HexDigit(argument[1]);
    if (background < 0 || foreground < 0 || background == foreground)
        return std::nullopt;
    return ConsoleColors{background, foreground};
}

std::string ColorEscape(ConsoleColors colors)
{
    const int foreground = (colors.foreground & 8 ? 90 : 30) + AnsiColor(colors.foreground);
    const int background = (colors.background & 8 ? 100 : 40) + AnsiColor(colors.background);
    return "\x1b[" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
}

std::string ResetColorEscape()
{
    return "\x1b[0m";
}

std::string TitleEscape(std::string_view title)
{
    return "\x1b]0;" + std::string(title) + '\a';
}

std::string ClearScreenEscape()
{
    return "\x1b[H\x1b[2J\x1b[3J";
}

} // namespace batchrun
