#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batchrun {

// The lines of a batch file and its labels.
class Script {
public:
    // Lines end at LF; a CR before it is dropped, and a NUL byte ends the line's text.
    static Script fromText(std::string_view text);
    // The script in a regular file of at most kMaxScriptSize bytes. A missing file, a folder, a pipe, a device
    // (reading /dev/zero would never end) and a file too large throw base::ReadError with the reason.
    static Script load(const std::string& path);

    const std::vector<std::string>& lines() const { return lines_; }

    // Index of the line after the label, searched from line `from` to the end and then from the start, as
    // the interpreter does; letter case and text after the name do not matter.
    std::optional<size_t> findLabel(std::string_view name, size_t from) const;

private:
    struct Label {
        std::string name; // lower case
        size_t line = 0;
    };
    std::vector<std::string> lines_;
    std::vector<Label> labels_;
};

// A line whose first character after blanks is ':' is a label or, with "::", a comment; it never runs.
bool isLabelLine(std::string_view line);

// The name of a label line or of a `goto` target: one leading ':' dropped, up to a delimiter.
std::string labelName(std::string_view text);

} // namespace batchrun
