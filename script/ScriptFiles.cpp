#include "script/ScriptFiles.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "script/ScriptText.h"

namespace ferrowind {

ShellResult runCompileScript(const ScriptLines& lines, const WorkingFolders& folders, Shell& shell)
{
    return runCompileScriptText(scriptFileText(lines), folders, shell);
}

ShellResult runCompileScriptText(std::string_view fileText, const WorkingFolders& folders, Shell& shell)
{
    createWorkingFolders(folders);
    const std::string scriptPath = folders.tempDir + kCompileScriptName;
    try {
        base::writeFileAtomically(scriptPath, fileText);
    } catch (const base::WriteError&) {
        return {};
    }
    return shell.startScript(scriptPath);
}

std::string defaultSaveName(const std::string& mapEdit) { return mapNameOf(base::trim(mapEdit)) + " compile"; }

std::string saveAsPath(const std::string& chosen, int filterIndex)
{
    if (filterIndex == 1 && base::toLowerAscii(base::extensionOf(chosen)) != ".bat")
        return chosen + ".bat";
    return chosen;
}

} // namespace ferrowind
