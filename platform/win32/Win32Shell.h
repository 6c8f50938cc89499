#pragma once

#include "platform/Shell.h"

// Shell services on Windows: the associated program of a file, through the shell's default action.
class Win32Shell : public Shell {
public:
    bool OpenDocument(const std::string& pathOrUrl) override;
    ShellResult StartScript(const std::string& scriptPath) override;
};
