#include "batchrun/Platform.h"

#include <windows.h>

#include <conio.h>
#include <cstdio>
#include <io.h>

namespace batchrun {

std::optional<std::string> readStandardInputLine()
{
    std::string line;
    char c = 0;
    for (;;) {
        if (_read(0, &c, 1) != 1)
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
    if (_isatty(0))
        return _getch() != EOF;
    char c = 0;
    return _read(0, &c, 1) == 1;
}

bool standardOutputIsTerminal() { return _isatty(1) != 0; }

} // namespace batchrun
