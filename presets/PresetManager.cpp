#include "presets/PresetManager.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "config/PresetName.h"
#include "config/ProgramInfo.h"
#include "platform/Dialogs.h"
#include "platform/Prompts.h"

namespace ferrowind {

namespace {
constexpr int kNameLength = 255;

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

PresetEngine presetEngine(PresetFolder folder, const char* caption)
{
    const std::string pattern = "*" + folder.extension;
    return {std::move(folder), caption, "Preset file (" + pattern + ")|" + pattern, {}, {}, {}};
}
} // namespace

PresetEngine goldSourcePresetEngine(PresetFolder folder)
{
    return presetEngine(std::move(folder), kGoldSourcePresetsCaption);
}

PresetEngine sourcePresetEngine(PresetFolder folder) { return presetEngine(std::move(folder), kSourcePresetsCaption); }

PresetManager::PresetManager(PresetEngine engine, Prompts& prompts, Dialogs& dialogs) :
      engine_(std::move(engine)),
      prompts_(prompts),
      dialogs_(dialogs)
{
}

std::vector<std::string> PresetManager::entries() const { return presetNames(engine_.folder); }

std::string PresetManager::askName(const std::string& title, const std::string& label)
{
    const std::string name = base::trim(dialogs_.askName({title, label, {}, kNameLength}).value_or(std::string()));
    return checkPresetName(name, prompts_) ? name : std::string();
}

bool PresetManager::save()
{
    const std::string name = askName("Save preset", "Enter name:");
    if (name.empty())
        return false;
    engine_.createFolders();
    const std::string path = engine_.folder.pathOf(name);
    if (base::fileExists(path) &&
        prompts_.ask({engine_.caption, "Preset " + quoted(name) + " already exists! Replace?", PromptIcon::Question,
            {PromptButton::Yes, PromptButton::No}, PromptButton::Yes}) != PromptButton::Yes)
        return false;
    try {
        engine_.savePage(path);
    } catch (const base::WriteError& error) {
        prompts_.tell(kMainCaption, error.what(), PromptIcon::Error);
        return false;
    }
    return true;
}

void PresetManager::load(const std::string& name) { engine_.loadPage(engine_.folder.pathOf(name)); }

bool PresetManager::rename(const std::string& name)
{
    const std::string path = engine_.folder.pathOf(name);
    if (!base::fileExists(path))
        return false;
    const std::string newName = askName("Rename preset (" + quoted(name) + ")", "Enter new name:");
    if (newName.empty())
        return false;
    const std::string newPath = engine_.folder.pathOf(newName);
    if (base::fileExists(newPath)) {
        prompts_.tell(engine_.caption, "Preset " + quoted(newName) + " already exists! Enter correct name...",
            PromptIcon::Exclamation);
        return false;
    }
    try {
        base::moveFile(path, newPath);
    } catch (const base::WriteError& error) {
        prompts_.tell(engine_.caption, error.what(), PromptIcon::Error);
    }
    return true;
}

bool PresetManager::remove(const std::string& name)
{
    const std::string path = engine_.folder.pathOf(name);
    if (!base::fileExists(path))
        return false;
    if (prompts_.ask({engine_.caption, "Remove " + quoted(name) + " ?", PromptIcon::Exclamation,
            {PromptButton::Ok, PromptButton::Cancel}, PromptButton::Ok}) != PromptButton::Ok)
        return false;
    try {
        base::removeFile(path);
    } catch (const base::WriteError& error) {
        prompts_.tell(engine_.caption, error.what(), PromptIcon::Error);
    }
    return true;
}

bool PresetManager::importFile()
{
    const auto chosen = dialogs_.openFile({engine_.fileFilter, {}, "Import...", false, FileKind::Presets});
    if (!chosen || !base::fileExists(*chosen))
        return false;
    const std::string extension = engine_.folder.extension;
    if (base::toLowerAscii(base::extensionOf(*chosen)) != extension)
        return false;
    // The file keeps its name, but its extension is written as the list looks for it, or a ".GSP" file
    // would sit in the folder unseen where file names keep their letter case.
    const std::string fileName = base::fileNamePart(*chosen);
    const std::string target = engine_.folder.pathOf(fileName.substr(0, fileName.size() - extension.size()));
    if (base::fileExists(target) &&
        prompts_.ask({engine_.caption, "Preset already exists! Replace?", PromptIcon::Question,
            {PromptButton::Yes, PromptButton::No}, PromptButton::Yes}) != PromptButton::Yes)
        return false;
    if (copy(*chosen, target))
        engine_.loadPage(target);
    return true;
}

void PresetManager::exportFile(const std::string& name)
{
    const std::string path = engine_.folder.pathOf(name);
    if (!base::fileExists(path))
        return;
    const auto answer = dialogs_.saveFile({engine_.fileFilter, exportName_, "Export...", FileKind::Presets});
    if (!answer)
        return;
    const std::string target = answer->path + engine_.folder.extension;
    exportName_ = target;
    if (base::fileExists(target) &&
        prompts_.ask({engine_.caption, "File " + quoted(base::fileNamePart(target)) + " already exists. Replace?",
            PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::Yes}) != PromptButton::Yes)
        return;
    copy(path, target);
}

bool PresetManager::copy(const std::string& source, const std::string& target)
{
    try {
        base::copyFileAtomically(source, target);
        return true;
    } catch (const base::WriteError& error) {
        prompts_.tell(engine_.caption, error.what(), PromptIcon::Error);
        return false;
    }
}

} // namespace ferrowind
