#pragma once

#include "platform/Dialogs.h"

#include <map>
#include <string>

namespace ferrowind {

// Dialogs that start where the user's file is: at the folder of the path already in the field, else at the folder
// where a file of the same kind (tools, maps, .bsp files, presets, folders) was last chosen in this run. Requests
// of no kind, such as the compile scripts' Save As, pass as they are.
class StartFolders : public Dialogs {
public:
    explicit StartFolders(Dialogs& inner) : inner_(inner) {}

    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& caption, const std::string& current) override;
    std::optional<std::string> askName(const NameRequest& request) override { return inner_.askName(request); }

private:
    std::string startFolder(FileKind kind, const std::string& current) const;
    void remember(FileKind kind, const std::string& folder);

    Dialogs& inner_;
    std::map<FileKind, std::string> last_;
};

} // namespace ferrowind
