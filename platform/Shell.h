#pragma once

#include <string>

namespace ferrowind {

struct ShellResult {
    bool started = false;
    std::string problem;
};

// What the desktop does for us: open documents and links, start scripts without waiting.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a document or link with its associated program; false when nothing could be started.
    virtual bool openDocument(const std::string& pathOrUrl) = 0;
    // Runs a batch script in a new console window without waiting. On failure the answer says,
    // in words for the user, what is missing.
    virtual ShellResult startScript(const std::string& scriptPath) = 0;
};

} // namespace ferrowind
