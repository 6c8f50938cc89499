#include "IncludeRules.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>

namespace layout {

namespace {

namespace fs = std::filesystem;

bool isSource(const fs::path& path)
{
    static const std::vector<std::string> kExtensions = {
        ".h", ".hh", ".hpp", ".hxx", ".inl", ".ipp", ".c", ".cc", ".cpp", ".cxx"};
    return std::find(kExtensions.begin(), kExtensions.end(), path.extension().string()) != kExtensions.end();
}

bool isHeaderOrSource(const std::string& name) { return name.ends_with(".h") || name.ends_with(".cpp"); }

// Folders the check doesn't walk: hidden ones and build trees.
bool isSkipped(const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    return name.starts_with(".") || fs::exists(entry.path() / "CMakeCache.txt");
}

// <QString>, <QtCore/QString> and the lower-case forms such as <qstring.h>.
bool isQtHeader(const std::string& include)
{
    return include.starts_with("Q") || (include.starts_with("q") && include.ends_with(".h"));
}

bool namesParentFolder(const std::string& include)
{
    return include == ".." || include.starts_with("../") || include.find("/../") != std::string::npos ||
        include.starts_with("./");
}

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ", ") + word;
    return text;
}

std::optional<std::string> violation(const Room& from, const Room& to)
{
    if (from.folder == to.folder)
        return std::nullopt;
    if (to.kind == RoomKind::Free)
        return from.folder + " must not include " + to.folder;
    if (from.kind == RoomKind::Beside) {
        if (std::find(from.uses.begin(), from.uses.end(), to.folder) != from.uses.end())
            return std::nullopt;
        return from.folder + " uses only " + joined(from.uses);
    }
    if (to.kind == RoomKind::Beside)
        return from.folder + " must not include the program " + to.folder;
    if (to.layer > from.layer)
        return "runs up from " + from.folder + " to " + to.folder;
    if (to.layer == from.layer)
        return "runs sideways from " + from.folder + " to " + to.folder;
    return std::nullopt;
}

// What is wrong with one include of a file in the room `from`, if anything.
std::optional<std::string> checkInclude(const fs::path& root, const LayerTable& table, const Room& from,
    const fs::path& file, bool angled, const std::string& include)
{
    if (namesParentFolder(include))
        return "names the header by a relative path instead of from the root";
    const Room* to = table.roomOf(include);
    if (angled) {
        if (to != nullptr)
            return "project header in angle brackets";
        if (!from.qt && from.kind != RoomKind::Free && isQtHeader(include))
            return "Qt below the shared Qt pieces";
        return std::nullopt;
    }
    if (from.kind == RoomKind::Free)
        return std::nullopt; // tests include their own headers beside them
    if (to == nullptr) {
        for (const Room& free : table.rooms)
            if (free.kind == RoomKind::Free && fs::exists(root / free.folder / include))
                return from.folder + " must not include " + free.folder;
        if (fs::exists(file.parent_path() / include))
            return "names the header without its room";
        return "names no room of the layer table";
    }
    if (!include.ends_with(".h"))
        return "project headers end in .h";
    return violation(from, *to);
}

void checkFile(const fs::path& root, const LayerTable& table, const Room& from, const fs::path& file,
    const std::string& relative, std::vector<IncludeViolation>& found)
{
    static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    if (from.kind != RoomKind::Free && !isHeaderOrSource(relative))
        found.push_back({relative, 0, "", "project headers end in .h"});
    std::ifstream in(file);
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        std::smatch match;
        if (!std::regex_search(text, match, includeLine))
            continue;
        const std::string include = match[2];
        if (auto reason = checkInclude(root, table, from, file, match[1] == "<", include))
            found.push_back({relative, number, include, *reason});
    }
}

} // namespace

std::vector<IncludeViolation> checkIncludes(const fs::path& root, const LayerTable& table)
{
    std::vector<IncludeViolation> found;
    for (auto entry = fs::recursive_directory_iterator(root); entry != fs::recursive_directory_iterator(); ++entry) {
        const std::string relative = fs::relative(entry->path(), root).generic_string();
        if (entry->is_directory()) {
            if (isSkipped(*entry)) {
                entry.disable_recursion_pending();
            } else if (entry.depth() == 0 && !table.knowsTopFolder(relative)) {
                found.push_back({relative, 0, "", "folder " + relative + " is not in the layer table"});
                entry.disable_recursion_pending();
            }
            continue;
        }
        const Room* from = table.roomOf(relative);
        if (from == nullptr || !entry->is_regular_file() || !isSource(entry->path()))
            continue; // files at the root: CMakeLists.txt, README.md, presets
        checkFile(root, table, *from, entry->path(), relative, found);
    }
    std::sort(found.begin(), found.end(), [](const IncludeViolation& a, const IncludeViolation& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    return found;
}

} // namespace layout
