#include "app/ScriptLines.h"

#include <fstream>

void WriteScriptLines(const std::string& path, const ScriptLines& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.flush();
    if (!out)
        throw ScriptWriteError(path);
}

std::string JoinScriptLines(const ScriptLines& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}
