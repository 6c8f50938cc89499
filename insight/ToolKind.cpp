#include "insight/ToolKind.h"

#include "base/Text.h"

#include <array>

namespace insight {

const char* familyName(ToolFamily family) { return family == ToolFamily::GoldSource ? "goldsource" : "source"; }

std::optional<ToolKind> recogniseTool(std::string_view program)
{
    // Scripts name Windows paths on every system, so both kinds of separator end the folder part here.
    const size_t slash = program.find_last_of("/\\:");
    std::string name = base::toLowerAscii(slash == std::string_view::npos ? program : program.substr(slash + 1));
    if (base::endsWithIgnoringCase(name, ".exe"))
        name.resize(name.size() - 4);
    for (const std::string_view build : {"_x64", "-x64", "_x86", "-x86", "x64", "x86", "_64", "64", "_32", "32"}) {
        if (name.size() > build.size() && name.ends_with(build)) {
            name.resize(name.size() - build.size());
            break;
        }
    }
    struct Known {
        std::string_view ending;
        ToolFamily family;
        std::string_view stage;
        bool exact; // a short name that must be the whole name
    };
    static constexpr std::array<Known, 7> kKnown{{
        {"hlcsg", ToolFamily::GoldSource, "csg", false}, // hlcsg, sdHLCSG, zhlcsg...
        {"hlbsp", ToolFamily::GoldSource, "bsp", false},
        {"hlvis", ToolFamily::GoldSource, "vis", false},
        {"hlrad", ToolFamily::GoldSource, "rad", false},
        {"vbsp", ToolFamily::Source, "bsp", true},
        {"vvis", ToolFamily::Source, "vis", true},
        {"vrad", ToolFamily::Source, "rad", true},
    }};
    for (const Known& known : kKnown) {
        if (known.exact ? name == known.ending : name.ends_with(known.ending))
            return ToolKind{known.family, std::string(known.stage)};
    }
    return std::nullopt;
}

} // namespace insight
