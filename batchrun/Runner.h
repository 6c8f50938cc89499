#pragma once

#include "batchrun/Command.h"
#include "batchrun/Context.h"
#include "batchrun/Script.h"

#include <string>
#include <vector>

namespace batchrun {

// Runs a batch script line by line with the command interpreter's rules.
class Runner {
public:
    Runner(Session& session, Console& console, Host& host);

    // Runs to the end of the script, to `exit`, to a failed `goto`, to the end of input at a prompt or to a
    // label where the host ends it; the result is the exit code. `arguments` are %0 (the script) and what follows it.
    int run(const Script& script, const std::vector<std::string>& arguments);

private:
    Outcome runLine(const std::string& line, const std::vector<std::string>& arguments);
    Outcome runList(const CommandList& commands);
    Outcome runCommand(const Command& command);
    Outcome dispatch(const std::string& text);
    bool holds(const Condition& condition) const;

    Session& session_;
    Console& console_;
    Context context_;
};

} // namespace batchrun
