#include "LayerTable.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace layout {

namespace {

std::string withoutBackticks(std::string text)
{
    std::erase(text, '`');
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    if (!text.empty() && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace

const Room* LayerTable::roomOf(const std::string& relative) const
{
    const Room* best = nullptr;
    for (const Room& room : rooms) {
        const bool inside = relative.rfind(room.folder + "/", 0) == 0;
        if (inside && (best == nullptr || room.folder.size() > best->folder.size()))
            best = &room;
    }
    return best;
}

bool LayerTable::knowsTopFolder(const std::string& name) const { return roomOf(name + "/") != nullptr; }

LayerTable readLayerTable(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    LayerTable table;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream columns(line);
        std::string layer;
        std::string qt;
        Room room;
        if (!(columns >> layer >> room.folder >> room.library >> qt))
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": needs four columns");
        room.qt = qt == "qt";
        if (layer == "beside")
            room.kind = RoomKind::Beside;
        else if (layer == "free")
            room.kind = RoomKind::Free;
        else
            room.layer = std::stoi(layer);
        for (std::string use; columns >> use;)
            room.uses.push_back(use);
        table.rooms.push_back(room);
    }
    return table;
}

std::vector<std::string> readmeLayoutRows(const std::filesystem::path& readme)
{
    std::ifstream in(readme);
    std::vector<std::string> rows;
    bool inLayout = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0)
            inLayout = line == "## Layout";
        if (!inLayout || line.rfind("| ", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream cellText(line.substr(1));
        for (std::string cell; std::getline(cellText, cell, '|');)
            cells.push_back(withoutBackticks(cell));
        if (cells.size() < 3 || cells[0] == "layer" || cells[0].starts_with("-"))
            continue;
        rows.push_back(cells[0] + " " + cells[1] + " " + cells[2]);
    }
    return rows;
}

std::vector<std::string> tableRows(const LayerTable& table)
{
    std::vector<std::string> rows;
    for (const Room& room : table.rooms) {
        const std::string layer = room.kind == RoomKind::Beside ? "beside"
            : room.kind == RoomKind::Free                       ? "free"
                                                                : std::to_string(room.layer);
        rows.push_back(layer + " " + room.folder + " " + room.library);
    }
    return rows;
}

} // namespace layout
