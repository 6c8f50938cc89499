#include "batchrun/Environment.h"

#include "base/Process.h"

namespace batchrun {

namespace {

std::string keyOf(std::string_view name)
{
    std::string key(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

} // namespace

Environment Environment::fromProcess()
{
    Environment environment;
    for (const std::string& entry : base::processEnvironment()) {
        // Windows keeps per-drive folders in variables whose names start with '='; they have no name here.
        const size_t equals = entry.find('=', 1);
        if (equals != std::string::npos)
            environment.set(std::string_view(entry).substr(0, equals), entry.substr(equals + 1));
    }
    return environment;
}

std::optional<std::string> Environment::get(std::string_view name) const
{
    const auto found = variables_.find(keyOf(name));
    if (found == variables_.end())
        return std::nullopt;
    return found->second.value;
}

void Environment::set(std::string_view name, std::string value)
{
    std::string key = keyOf(name);
    if (value.empty()) {
        variables_.erase(key);
        return;
    }
    auto [where, inserted] = variables_.try_emplace(std::move(key), Variable{std::string(name), {}});
    where->second.value = std::move(value);
}

std::vector<std::pair<std::string, std::string>> Environment::entries() const
{
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(variables_.size());
    for (const auto& [key, variable] : variables_)
        entries.emplace_back(variable.name, variable.value);
    return entries;
}

std::vector<std::string> Environment::toBlock() const
{
    std::vector<std::string> block;
    block.reserve(variables_.size());
    for (const auto& [key, variable] : variables_)
        block.push_back(variable.name + '=' + variable.value);
    return block;
}

} // namespace batchrun
