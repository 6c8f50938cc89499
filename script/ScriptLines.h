#pragma once

#include <string>
#include <vector>

namespace ferrowind {

// A script as single-byte text lines, without line ends.
using ScriptLines = std::vector<std::string>;

// Replaces the file with the lines, each one, the last included, ended by CR LF. The write is atomic: on
// failure it throws base::WriteError and the old file stays as it was.
void writeScriptLines(const std::string& path, const ScriptLines& lines);

// The lines as a script file holds them: each one, the last included, ended by CR LF.
std::string scriptFileText(const ScriptLines& lines);

// The lines joined by CR LF, with no line end after the last: the batch editor's text.
std::string joinScriptLines(const ScriptLines& lines);

} // namespace ferrowind
