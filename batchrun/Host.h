#pragma once

#include "base/Process.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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
    // The runner has come to a label or comment line (":name", "::text"), the script's line `index` (from 0),
    // by running on or by a goto, and nothing after it has run yet; `errorLevel` is the level at that moment.
    // An exit code ends the script there with it. Lets a host follow a script's sections (a compile's stages)
    // without reading its output.
    virtual std::optional<int> labelReached(size_t /*index*/, std::string_view /*line*/, int /*errorLevel*/)
    {
        return std::nullopt;
    }
    // The script set the console title (the text as `title` was given it) or copied a file (the paths as
    // copied, the target with the file's name when a folder was named).
    virtual void titleSet(std::string_view /*title*/) {}
    virtual void fileCopied(const std::string& /*source*/, const std::string& /*target*/) {}
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
