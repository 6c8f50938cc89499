#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

// Shell services on Linux and other POSIX desktops: documents through xdg-open, scripts through
// ferrowind-cmd inside a terminal emulator.
class PosixShell : public Shell {
public:
    // `runnerPath` is the ferrowind-cmd program that runs batch scripts.
    explicit PosixShell(std::string runnerPath) : runnerPath_(std::move(runnerPath)) {}

    bool OpenDocument(const std::string& pathOrUrl) override;
    ShellResult StartScript(const std::string& scriptPath) override;

private:
    std::string runnerPath_;
};

// Starts a program in its own session without waiting and without leaving a zombie behind.
bool StartDetached(const std::vector<std::string>& argv);
