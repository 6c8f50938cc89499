#include "base/Text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace base {

namespace {
bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

std::string trim(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::string toLowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    return lower;
}

std::string toUpperAscii(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), upperAscii);
    return upper;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

int parseIntOr(std::string_view text, int fallback)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && lowerAscii(text[1]) == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return fallback;

    std::int64_t value = 0;
    for (char c : text) {
        const int digit = hexValue(c);
        if (digit < 0 || digit >= base)
            return fallback;
        value = value * base + digit;
        // Hexadecimal may spell the full 32-bit pattern (0xFFFFFFFF is -1); decimal must fit.
        const std::int64_t magnitudeLimit = std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
        const std::int64_t limit = (base == 16 && !negative) ? std::int64_t{0xFFFFFFFF} : magnitudeLimit;
        if (value > limit)
            return fallback;
    }
    if (base == 16 && !negative)
        return static_cast<int>(static_cast<std::uint32_t>(value));
    return static_cast<int>(negative ? -value : value);
}

} // namespace base
