#include "batchrun/Script.h"

#include "base/RegularFile.h"
#include "base/Text.h"
#include "batchrun/Limits.h"
#include "batchrun/Words.h"

namespace batchrun {

Script Script::fromText(std::string_view text)
{
    Script script;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // The interpreter reads a line as a C string: a NUL byte ends it, and the rest of that line is not read.
        line = line.substr(0, line.find('\0'));
        script.lines_.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    for (size_t i = 0; i < script.lines_.size(); ++i) {
        if (isLabelLine(script.lines_[i]))
            script.labels_.push_back({base::toLowerAscii(labelName(trimLeadingDelimiters(script.lines_[i]))), i + 1});
    }
    return script;
}

Script Script::load(const std::string& path)
{
    const std::optional<std::string> text = base::readRegularFile(path, kMaxScriptSize);
    if (!text)
        throw base::ReadError(path, "no such file");
    return fromText(*text);
}

std::optional<size_t> Script::findLabel(std::string_view name, size_t from) const
{
    const std::string wanted = base::toLowerAscii(name);
    std::optional<size_t> first;
    for (const Label& label : labels_) {
        if (label.name != wanted)
            continue;
        if (label.line > from)
            return label.line;
        if (!first)
            first = label.line;
    }
    return first;
}

bool isLabelLine(std::string_view line)
{
    line = trimLeadingDelimiters(line);
    return !line.empty() && line.front() == ':';
}

std::string labelName(std::string_view text)
{
    text = trimLeadingDelimiters(text);
    if (!text.empty() && text.front() == ':')
        text.remove_prefix(1);
    size_t end = 0;
    while (end < text.size() && !isDelimiter(text[end]) && text[end] != ':' && text[end] != '+')
        ++end;
    return std::string(text.substr(0, end));
}

} // namespace batchrun
