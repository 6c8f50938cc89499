#pragma once

#include "insight/Findings.h"
#include "insight/RuleTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace insight {

// Reads one stage's output as the tool prints it. Bytes go in as they arrive, in chunks of any size: lines end at
// LF, CR LF or a lone CR (a CR-ended piece is a progress update that the next one replaces). A line longer than
// kMaxLineBytes is cut there and the rest of it skipped, so memory stays bounded whatever the tool prints; NUL
// bytes and invalid UTF-8 pass through as bytes.
class StageReader {
public:
    static constexpr size_t kMaxLineBytes = 4096;

    // The rules stay owned by the caller (the built-in tables live as long as the program). The stage is the
    // tool's as recogniseTool names it ("csg", "bsp", "vis", "rad"): rules kept to a stage apply in it alone.
    StageReader(const RuleTable& rules, std::string stage);

    // The map as the tool was given it, for the leak's .pts and .lin beside it (relative to the tool's working
    // folder when the map is). Without it, the map is read from the "Command line:" the GoldSource tools print,
    // which loses the quotes around a path with blanks.
    void setMap(std::string map);

    void feed(std::string_view chunk);
    // The tool ended: a last line without its line end is read too.
    void finish();

    // How far the running step is, from the counters the tools print ("12 / 40", "(45%: ...", "30%...",
    // "0...1...2..."); nothing before the first counter. Steps restart the fraction at 0.
    std::optional<double> progress() const { return progress_; }
    // The running step's name as the tool announced it ("BuildFacelights"), or empty.
    const std::string& step() const { return step_; }

    const StageFindings& findings() const { return findings_; }
    const std::string& stage() const { return stage_; }

private:
    void append(std::string_view bytes);
    void endLine(bool update);
    void readLine(std::string_view line);
    void readProgress(std::string_view text);
    void readStep(std::string_view line);
    void readLeak(const Rule& rule, const Location& location);
    void addProblem(const Rule& rule, std::string_view line, const Location& location);
    void endUsageTable();
    void fail(std::string why);

    const RuleTable& rules_;
    std::string stage_;
    std::string line_; // the line being assembled, at most kMaxLineBytes
    bool afterCr_ = false; // the last byte was a CR: an LF next ends the same line
    bool lineAfterCr_ = false; // the line being assembled follows a progress update
    std::optional<double> progress_;
    std::string step_;
    StageFindings findings_;
    std::optional<std::vector<Limit>> usageTable_; // the table being read
    bool failureIsLeak_ = false;
    bool afterProblem_ = false; // the line before was a problem's message
    std::string map_; // as the tool was given it, for the leak's files
    bool mapGiven_ = false;
};

} // namespace insight
