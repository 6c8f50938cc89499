#include "script/RunHelp.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "config/ProgramInfo.h"

namespace ferrowind {

namespace {
#ifdef _WIN32
constexpr const char* kDash = "\x96";
#else
constexpr const char* kDash = "\xE2\x80\x93";
#endif
} // namespace

std::string helpPagePath(const WorkingFolders& folders)
{
    return folders.rootDir + "help" + base::kPathSeparator + "index.html";
}

std::string runHelpTextPath(const WorkingFolders& folders) { return folders.rootDir + "Readme.txt"; }

ScriptLines runHelpLines()
{
    return {
        "============ Run  from Valve Hammer Editor ============",
        "",
        std::string("  [Filename] ") + kDash + "add map file.",
        "  +run -begin compilation.",
        "  -preset \"presetname\" -using preset.",
        "",
        "  For example: Ferrowind.exe \"D:\\my_map.map\" +run -preset full",
    };
}

void showRunHelp(const WorkingFolders& folders, Prompts& prompts, Shell& shell)
{
    if (base::fileExists(helpPagePath(folders))) {
        shell.openDocument(helpPagePath(folders));
        return;
    }
    prompts.tell(kMainCaption, kHelpMissingMessage, PromptIcon::Exclamation);
    const std::string text = runHelpTextPath(folders);
    try {
        writeScriptLines(text, runHelpLines());
    } catch (const base::WriteError& error) {
        prompts.tell(kMainCaption, error.what(), PromptIcon::Error);
        return;
    }
    shell.openDocument(text);
}

} // namespace ferrowind
