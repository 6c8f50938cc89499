#include "base/ProgramOptions.h"

namespace base {

std::optional<std::string> programOptionAnswer(
    const std::vector<std::string>& arguments, const std::string& program, const std::string& usage)
{
    if (arguments.empty())
        return std::nullopt;
    const std::string headline = program + " " + kVersion + "\n";
    if (arguments.front() == "--version")
        return headline;
    if (arguments.front() == "--help")
        return headline + "\n" + usage;
    return std::nullopt;
}

} // namespace base
