#include "batchrun/ConsoleEscapes.h"

#include "batchrun/Words.h"

namespace batchrun {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int ansiColor(int consoleIndex) { return ((consoleIndex & 1) << 2) | (consoleIndex & 2) | ((consoleIndex & 4) >> 2); }

} // namespace

std::optional<ConsoleColors> parseColorArgument(std::string_view argument)
{
    argument = trimBlanks(argument);
    if (argument.size() != 2)
        return std::nullopt;
    const int background = hexDigit(argument[0]);
    const int foreground = hexDigit(argument[1]);
    if (background < 0 || foreground < 0 || background == foreground)
        return std::nullopt;
    return ConsoleColors{background, foreground};
}

std::string colorEscape(ConsoleColors colors)
{
    const int foreground = (colors.foreground & 8 ? 90 : 30) + ansiColor(colors.foreground);
    const int background = (colors.background & 8 ? 100 : 40) + ansiColor(colors.background);
    return "\x1b[" + std::to_string(foreground) + ';' + std::to_string(background) + 'm';
}

std::string resetColorEscape() { return "\x1b[0m"; }

std::string titleEscape(std::string_view title) { return "\x1b]0;" + std::string(title) + '\a'; }

std::string clearScreenEscape() { return "\x1b[H\x1b[2J\x1b[3J"; }

void EscapeSequenceState::feed(std::string_view bytes)
{
    constexpr char kEscape = '\x1b';
    for (const char c : bytes) {
        switch (state_) {
        case State::Text: state_ = c == kEscape ? State::Escape : State::Text; break;
        case State::Escape: state_ = c == '[' ? State::Control : c == ']' ? State::OperatingSystem : State::Text; break;
        case State::Control: state_ = c >= '@' && c <= '~' ? State::Text : State::Control; break;
        case State::OperatingSystem:
            state_ = c == '\a' ? State::Text : c == kEscape ? State::OperatingSystemEscape : State::OperatingSystem;
            break;
        case State::OperatingSystemEscape: state_ = c == '\\' ? State::Text : State::OperatingSystem; break;
        }
    }
}

} // namespace batchrun
