#include "batchrun/Expansion.h"

#include "base/Text.h"
#include "batchrun/Limits.h"
#include "batchrun/Words.h"

#include <filesystem>

namespace batchrun {

namespace {

std::string argument(const ExpansionContext& context, size_t index)
{
    return index < context.arguments.size() ? context.arguments[index] : std::string();
}

std::string allArguments(const ExpansionContext& context)
{
    std::string all;
    for (size_t i = 1; i < context.arguments.size(); ++i) {
        if (i > 1)
            all += ' ';
        all += context.arguments[i];
    }
    return all;
}

std::string unquoted(std::string text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    if (!text.empty() && text.front() == '"')
        return text.substr(1);
    return text;
}

// Path parts of an argument; the modifiers are among "fdpnx", and their output follows that order.
std::string pathParts(const std::string& value, std::string_view modifiers, const std::string& folder)
{
    namespace fs = std::filesystem;
    fs::path path = fs::path(folder) / fs::path(value);
    path = path.lexically_normal();
    const bool full = modifiers.find('f') != std::string_view::npos;
    const bool wantDrive = modifiers.find('d') != std::string_view::npos;
    const bool wantFolder = modifiers.find('p') != std::string_view::npos;
    const bool wantName = modifiers.find('n') != std::string_view::npos;
    const bool wantExtension = modifiers.find('x') != std::string_view::npos;
    if (full && !wantDrive && !wantFolder && !wantName && !wantExtension)
        return path.string();
    std::string result;
    if (wantDrive)
        result += path.root_name().string();
    if (wantFolder) {
        std::string parent = path.parent_path().relative_path().string();
        result += path.root_directory().string() + parent;
        if (!parent.empty())
            result += static_cast<char>(fs::path::preferred_separator);
    }
    if (wantName)
        result += path.stem().string();
    if (wantExtension)
        result += path.extension().string();
    return result;
}

std::optional<std::string> variable(std::string_view name, const ExpansionContext& context)
{
    if (auto value = context.environment.get(name))
        return value;
    if (base::equalsIgnoringCase(name, "errorlevel"))
        return std::to_string(context.errorLevel);
    if (base::equalsIgnoringCase(name, "cd"))
        return context.folder;
    return std::nullopt;
}

} // namespace

std::string expandLine(std::string_view line, const ExpansionContext& context)
{
    std::string out;
    out.reserve(line.size());
    size_t i = 0;
    while (i < line.size()) {
        if (out.size() > kMaxLineLength) {
            out.resize(kMaxLineLength + 1);
            break;
        }
        const char c = line[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 >= line.size()) {
            ++i;
            continue;
        }
        const char next = line[i + 1];
        if (next == '%') {
            out += '%';
            i += 2;
        } else if (next >= '0' && next <= '9') {
            out += argument(context, static_cast<size_t>(next - '0'));
            i += 2;
        } else if (next == '*') {
            out += allArguments(context);
            i += 2;
        } else if (next == '~') {
            size_t end = i + 2;
            while (end < line.size() && std::string_view("fdpnx").find(line[end]) != std::string_view::npos)
                ++end;
            if (end < line.size() && line[end] >= '0' && line[end] <= '9') {
                const std::string_view modifiers = line.substr(i + 2, end - i - 2);
                std::string value = unquoted(argument(context, static_cast<size_t>(line[end] - '0')));
                out += modifiers.empty() || value.empty() ? value : pathParts(value, modifiers, context.folder);
                i = end + 1;
            } else {
                ++i;
            }
        } else {
            const size_t close = line.find('%', i + 1);
            if (close == std::string_view::npos) {
                ++i;
                continue;
            }
            if (auto value = variable(line.substr(i + 1, close - i - 1), context))
                out += *value;
            i = close + 1;
        }
    }
    if (out.size() > kMaxLineLength)
        out.resize(kMaxLineLength + 1);
    return out;
}

} // namespace batchrun
