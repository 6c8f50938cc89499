#include "platform/ProfileFile.h"

#include "base/AtomicFile.h"
#include "base/RegularFile.h"
#include "base/Text.h"

namespace ferrowind {

using base::equalsIgnoringCase;
using base::trim;

namespace {
constexpr size_t npos = std::string::npos;
constexpr const char* kCrLf = "\r\n";
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";
// Far beyond any configuration or preset; a bigger file is not one of ours.
constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

// A byte-order mark of either byte order, or a first character of two bytes, one zero and one printable: text
// in two-byte units, which this byte-wise reader would only mangle. Writing never changes the first two bytes,
// so a file read as bytes is read as bytes again.
bool looksLikeUtf16(std::string_view content)
{
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF"))
        return true;
    const auto printable = [](char c) { return c >= 0x20 && c <= 0x7E; };
    return content.size() >= 2 &&
        ((content[0] == '\0' && printable(content[1])) || (printable(content[0]) && content[1] == '\0'));
}

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
    const std::optional<std::string> content = base::readRegularFile(path, kMaxFileSize);
    return content ? fromBytes(path, *content) : ProfileFile(path);
}

ProfileFile ProfileFile::loadForUpdate(const std::string& path)
{
    try {
        return load(path);
    } catch (const base::ReadError& error) {
        throw base::WriteError(path, error.reason());
    }
}

ProfileFile ProfileFile::fromBytes(const std::string& path, std::string_view content)
{
    ProfileFile file(path);

    if (content.starts_with(kUtf8Mark)) {
        file.byteOrderMark_ = kUtf8Mark;
        content.remove_prefix(std::string_view(kUtf8Mark).size());
    } else if (looksLikeUtf16(content)) {
        file.utf16_ = true;
        return file;
    }
    // Windows editors end lines with CR LF, older Mac ones with a bare CR, everything else with LF.
    size_t start = 0;
    while (start < content.size()) {
        const size_t end = content.find_first_of("\r\n", start);
        if (end == npos) {
            file.lines_.push_back({std::string(content.substr(start)), ""});
            break;
        }
        const size_t endingLength = content.substr(end, 2) == kCrLf ? 2 : 1;
        file.lines_.push_back(
            {std::string(content.substr(start, end - start)), std::string(content.substr(end, endingLength))});
        start = end + endingLength;
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
    const std::string ending = newLineEnding();
    const auto endLastLine = [this, &ending] {
        if (!lines_.empty() && lines_.back().ending.empty())
            lines_.back().ending = ending;
    };

    if (range.header == npos) {
        endLastLine();
        lines_.push_back({"[" + std::string(trim(section)) + "]", ending});
        lines_.push_back({keyLine, ending});
        return;
    }
    // New keys go after the section's last non-blank line, so blank separators stay between sections.
    size_t insertAt = range.end;
    while (insertAt > range.header + 1 && trim(lines_[insertAt - 1].text).empty())
        --insertAt;
    if (insertAt == lines_.size())
        endLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{keyLine, ending});
}

std::string ProfileFile::newLineEnding() const
{
    for (const Line& line : lines_)
        if (!line.ending.empty())
            return line.ending;
    return kCrLf;
}

void ProfileFile::save() const
{
    if (utf16_)
        throw base::WriteError(path_,
            "the file is saved as UTF-16 text, which Ferrowind cannot read; it was left unchanged. Save it as "
            "ANSI or UTF-8 text to use it.");
    base::writeFileAtomically(path_, content());
}

std::string ProfileFile::content() const
{
    std::string content = byteOrderMark_;
    for (const Line& line : lines_)
        content += line.text + line.ending;
    return content;
}

std::string readProfileString(
    const std::string& path, std::string_view section, std::string_view key, std::string_view fallback)
{
    return ProfileFile::load(path).read(section, key, fallback);
}

void writeProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    ProfileFile file = ProfileFile::loadForUpdate(path);
    file.write(section, key, value);
    file.save();
}

} // namespace ferrowind
