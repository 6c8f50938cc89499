#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace batchrun {

// Variables of a script. Names ignore letter case, as in the command interpreter, but keep the spelling
// they were first set with.
class Environment {
public:
    // The variables this process was started with.
    static Environment fromProcess();

    std::optional<std::string> get(std::string_view name) const;
    // An empty value removes the variable, as `set NAME=` does.
    void set(std::string_view name, std::string value);

    // Name and value pairs ordered by name ignoring case, as `set` lists them.
    std::vector<std::pair<std::string, std::string>> entries() const;
    // "NAME=value" strings for a started program.
    std::vector<std::string> toBlock() const;

private:
    struct Variable {
        std::string name;
        std::string value;
    };
    std::map<std::string, Variable> variables_;
};

} // namespace batchrun
