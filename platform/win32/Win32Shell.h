#pragma once

#include "platform/Shell.h"

namespace ferrowind {

// Shell services on Windows: the associated program of a file, through the shell's default action.
class Win32Shell : public Shell {
public:
    bool openDocument(const std::string& pathOrUrl) override;
    ShellResult startScript(const std::string& scriptPath) override;
};

} // namespace ferrowind
