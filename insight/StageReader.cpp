#include "insight/StageReader.h"

#include "insight/Counters.h"
#include "insight/ToolKind.h"
#include "insight/UsageTable.h"

#include "base/Text.h"

#include <algorithm>
#include <vector>

namespace insight {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The message as users read it: without the "Warning: " or "Error: " the tools put in front.
std::string_view withoutKind(std::string_view line)
{
    for (const std::string_view kind : {"Warning: ", "Error: ", "WARNING: ", "ERROR: "}) {
        if (line.starts_with(kind))
            return line.substr(kind.size());
    }
    return line;
}

// The .pts or .lin the tools write beside the map: its name without the extension, plus the new one.
std::string besideMap(const std::string& map, const char* extension)
{
    std::string stem = map;
    const size_t dot = stem.rfind('.');
    const size_t folder = stem.find_last_of("/\\");
    if (dot != std::string::npos && (folder == std::string::npos || dot > folder))
        stem.resize(dot);
    return stem + extension;
}

// The tools print their command line with the arguments joined by blanks, quotes lost: the map is the first
// argument after the tool that names a map file, else the first that is no option ("sdHLBSP leak").
std::string mapFromCommandLine(std::string_view line)
{
    std::vector<std::string_view> words;
    for (size_t at = 0; at < line.size();) {
        const size_t end = std::min(line.find(' ', at), line.size());
        if (end > at)
            words.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    auto word = std::find_if(words.begin(), words.end(), [](std::string_view w) { return recogniseTool(w); });
    word = word == words.end() ? words.begin() : word + 1;
    for (auto candidate = word; candidate != words.end(); ++candidate) {
        for (const char* extension : {".map", ".bsp", ".vmf"}) {
            if (base::endsWithIgnoringCase(*candidate, extension))
                return std::string(*candidate);
        }
    }
    const auto plain = std::find_if(word, words.end(), [](std::string_view w) { return !w.starts_with("-"); });
    return plain == words.end() ? std::string() : std::string(*plain);
}

bool startsWithCounter(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && isDigit(text[first]);
}

} // namespace

StageReader::StageReader(const RuleTable& rules, std::string stage) : rules_(rules), stage_(std::move(stage)) {}

void StageReader::setMap(std::string map)
{
    map_ = std::move(map);
    mapGiven_ = true;
}

void StageReader::append(std::string_view bytes) { line_.append(bytes.substr(0, kMaxLineBytes - line_.size())); }

void StageReader::feed(std::string_view chunk)
{
    while (!chunk.empty()) {
        if (afterCr_) {
            afterCr_ = false;
            if (chunk.front() == '\n') {
                chunk.remove_prefix(1);
                endLine(false);
                continue;
            }
            endLine(true);
        }
        const size_t end = chunk.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            append(chunk);
            break;
        }
        append(chunk.substr(0, end));
        if (chunk[end] == '\r')
            afterCr_ = true;
        else
            endLine(false);
        chunk.remove_prefix(end + 1);
    }
    // A counter grows on its line between updates ("10%...20%...", "PortalFlow: 0...1..."): follow it before
    // the line ends.
    if (line_.empty())
        return;
    if (lineAfterCr_ || startsWithCounter(line_))
        readProgress(line_);
    else if (line_.find("0...") != std::string::npos)
        readStep(line_);
}

void StageReader::finish()
{
    if (afterCr_) {
        afterCr_ = false;
        endLine(true);
    }
    if (!line_.empty())
        endLine(false);
    if (usageTable_)
        endUsageTable();
}

void StageReader::endLine(bool update)
{
    if (update)
        readProgress(line_);
    else
        readLine(line_);
    line_.clear();
    lineAfterCr_ = update;
}

void StageReader::readProgress(std::string_view text)
{
    if (const auto fraction = counterFraction(text))
        progress_ = fraction;
}

void StageReader::readStep(std::string_view line)
{
    // "BuildFacelights:" alone on its line (GoldSource), or "PortalFlow:      0...1...2" (Source).
    const size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon > 40)
        return;
    const std::string_view name = line.substr(0, colon);
    const bool word = std::all_of(name.begin(), name.end(),
        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '_'; });
    const std::string rest = base::trim(line.substr(colon + 1));
    if (!word || !(rest.empty() || rest.starts_with("0...")))
        return;
    step_ = name;
    progress_ = 0.0;
    if (!rest.empty())
        readProgress(rest);
}

void StageReader::readLine(std::string_view line)
{
    if (lineAfterCr_ || startsWithCounter(line)) {
        readProgress(line);
        line = skipCounters(line);
    }
    const std::string text = base::trim(line);
    if (text.empty())
        return;

    if (usageTable_) {
        if (text.starts_with("---"))
            return;
        if (const auto row = parseUsageRow(text)) {
            usageTable_->push_back(*row);
            return;
        }
        endUsageTable();
    }
    if (isUsageTableHeading(text)) {
        usageTable_.emplace();
        return;
    }
    if (!mapGiven_ && text.starts_with("Command line: ")) {
        map_ = mapFromCommandLine(std::string_view(text).substr(14));
        return;
    }

    Location location;
    const Rule* rule = rules_.match(text, stage_, location);
    if (!rule) {
        afterProblem_ = false;
        readStep(text);
        return;
    }
    if (rule->id == "leak" || rule->id == "leak-entity" || rule->id == "leak-file") {
        readLeak(*rule, location);
        afterProblem_ = false;
        return;
    }
    if (!rule->reported)
        return;
    if (rule->heading && afterProblem_)
        return; // the tool's title for the message just counted
    addProblem(*rule, text, location);
    afterProblem_ = true;
}

void StageReader::readLeak(const Rule& rule, const Location& location)
{
    Leak& leak = findings_.leak ? *findings_.leak : findings_.leak.emplace();
    if (rule.id == "leak") {
        // Each hull reports the leak again; the first, the one players walk in, is the one to follow.
        if (!leak.hull.empty() || !leak.entity.empty())
            return;
        leak.hull = location.name.empty() ? "0" : location.name;
        if (!map_.empty() && leak.pointFile.empty()) {
            leak.pointFile = besideMap(map_, ".pts");
            leak.lineFile = besideMap(map_, ".lin");
        }
    } else if (rule.id == "leak-entity" && leak.entity.empty()) {
        leak.entity = location.name;
        leak.origin = location.position;
    } else if (rule.id == "leak-file") {
        if (base::endsWithIgnoringCase(location.name, ".lin"))
            leak.lineFile = location.name;
        else if (base::endsWithIgnoringCase(location.name, ".pts"))
            leak.pointFile = location.name;
    }
    if (!findings_.failed || failureIsLeak_) {
        std::string why = "the map leaks";
        if (!leak.entity.empty())
            why += ": " + leak.entity + (leak.origin.empty() ? "" : " at (" + leak.origin + ")") + " sees the void";
        fail(why);
        failureIsLeak_ = true;
    }
}

void StageReader::addProblem(const Rule& rule, std::string_view line, const Location& location)
{
    auto problem = std::find_if(findings_.problems.begin(), findings_.problems.end(),
        [&](const Problem& known) { return known.rule == rule.id; });
    if (problem == findings_.problems.end()) {
        Problem added;
        added.rule = rule.id;
        added.severity = rule.severity;
        added.message = withoutKind(line);
        added.explanation = rule.explanation;
        added.advice = rule.advice;
        findings_.problems.push_back(std::move(added));
        problem = findings_.problems.end() - 1;
    }
    ++problem->count;
    if (!location.empty() && problem->locations.size() < kLocationsKept &&
        std::find(problem->locations.begin(), problem->locations.end(), location) == problem->locations.end())
        problem->locations.push_back(location);
    if (rule.severity == Severity::Error && !findings_.failed)
        fail(problem->message);
}

void StageReader::endUsageTable()
{
    std::vector<Limit> rows = std::move(*usageTable_);
    usageTable_.reset();
    if (rows.empty())
        return;
    findings_.limits = std::move(rows);
    // A later table replaces an earlier one, and its warnings with it.
    std::erase_if(findings_.problems, [](const Problem& problem) { return problem.rule == "limit-high"; });
    const Rule* rule = rules_.find("limit-high");
    if (!rule)
        return;
    for (const Limit& limit : findings_.limits) {
        if (limit.percent < kLimitWarningPercent)
            continue;
        Location location;
        location.name = limit.name;
        char percent[32];
        std::snprintf(percent, sizeof percent, "%.1f", limit.percent);
        addProblem(*rule,
            limit.name + " " + std::to_string(limit.used) + "/" + std::to_string(limit.maximum) + " (" + percent + "%)",
            location);
    }
}

void StageReader::fail(std::string why)
{
    findings_.failed = true;
    findings_.failure = std::move(why);
}

} // namespace insight
