#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace btm {

struct Entity {
    std::vector<std::pair<std::string, std::string>> keys; // in file order

    const std::string* find(const std::string& key) const;
    void set(const std::string& key, const std::string& value);
    void erase(const std::string& key);
};

// Parses `{ "key" "value" ... }` blocks; throws BspError on malformed text.
std::vector<Entity> parseEntities(const std::string& text);

// The model index of a `"model" "*N"` key, if the entity has one.
std::optional<size_t> brushModelIndex(const Entity& entity);

} // namespace btm
