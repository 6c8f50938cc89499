#pragma once

#include "base/Process.h"

#include <string>

namespace batchrun {

// What a script can do to the world outside the runner. Tests replace it, so that no test starts a
// document viewer or powers a machine off.
class Host {
public:
    virtual ~Host() = default;
    // Runs a program and waits for it.
    virtual base::ProgramResult run(const base::ProgramStart& start) = 0;
    // Starts a program without waiting; "" on success, otherwise the problem.
    virtual std::string start(const base::ProgramStart& start) = 0;
    // Opens a document or folder with the desktop's associated program; "" on success.
    virtual std::string openDocument(const std::string& path) = 0;
    // Powers the machine off at once; "" when the request was accepted.
    virtual std::string powerOff() = 0;
};

// The real thing: programs through the platform calls, documents through the desktop (xdg-open on Linux,
// the shell on Windows), power-off through the
// system's own command.
class SystemHost : public Host {
public:
    base::ProgramResult run(const base::ProgramStart& start) override;
    std::string start(const base::ProgramStart& start) override;
    std::string openDocument(const std::string& path) override;
    std::string powerOff() override;
};

} // namespace batchrun
