#include "platform/ProfileFile.h"

#include "platform/Text.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
constexpr size_t npos = std::string::npos;
constexpr const char* kCrLf = "\r\n";

// Section name of a header line, or false when the line is not a header.
bool SectionName(const std::string& line, std::string& name)
{
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return false;
    const size_t close = trimmed.find(']');
    name = Trim(std::string_view(trimmed).substr(1, close == npos ? npos : close - 1));
    return true;
}

bool IsComment(const std::string& line)
{
    const std::string trimmed = Trim(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

std::string UnquoteValue(std::string value)
{
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > ProfileFile::kMaxValueLength)
        value.resize(ProfileFile::kMaxValueLength);
    return value;
}
}

ProfileFile ProfileFile::Load(const std::string& path)
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
        file.lines_.push_back({content.substr(start, end - start - (carriageReturn ? 1 : 0)), kEndings[ended][carriageReturn]});
        start = ended ? newline + 1 : content.size();
    }
    return file;
}

ProfileFile::SectionRange ProfileFile::FindSection(std::string_view section) const
{
    std::string name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!SectionName(lines_[i].text, name) || !EqualsIgnoringCase(name, section))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end].text, name))
            ++end;
        return {i, end};
    }
    return {npos, npos};
}

size_t ProfileFile::FindKey(const SectionRange& range, std::string_view key) const
{
    if (range.header == npos)
        return npos;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const std::string& text = lines_[i].text;
        const size_t equals = text.find('=');
        if (equals != npos && !IsComment(text) && EqualsIgnoringCase(Trim(std::string_view(text).substr(0, equals)), key))
            return i;
    }
    return npos;
}

std::string ProfileFile::Read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const size_t index = FindKey(FindSection(section), key);
    if (index == npos)
        return UnquoteValue(std::string(fallback));
    const std::string& text = lines_[index].text;
    return UnquoteValue(text.substr(text.find('=') + 1));
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string keyLine = std::string(Trim(key)) + "=" + std::string(value);
    const SectionRange range = FindSection(section);
    const size_t index = FindKey(range, key);
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
        lines_.push_back({"[" + std::string(Trim(section)) + "]", kCrLf});
        lines_.push_back({keyLine, kCrLf});
        return;
    }
    // New keys go after the section's last non-blank line, so blank separators stay between sections.
    size_t insertAt = range.end;
    while (insertAt > range.header + 1 && Trim(lines_[insertAt - 1].text).empty())
        --insertAt;
    if (insertAt == lines_.size())
        endLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{keyLine, kCrLf});
}

void ProfileFile::Save() const
{
    // Written beside the file and renamed over it, so a failed write leaves the old file whole.
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const Line& line : lines_)
            out << line.text << line.ending;
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw ProfileWriteError(path_);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw ProfileWriteError(path_);
    }
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view fallback)
{
    return ProfileFile::Load(path).Read(section, key, fallback);
}

void WriteProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    ProfileFile file = ProfileFile::Load(path);
    file.Write(section, key, value);
    file.Save();
}
