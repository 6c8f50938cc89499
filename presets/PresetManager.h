#pragma once

#include "presets/PresetFolder.h"

#include <functional>
#include <string>
#include <vector>

namespace ferrowind {

class Dialogs;
class Prompts;

inline constexpr const char* kGoldSourcePresetsCaption = "Half-life compiling presets";
inline constexpr const char* kSourcePresetsCaption = "Half-life 2 compiling presets";

// What a preset manager works on: one engine's folder and page.
struct PresetEngine {
    PresetFolder folder;
    std::string caption; // the window's caption, also the title of its messages
    std::string fileFilter; // "Preset file (*.gsp)|*.gsp"
    std::function<void(const std::string& path)> savePage; // the page's options into a file; throws base::WriteError
    std::function<void(const std::string& path)> loadPage; // a file's options onto the page; no file, no change
    std::function<void()> createFolders;
};

PresetEngine goldSourcePresetEngine(PresetFolder folder);
PresetEngine sourcePresetEngine(PresetFolder folder);

// The buttons of a preset manager window. Those taking a name act on the list's selected entry and are
// called only when one is selected; those returning true reached their file operation, after which the
// window's list is rebuilt.
class PresetManager {
public:
    PresetManager(PresetEngine engine, Prompts& prompts, Dialogs& dialogs);

    const std::string& caption() const { return engine_.caption; }
    // The list's entries: the folder's preset names without "Default".
    std::vector<std::string> entries() const;

    bool save();
    void load(const std::string& name);
    bool rename(const std::string& name);
    bool remove(const std::string& name);
    bool importFile();
    void exportFile(const std::string& name);

private:
    // Copies a preset file; a failure is told to the user and gives false.
    bool copy(const std::string& source, const std::string& target);
    // The name typed into the name dialog, trimmed; "" when it is cancelled, empty or refused.
    std::string askName(const std::string& title, const std::string& label);

    PresetEngine engine_;
    Prompts& prompts_;
    Dialogs& dialogs_;
    std::string exportName_; // the export dialog shows the last name it gave, extension added
};

} // namespace ferrowind
