#pragma once

#include "batchrun/CompileFollower.h"
#include "batchrun/Host.h"

#include <ostream>
#include <string>

namespace batchrun {

// ferrowind-cmd's host: programs run through `system`, and the compile tools among them are followed. A tool's
// output still appears as it comes; on a terminal the console title gets the stage's percentage, and the time
// left once the map has been compiled before, after the script's own title. When the script comes to its error
// section, its pause or its end, a report of the compile is printed before it: each stage's time and result, the
// problems found, the leak, the limits and where the .bsp was copied. A script that runs no compile tool gets
// nothing of this, and neither does any script where the tools' output cannot be read (Windows).
class CompileConsoleHost : public Host {
public:
    // The stage times are kept in `historyFile` ("" keeps none).
    CompileConsoleHost(Host& system, std::ostream& out, std::ostream& err, bool terminal, std::string historyFile);

    base::ProgramResult run(const base::ProgramStart& start) override;
    std::string start(const base::ProgramStart& start) override;
    std::string openDocument(const std::string& path) override;
    std::string powerOff() override;
    std::optional<int> labelReached(size_t index, std::string_view line, int errorLevel) override;
    void titleSet(std::string_view title) override;
    void fileCopied(const std::string& source, const std::string& target) override;

    // Prints the report of the compile tools run since the last report, if any ran.
    void printReport();

private:
    void showTitle(const std::string& title);
    void showProgress(const StageProgress& progress);

    Host& system_;
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    CompileFollower follower_;
    std::string title_; // as the script last set it
    bool titleChanged_ = false;
};

} // namespace batchrun
