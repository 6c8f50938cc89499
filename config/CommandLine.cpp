#include "config/CommandLine.h"

#include "base/Paths.h"
#include "base/Text.h"

namespace ferrowind {

StartupRequest parseCommandLine(
    const std::vector<std::string>& arguments, const std::function<bool(const std::string&)>& fileExists)
{
    StartupRequest request;

    // First pass: map files, and with them the page to show.
    for (const std::string& argument : arguments) {
        if (!fileExists(argument))
            continue;
        const std::string extension = base::toLowerAscii(base::extensionOf(argument));
        if (extension == ".map") {
            request.mapFile = argument;
        } else if (extension == ".vmf") {
            request.vmfFile = argument;
            request.page = StartPage::HalfLife2;
        }
    }

    // Second pass: the words; each argument is tested against all three, a preset name included.
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string word = base::toLowerAscii(arguments[i]);
        if (word == "+run")
            request.runAtStart = true;
        if (word == "-preset")
            request.presets.push_back(i + 1 < arguments.size() ? arguments[i + 1] : std::string());
        if (word == "+beep")
            request.beep = true;
    }
    return request;
}

} // namespace ferrowind
