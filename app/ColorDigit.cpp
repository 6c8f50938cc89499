#include "app/ColorDigit.h"

char ColorDigit(int index)
{
    if (index < 0 || index > 15)
        return '0';
    return "0123456789ABCDEF"[index];
}

std::string ConsoleColorCode(int backColor, int textColor)
{
    return {ColorDigit(backColor), ColorDigit(textColor)};
}
