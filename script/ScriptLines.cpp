#include "script/ScriptLines.h"

#include "base/AtomicFile.h"

namespace ferrowind {

std::string scriptFileText(const ScriptLines& lines)
{
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

void writeScriptLines(const std::string& path, const ScriptLines& lines)
{
    base::writeFileAtomically(path, scriptFileText(lines));
}

std::string joinScriptLines(const ScriptLines& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

} // namespace ferrowind
