#include "config/ConsoleColor.h"

namespace ferrowind {

char colorDigit(int index)
{
    if (index < 0 || index > 15)
        return '0';
    return "0123456789ABCDEF"[index];
}

std::string consoleColorCode(int backColor, int textColor) { return {colorDigit(backColor), colorDigit(textColor)}; }

} // namespace ferrowind
