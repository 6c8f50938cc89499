#include "batchrun/Platform.h"

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace batchrun {

std::optional<std::string> readStandardInputLine()
{
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool waitForKey()
{
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    char c = 0;
    ssize_t got = 0;
    do {
        got = read(STDIN_FILENO, &c, 1);
    } while (got < 0 && errno == EINTR);
    if (terminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return got == 1;
}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

} // namespace batchrun
