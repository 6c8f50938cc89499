#pragma once

#include <optional>
#include <string>

namespace ferrowind {

// What a dialog's file is, for the folder the dialog starts in; an unremembered one starts where the platform
// places it.
enum class FileKind {
    Unremembered,
    Tools,
    Maps,
    Bsp,
    Presets,
    Folders
};

// A file filter in the "Description|*.a;*.b|Other|*.*" form the program's dialogs use.
struct OpenFileRequest {
    std::string filter;
    // The path already in the field the dialog fills (its folder is where the dialog starts), or a folder.
    std::string initialDir;
    std::string title{}; // the platform's own when empty
    // Offers, besides what the filter matches, every file the system can run (on Linux, the execute bit).
    bool programs = false;
    FileKind kind = FileKind::Unremembered;
};

struct SaveFileRequest {
    std::string filter;
    std::string fileName;
    std::string title{}; // the platform's own when empty
    FileKind kind = FileKind::Unremembered;
    std::string initialDir{}; // as for opening
};

struct SaveFileAnswer {
    std::string path;
    int filterIndex = 1; // 1-based, as the dialog reports the chosen filter entry
};

struct NameRequest {
    std::string title;
    std::string label;
    std::string initialText;
    int maxLength = 0; // characters the field takes; 0 for no limit
};

// Every file, folder and name dialog goes through this service, so tests can script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
    // Asks before replacing an existing file of the name as typed.
    virtual std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) = 0;
    // The chosen folder with one trailing separator (a root stays as it is); nothing on cancel or failure. The
    // dialog starts at the folder the field already names, or near it.
    virtual std::optional<std::string> browseFolder(const std::string& caption, const std::string& current) = 0;
    // A line of text the user types; nothing when the dialog is cancelled.
    virtual std::optional<std::string> askName(const NameRequest& request) = 0;
};

} // namespace ferrowind
