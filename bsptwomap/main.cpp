#include "base/ProgramOptions.h"
#include "bsptwomap/Decompile.h"

#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: bsptwomap <file.bsp> [-notextures] [-brenmoor]\n"
    "\n"
    "Turns a GoldSource .bsp (version 30) back into a .map that the GoldSource compile tools accept.\n"
    "Writes <name>.map, the textures the .bsp embeds as <name>_btm.wad and a <name>.log next to the\n"
    "file; on failure it writes <name>.err and exits with 1.\n"
    "\n"
    "  -notextures  do not extract the embedded textures\n"
    "  -brenmoor    the map was compiled with the extended tools: also rebuild player-clip brushes\n"
    "  --help       show this text\n"
    "  --version    show the version\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answer = base::programOptionAnswer(args, "bsptwomap", kUsage)) {
        std::cout << *answer;
        return 0;
    }
    return btm::runCommandLine(args, std::cout);
}
