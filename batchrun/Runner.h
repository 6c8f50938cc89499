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

    // Runs to the end of the script, to `exit`, to a failed `goto` or to the end of input at a prompt; the
    // result is the exit code. `arguments` are %0 (the script) and what follows it.
    int Run(const Script& script, const std::vector<std::string>& arguments);

private:
    Outcome RunLine(const std::string& line, const std::vector<std::string>& arguments);
    Outcome RunList(const CommandList& commands);
    Outcome RunCommand(const Command& command);
    Outcome Dispatch(const std::string& text);
    bool Holds(const Condition& condition) const;

    Session& session_;
    Console& console_;
    Context context_;
};

} // namespace batchrun
