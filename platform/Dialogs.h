#pragma once

#include <optional>
#include <string>

// A file filter in the "Description|*.a;*.b|Other|*.*" form the program's dialogs use.
struct OpenFileRequest {
    std::string filter;
    std::string initialDir;
};

struct SaveFileRequest {
    std::string filter;
    std::string fileName;
};

struct SaveFileAnswer {
    std::string path;
    int filterIndex = 1; // 1-based, as the dialog reports the chosen filter entry
};

// Every file and folder dialog goes through this service, so tests can script the answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
    // Asks before replacing an existing file of the name as typed.
    virtual std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) = 0;
};
