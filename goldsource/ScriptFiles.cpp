#include "goldsource/ScriptFiles.h"

#include "goldsource/ScriptText.h"
#include "platform/Paths.h"
#include "platform/Text.h"

ShellResult RunCompileScript(const ScriptLines& lines, const std::string& programDir, Shell& shell)
{
    TFerrowindFolders folders;
    System_CreateFolders(programDir, folders);
    const std::string scriptPath = folders.TempDir + kCompileScriptName;
    try {
        WriteScriptLines(scriptPath, lines);
    } catch (const ScriptWriteError&) {
        return {};
    }
    if (!FileExists(scriptPath))
        return {};
    return shell.StartScript(scriptPath);
}

std::string DefaultSaveName(const std::string& mapEdit) { return MapNameOf(Trim(mapEdit)) + " compile"; }

std::string SaveAsPath(const std::string& chosen, int filterIndex)
{
    if (filterIndex == 1 && ToLowerAscii(ExtensionOf(chosen)) != ".bat")
        return chosen + ".bat";
    return chosen;
}
