#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ferrowind {

// A profile (INI) file read and written by the rules of the Windows private-profile functions:
// section and key names match ignoring letter case, blanks around a value are dropped, a value
// quoted whole loses its quotes, and writing changes only the one key line it targets. Lines may end in CR LF,
// LF or a bare CR and keep their own ends; a UTF-8 byte-order mark is skipped and kept. A UTF-16 file reads as
// empty and is never written over.
class ProfileFile {
public:
    // Longest value a read returns, as with a 2048-character buffer.
    static constexpr size_t kMaxValueLength = 2047;

    // Loads the file; a missing file reads as empty. Anything but a regular file (a folder, a pipe, a device),
    // a file that cannot be read or one too large to be a profile throws base::ReadError, without waiting on a
    // pipe.
    static ProfileFile load(const std::string& path);
    // The same before keys are changed and the file saved: what cannot be read throws base::WriteError.
    static ProfileFile loadForUpdate(const std::string& path);
    // The file at `path` as if it held these bytes.
    static ProfileFile fromBytes(const std::string& path, std::string_view content);

    std::string read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Replaces the file atomically; throws base::WriteError ("Unable to write to <path>") on failure and for a
    // UTF-16 file.
    void save() const;

    // The bytes save() writes.
    std::string content() const;

    const std::string& path() const { return path_; }

private:
    struct Line {
        std::string text;
        std::string ending;
    };

    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    // Header line of a section and the index just past its last line; both npos when absent.
    struct SectionRange {
        size_t header;
        size_t end;
    };
    SectionRange findSection(std::string_view section) const;
    size_t findKey(const SectionRange& range, std::string_view key) const;
    // The line end new lines get: the file's own, CR LF in a new file.
    std::string newLineEnding() const;

    std::string path_;
    std::vector<Line> lines_;
    std::string byteOrderMark_;
    bool utf16_ = false;
};

// One-shot helpers over ProfileFile for callers that touch a single key.
std::string readProfileString(
    const std::string& path, std::string_view section, std::string_view key, std::string_view fallback = {});
void writeProfileString(
    const std::string& path, std::string_view section, std::string_view key, std::string_view value);

} // namespace ferrowind
