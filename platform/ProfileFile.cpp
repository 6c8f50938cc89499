#include "platform/ProfileFile.h"

#include "base/AtomicFile.h"
#include "base/Text.h"

#include <fstream>
#include <sstream>

namespace ferrowind {

using base::equalsIgnoringCase;
using base::trim;

namespace {
constexpr size_t npos = std::string::npos;
constexpr const char* kCrLf = "\r\n";

// Section name of a header line, or false when the line is not a header.
bool sectionName(const std::string& line, std::string& name)
{
    const std::string trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return false;
    const size_t close = trimmed.find(']');
    name = trim(std::string_view(trimmed).substr(1, close == npos ? npos : close - 1));
    return true;
}

bool isComment(const std::string& line)
{
    const std::string trimmed = trim(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

std::string unquoteValue(std::string value)
{
    value = trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > ProfileFile::kMaxValueLength)
        value.resize(ProfileFile::kMaxValueLength);
    return value;
}
} // namespace

ProfileFile ProfileFile::load(const std::string& path)
{
    ProfileFile file(path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string content = buffer.str();

    size_t start = 0;
    while (start < content.size()) {
        const size_t newline = content.find('\n', start);
        const bool ended = newline != npos;
        const size_t end = ended ? newline : content.size();
        const bool carriageReturn = end > start && content[end - 1] == '\r';
        static constexpr const char* kEndings[2][2] = {{"", "\r"}, {"\n", "\r\n"}};
        file.lines_.push_back(
            {content.substr(start, end - start - (carriageReturn ? 1 : 0)), kEndings[ended][carriageReturn]});
        start = ended ? newline + 1 : content.size();
    }
    return file;
}

ProfileFile::SectionRange ProfileFile::findSection(std::string_view section) const
{
    std::string name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!sectionName(lines_[i].text, name) || !equalsIgnoringCase(name, section))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end].text, name))
            ++end;
        return {i, end};
    }
    return {npos, npos};
}

size_t ProfileFile::findKey(const SectionRange& range, std::string_view key) const
{
    if (range.header == npos)
        return npos;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const std::string& text = lines_[i].text;
        const size_t equals = text.find('=');
        if (equals != npos && !isComment(text) &&
            equalsIgnoringCase(trim(std::string_view(text).substr(0, equals)), key))
            return i;
    }
    return npos;
}

std::string ProfileFile::read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const size_t index = findKey(findSection(section), key);
    if (index == npos)
        return unquoteValue(std::string(fallback));
    const std::string& text = lines_[index].text;
    return unquoteValue(text.substr(text.find('=') + 1));
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string keyLine = std::string(trim(key)) + "=" + std::string(value);
    const SectionRange range = findSection(section);
    const size_t index = findKey(range, key);
    if (index != npos) {
        lines_[index].text = keyLine;
        return;
    }

    // Only a line that gets a new line after it needs a line end; a last line left last stays as it was.
    // A last line without a line feed (bare or with a lone carriage return) gets a full line end
    // before anything is added after it, or the two would run together.
    const auto endLastLine = [this] {
        if (!lines_.empty() && lines_.back().ending.find('\n') == std::string::npos)
            lines_.back().ending = kCrLf;
    };

    if (range.header == npos) {
        endLastLine();
        lines_.push_back({"[" + std::string(trim(section)) + "]", kCrLf});
        lines_.push_back({keyLine, kCrLf});
        return;
    }
    // New keys go after the section's last non-blank line, so blank separators stay between sections.
    size_t insertAt = range.end;
    while (insertAt > range.header + 1 && trim(lines_[insertAt - 1].text).empty())
        --insertAt;
    if (insertAt == lines_.size())
        endLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{keyLine, kCrLf});
}

void ProfileFile::save() const
{
    std::string content;
    for (const Line& line : lines_)
        content += line.text + line.ending;
    base::writeFileAtomically(path_, content);
}

std::string readProfileString(
    const std::string& path, std::string_view section, std::string_view key, std::string_view fallback)
{
    return ProfileFile::load(path).read(section, key, fallback);
}

void writeProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    ProfileFile file = ProfileFile::load(path);
    file.write(section, key, value);
    file.save();
}

} // namespace ferrowind
