#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace ferrowind {

// Records what would have been opened or started; nothing is.
class FakeShell : public Shell {
public:
    bool openDocument(const std::string& pathOrUrl) override
    {
        opened.push_back(pathOrUrl);
        return true;
    }
    ShellResult startScript(const std::string& scriptPath) override
    {
        started.push_back(scriptPath);
        return result;
    }

    std::vector<std::string> opened;
    std::vector<std::string> started;
    ShellResult result{true, {}};
};

} // namespace ferrowind
