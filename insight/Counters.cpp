#include "insight/Counters.h"

#include <algorithm>

namespace insight {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void skipBlanks(std::string_view& text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
}

// Reads a run of digits (at most nine, to stay within range) from the front.
std::optional<long> takeNumber(std::string_view& text)
{
    size_t length = 0;
    while (length < text.size() && isDigit(text[length]))
        ++length;
    if (length == 0 || length > 9)
        return std::nullopt;
    long value = 0;
    for (size_t i = 0; i < length; ++i)
        value = value * 10 + (text[i] - '0');
    text.remove_prefix(length);
    return value;
}

// "  12 /   40" at the front.
std::optional<double> takeCount(std::string_view& text)
{
    std::string_view rest = text;
    skipBlanks(rest);
    const auto done = takeNumber(rest);
    skipBlanks(rest);
    if (!done || rest.empty() || rest.front() != '/')
        return std::nullopt;
    rest.remove_prefix(1);
    skipBlanks(rest);
    const auto total = takeNumber(rest);
    if (!total || *total == 0)
        return std::nullopt;
    text = rest;
    return std::min(1.0, static_cast<double>(*done) / static_cast<double>(*total));
}

// The number just before position `end` in the text.
std::optional<long> numberBefore(std::string_view text, size_t end)
{
    size_t start = end;
    while (start > 0 && isDigit(text[start - 1]))
        --start;
    std::string_view digits = text.substr(start, end - start);
    return takeNumber(digits);
}

} // namespace

std::optional<double> counterFraction(std::string_view text)
{
    std::string_view front = text;
    if (const auto count = takeCount(front))
        return count;
    // "(45%: est..." and "10%...20%...": the last percentage.
    for (size_t percent = text.rfind('%'); percent != std::string_view::npos && percent > 0;
         percent = text.rfind('%', percent - 1)) {
        if (const auto value = numberBefore(text, percent))
            return std::min(1.0, static_cast<double>(*value) / 100.0);
    }
    // "0...1...2": tenths, counted from a "0..." so that a sentence's "..." is not taken for one.
    const size_t zero = text.find("0...");
    if (zero == std::string_view::npos || (zero > 0 && isDigit(text[zero - 1])))
        return std::nullopt;
    size_t end = text.size();
    while (end > zero && !isDigit(text[end - 1]))
        --end;
    if (const auto tenths = numberBefore(text, end))
        return std::min(1.0, static_cast<double>(*tenths) / 10.0);
    return std::nullopt;
}

std::string_view skipCounters(std::string_view text)
{
    for (;;) {
        skipBlanks(text);
        std::string_view rest = text;
        if (takeCount(rest)) {
            skipBlanks(rest);
            // The estimate that follows a count: "(16%: est. time to completion <1 sec)".
            if (rest.starts_with("(") && rest.find("%:") != std::string_view::npos) {
                const size_t close = rest.find(')');
                if (close != std::string_view::npos)
                    rest.remove_prefix(close + 1);
            }
            text = rest;
            continue;
        }
        const auto number = takeNumber(rest);
        if (number && (rest.starts_with("%.") || rest.starts_with("..."))) {
            while (!rest.empty() && (rest.front() == '%' || rest.front() == '.'))
                rest.remove_prefix(1);
            text = rest;
            continue;
        }
        return text;
    }
}

} // namespace insight
