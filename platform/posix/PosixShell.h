#pragma once

#include "platform/Shell.h"

#include <string>

namespace ferrowind {

// Shell services on Linux and other POSIX desktops: documents through xdg-open, scripts through
// ferrowind-cmd inside a terminal emulator.
class PosixShell : public Shell {
public:
    // `runnerPath` is the ferrowind-cmd program that runs batch scripts.
    explicit PosixShell(std::string runnerPath) : runnerPath_(std::move(runnerPath)) {}

    bool openDocument(const std::string& pathOrUrl) override;
    ShellResult startScript(const std::string& scriptPath) override;

private:
    std::string runnerPath_;
};

} // namespace ferrowind
