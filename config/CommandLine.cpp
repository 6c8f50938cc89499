#include "config/CommandLine.h"

#include "base/Paths.h"
#include "base/Text.h"

namespace ferrowind {

const char* const kDesktopUsage =
    "usage: ferrowind [map.map | room.vmf | file.bsp] [+run] [-preset NAME] [+beep]\n"
    "\n"
    "Writes compile scripts for the Half-Life (.map) and Half-Life 2 (.vmf) map tools from the options on\n"
    "its pages and starts them in a terminal; decompiles Half-Life .bsp files back to .map.\n"
    "\n"
    "  map.map        fill in the Half-Life page's map\n"
    "  room.vmf       fill in the Half-Life 2 page's map and show that page\n"
    "  file.bsp       fill in the decompile page's file and show that page; nothing is started\n"
    "  +run           compile the shown page's map at once and close once the script has started\n"
    "  -preset NAME   apply the shown page's preset NAME\n"
    "  +beep          play the completion sound and close\n"
    "  --help         show this text\n"
    "  --version      show the version\n";

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
            if (request.page != StartPage::Decompile)
                request.page = StartPage::HalfLife2;
        } else if (extension == ".bsp") {
            request.bspFile = argument;
            request.page = StartPage::Decompile;
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
    if (request.page == StartPage::Decompile)
        request.runAtStart = false;
    return request;
}

} // namespace ferrowind
