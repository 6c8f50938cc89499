#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The layer table (cmake/layers.txt) the build makes its libraries from and the include check follows.
namespace layout {

enum class RoomKind {
    Layered, // a room of the layers: includes down or within itself
    Beside, // a program of its own: includes exactly the rooms it lists
    Free, // tests, benchmarks, build tools and data: include anything; no room includes them
};

struct Room {
    RoomKind kind = RoomKind::Layered;
    int layer = 0; // layered rooms only
    std::string folder; // "goldsource/ui" for a room inside another
    std::string library; // "-" for none
    bool qt = false;
    std::vector<std::string> uses; // beside the layers only
};

struct LayerTable {
    std::vector<Room> rooms;

    // The room a path relative to the root lies in: the one with the longest folder it starts with.
    const Room* roomOf(const std::string& relative) const;
    // A room or free folder with this top-level name.
    bool knowsTopFolder(const std::string& name) const;
};

// Throws std::runtime_error naming the line of a row it can't read.
LayerTable readLayerTable(const std::filesystem::path& file);

// The rows of the README's Layout table as "layer folder library", each cell without its backticks and a
// folder without its trailing slash.
std::vector<std::string> readmeLayoutRows(const std::filesystem::path& readme);
std::vector<std::string> tableRows(const LayerTable& table);

} // namespace layout
