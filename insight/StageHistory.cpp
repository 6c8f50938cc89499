#include "insight/StageHistory.h"

#include "base/AtomicFile.h"
#include "base/RegularFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace insight {

namespace {

constexpr const char* kHeading =
    "# Ferrowind stage times: engine, map, stage, seconds; one stage a line, tab-separated";
// A damaged or hostile file is read only this far.
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

bool isPlain(std::string_view text)
{
    return !text.empty() &&
        std::none_of(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
}

std::optional<ToolFamily> familyFrom(std::string_view name)
{
    if (name == familyName(ToolFamily::GoldSource))
        return ToolFamily::GoldSource;
    if (name == familyName(ToolFamily::Source))
        return ToolFamily::Source;
    return std::nullopt;
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> found;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        found.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    found.push_back(line);
    return found;
}

} // namespace

StageHistory StageHistory::load(const std::string& path)
{
    StageHistory history;
    // Opened without blocking: a pipe under the name would otherwise hold the compile before its first stage.
    std::string text;
    try {
        text = base::readRegularFileStart(path, kMaxFileBytes).value_or(std::string());
    } catch (const base::ReadError&) {
        return history;
    }

    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        // A line that is not four good fields is skipped; the others still count.
        const std::vector<std::string_view> parts = fields(line);
        if (parts.size() != 4)
            continue;
        const auto family = familyFrom(parts[0]);
        double seconds = -1;
        const auto [stop, error] = std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), seconds);
        if (!family || !isPlain(parts[1]) || !isPlain(parts[2]) || error != std::errc() ||
            stop != parts[3].data() + parts[3].size() || !std::isfinite(seconds) || seconds < 0)
            continue;
        history.recordStage(*family, parts[1], parts[2], seconds);
    }
    return history;
}

void StageHistory::save(const std::string& path) const
{
    std::string text = std::string(kHeading) + "\n";
    for (const Entry& entry : entries_) {
        for (const Stage& stage : entry.stages) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.2f", stage.seconds);
            text +=
                std::string(familyName(entry.family)) + "\t" + entry.map + "\t" + stage.name + "\t" + seconds + "\n";
        }
    }
    base::writeFileAtomically(path, text);
}

StageHistory::Entry* StageHistory::find(ToolFamily family, std::string_view map)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
        [&](const Entry& entry) { return entry.family == family && entry.map == map; });
    return found == entries_.end() ? nullptr : &*found;
}

const StageHistory::Entry* StageHistory::find(ToolFamily family, std::string_view map) const
{
    return const_cast<StageHistory*>(this)->find(family, map);
}

void StageHistory::recordStage(ToolFamily family, std::string_view map, std::string_view stage, double seconds)
{
    // What cannot be written back as one line is not kept.
    if (!isPlain(map) || !isPlain(stage) || !std::isfinite(seconds) || seconds < 0)
        return;
    Entry* entry = find(family, map);
    if (!entry)
        entry = &entries_.emplace_back(Entry{family, std::string(map), {}});
    const auto known =
        std::find_if(entry->stages.begin(), entry->stages.end(), [&](const Stage& kept) { return kept.name == stage; });
    if (known != entry->stages.end())
        known->seconds = seconds;
    else
        entry->stages.push_back({std::string(stage), seconds});
}

std::vector<StageHistory::Stage> StageHistory::stages(ToolFamily family, std::string_view map) const
{
    const Entry* entry = find(family, map);
    return entry ? entry->stages : std::vector<Stage>{};
}

std::optional<double> StageHistory::timeLeft(
    ToolFamily family, std::string_view map, std::string_view stage, double elapsedInStage) const
{
    const Entry* entry = find(family, map);
    if (!entry)
        return std::nullopt;
    const auto current =
        std::find_if(entry->stages.begin(), entry->stages.end(), [&](const Stage& kept) { return kept.name == stage; });
    if (current == entry->stages.end())
        return std::nullopt;
    double left = std::max(0.0, current->seconds - elapsedInStage);
    for (auto next = std::next(current); next != entry->stages.end(); ++next)
        left += next->seconds;
    return left;
}

std::string StageHistory::formatDuration(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    char text[48];
    if (total < 60)
        std::snprintf(text, sizeof text, "%ld s", total);
    else if (total < 3600)
        std::snprintf(text, sizeof text, "%ld min %02ld s", total / 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld h %02ld min", total / 3600, total / 60 % 60);
    return text;
}

} // namespace insight
