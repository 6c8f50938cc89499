#include "decompile/DecompileAction.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "config/ProgramInfo.h"
#include "decompile/BspVersion.h"
#include "decompile/DecompileScript.h"
#include "decompile/DecompilerTool.h"
#include "script/ScriptFiles.h"
#include "script/ScriptWriter.h"

#include <filesystem>
#include <system_error>

namespace ferrowind {

bool isBspFile(const std::string& path) { return base::toLowerAscii(base::extensionOf(path)) == ".bsp"; }

bool acceptBspFile(const std::string& path, Prompts& prompts)
{
    std::int32_t version = 0;
    try {
        version = readBspVersion(path);
    } catch (const BspReadError& error) {
        prompts.tell(kMainCaption, error.what(), PromptIcon::Error);
        return false;
    }
    return version == kBspVersion ||
        prompts.ask({kMainCaption, kVersionQuestion, PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No},
            PromptButton::Yes}) == PromptButton::Yes;
}

std::string outputFolderFor(const std::string& bspPath, const std::string& currentOutput, bool outputFolderChosen)
{
    if (outputFolderChosen && base::folderExists(base::trim(currentOutput)))
        return currentOutput;
    return base::folderPart(bspPath);
}

namespace {
// One spelling per folder: absolute, "." and ".." resolved, the system's separators, one trailing separator.
std::string folderSpelling(const std::string& folder)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error);
    if (error)
        path = folder;
    return base::withTrailingSeparator(path.lexically_normal().make_preferred().string());
}
} // namespace

bool isSameFolder(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(base::trim(a), base::trim(b), error) && !error)
        return true;
    // MinGW's runtime does not tell folders apart by identity, nor do missing ones have one: by name, a folder
    // spelt another way would get the map copied onto itself and then deleted.
    const std::string left = folderSpelling(base::trim(a));
    const std::string right = folderSpelling(base::trim(b));
#ifdef _WIN32
    return base::equalsIgnoringCase(left, right);
#else
    return left == right;
#endif
}

void runDecompile(const DecompilePageState& page, const WorkingFolders& folders, const std::string& consoleColor,
    const std::function<std::string()>& payload, Prompts& prompts, Shell& shell)
{
    if (!base::fileExists(page.bspPath)) {
        prompts.tell(kMainCaption, kNoBspMessage, PromptIcon::Exclamation);
        return;
    }
    DecompileScriptInput input;
    input.tempDir = folders.tempDir;
    input.bspPath = page.bspPath;
    input.outputFolder = page.outputFolder;
    input.moveToOutput = page.outputFolderChosen && !isSameFolder(page.outputFolder, base::folderPart(page.bspPath));
    input.extractTextures = page.extractTextures;
    input.brenmoor = page.brenmoor;
    input.pause = page.pause;
    input.consoleColor = consoleColor;
    // Refused before anything is written, as the compile pages refuse.
    ScriptLines script;
    try {
        script = decompileScript(input);
    } catch (const ScriptRefusal& refusal) {
        prompts.tell(kMainCaption, refusal.what(), PromptIcon::Exclamation);
        return;
    }
    try {
        provisionDecompiler(folders, payload);
    } catch (const std::exception& error) {
        prompts.tell(kMainCaption, error.what(), PromptIcon::Error);
        return;
    }

    const ShellResult result = runScriptFile(scriptFileText(script), folders.tempDir, kDecompileScriptName, shell);
    if (!result.problem.empty())
        prompts.tell(kMainCaption, result.problem, PromptIcon::Error);
}

} // namespace ferrowind
