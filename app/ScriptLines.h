#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A script as single-byte text lines, without line ends.
using ScriptLines = std::vector<std::string>;

class ScriptWriteError : public std::runtime_error {
public:
    explicit ScriptWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
};

// Replaces the file with the lines, each one, the last included, ended by CR LF. Throws ScriptWriteError.
void WriteScriptLines(const std::string& path, const ScriptLines& lines);

// The lines joined by CR LF, with no line end after the last: the batch editor's text.
std::string JoinScriptLines(const ScriptLines& lines);
