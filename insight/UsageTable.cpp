#include "insight/UsageTable.h"

#include "base/Text.h"

#include <charconv>
#include <vector>

namespace insight {

namespace {

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> found;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find_first_of(" \t", start), text.size());
        found.push_back(text.substr(start, end - start));
        at = end;
    }
    return found;
}

bool readWhole(std::string_view text, long long& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

// "14489/32767"
bool readPair(std::string_view text, long long& used, long long& maximum)
{
    const size_t slash = text.find('/');
    return slash != std::string_view::npos && readWhole(text.substr(0, slash), used) &&
        readWhole(text.substr(slash + 1), maximum);
}

} // namespace

bool isUsageTableHeading(std::string_view line)
{
    return base::trim(line).starts_with("Object names") && line.find("Fullness") != std::string_view::npos;
}

std::optional<Limit> parseUsageRow(std::string_view line)
{
    // The fullness closes the row: "(44.2%)", "( 0.0%)".
    const size_t open = line.rfind('(');
    if (open == std::string_view::npos || !base::trim(line.substr(open)).ends_with("%)"))
        return std::nullopt;
    const std::string percentText = base::trim(line.substr(open + 1, line.rfind('%') - open - 1));
    double percent = 0;
    const auto [end, error] = std::from_chars(percentText.data(), percentText.data() + percentText.size(), percent);
    if (error != std::errc() || end != percentText.data() + percentText.size())
        return std::nullopt;

    const std::vector<std::string_view> columns = words(line.substr(0, open));
    if (columns.size() < 3)
        return std::nullopt;
    Limit limit;
    limit.percent = percent;
    long long memory = 0;
    long long maximumMemory = 0;
    const std::string_view objects = columns[columns.size() - 2];
    const std::string_view bytes = columns.back();
    if (objects == "[variable]") {
        if (!readPair(bytes, limit.used, limit.maximum))
            return std::nullopt;
    } else if (!readPair(objects, limit.used, limit.maximum) || !readPair(bytes, memory, maximumMemory)) {
        return std::nullopt;
    }
    const size_t nameEnd = static_cast<size_t>(objects.data() - line.data());
    limit.name = base::trim(line.substr(0, nameEnd));
    if (limit.name.empty())
        return std::nullopt;
    return limit;
}

} // namespace insight
