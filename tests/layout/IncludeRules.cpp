#include "IncludeRules.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <regex>

namespace layout {

namespace {

namespace fs = std::filesystem;

// Bottom first. Rooms of one layer must not include each other.
const std::map<std::string, int> kLayers = {
    {"base", 0},
    {"platform", 1},
    {"config", 2},
    {"look", 2},
    {"script", 3},
    {"goldsource", 4},
    {"source", 4},
    {"presets", 5},
    {"decompile", 5},
    {"editor", 5},
    {"settings", 5},
    {"ui", 6},
    {"app", 8},
};
constexpr int kSubsystemWindows = 7;
constexpr int kFirstQtLayer = 6;

// Programs of their own beside the layers: they use base and themselves only.
const std::vector<std::string> kStandalone = {"batchrun", "bsptwomap"};

// Programs without Qt built on the layers below ui/, each with the separate programs whose libraries it may
// use; nothing includes them.
const std::map<std::string, std::vector<std::string>> kQtFreePrograms = {{"compile", {"batchrun"}}};
constexpr int kQtFreeProgramLayer = kFirstQtLayer - 1;

struct Room {
    std::string name; // "goldsource/ui" for a subsystem's windows
    int layer = 0;
    bool standalone = false;
    bool qtFreeProgram = false;
};

bool isStandalone(const std::string& top)
{
    return std::find(kStandalone.begin(), kStandalone.end(), top) != kStandalone.end();
}

// The room a path relative to the root lies in; nothing for folders outside the layers.
std::optional<Room> roomOf(const std::string& relative)
{
    const size_t slash = relative.find('/');
    if (slash == std::string::npos)
        return std::nullopt;
    const std::string top = relative.substr(0, slash);
    if (isStandalone(top))
        return Room{top, 0, true};
    if (kQtFreePrograms.count(top) != 0)
        return Room{top, kQtFreeProgramLayer, false, true};
    const auto layer = kLayers.find(top);
    if (layer == kLayers.end())
        return std::nullopt;
    const std::string rest = relative.substr(slash + 1);
    if (layer->second <= 5 && layer->second >= 4 && rest.rfind("ui/", 0) == 0)
        return Room{top + "/ui", kSubsystemWindows, false};
    return Room{top, layer->second, false};
}

std::optional<std::string> violation(const Room& from, const Room& to)
{
    if (from.name == to.name)
        return std::nullopt;
    if (from.standalone)
        return to.name == "base" ? std::nullopt : std::optional<std::string>(from.name + " uses base only");
    if (to.qtFreeProgram)
        return from.name + " must not include the program " + to.name;
    if (from.qtFreeProgram) {
        const std::vector<std::string>& uses = kQtFreePrograms.at(from.name);
        if (to.standalone && std::find(uses.begin(), uses.end(), to.name) != uses.end())
            return std::nullopt;
    }
    if (to.standalone)
        return from.name + " must not include the separate program " + to.name;
    if (from.qtFreeProgram)
        return to.layer >= kFirstQtLayer ? std::optional<std::string>("runs up from " + from.name + " to " + to.name)
                                         : std::nullopt;
    if (to.layer > from.layer)
        return "runs up from " + from.name + " to " + to.name;
    if (to.layer == from.layer)
        return "runs sideways from " + from.name + " to " + to.name;
    return std::nullopt;
}

bool isSource(const fs::path& path)
{
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".cpp";
}

} // namespace

std::vector<IncludeViolation> checkIncludes(const fs::path& root)
{
    static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<IncludeViolation> found;
    for (auto entry = fs::recursive_directory_iterator(root); entry != fs::recursive_directory_iterator(); ++entry) {
        const std::string relative = fs::relative(entry->path(), root).generic_string();
        const auto from = roomOf(relative + (entry->is_directory() ? "/" : ""));
        if (!from) {
            if (entry->is_directory())
                entry.disable_recursion_pending(); // build trees, tests, benchmarks
            continue;
        }
        if (!entry->is_regular_file() || !isSource(entry->path()))
            continue;
        std::ifstream in(entry->path());
        int number = 0;
        for (std::string text; std::getline(in, text);) {
            ++number;
            std::smatch match;
            if (!std::regex_search(text, match, includeLine))
                continue;
            const std::string target = match[2];
            if (match[1] == "<") {
                const bool qtBelowUi = from->standalone || from->layer < kFirstQtLayer;
                if (qtBelowUi && !target.empty() && target[0] == 'Q')
                    found.push_back({relative, number, target, "Qt below the shared Qt pieces"});
                continue;
            }
            const auto to = roomOf(target);
            if (!to)
                continue;
            if (auto reason = violation(*from, *to))
                found.push_back({relative, number, target, *reason});
        }
    }
    return found;
}

} // namespace layout
