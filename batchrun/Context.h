#pragma once

#include "batchrun/Environment.h"
#include "batchrun/Host.h"

#include <optional>
#include <ostream>
#include <string>

namespace batchrun {

// Where `set /P` answers and `pause` keys come from.
class Input {
public:
    virtual ~Input() = default;
    // One line without its line end; nothing at end of input.
    virtual std::optional<std::string> readLine() = 0;
    // False at end of input.
    virtual bool waitForKey() = 0;
};

struct Console {
    std::ostream& out;
    std::ostream& err;
    Input& input;
    bool terminal = false; // colour, title and clearing escapes are written only to a terminal
};

// What a script changes as it runs.
struct Session {
    Environment environment;
    std::string folder; // the current folder, against which relative paths are taken
    int errorLevel = 0;
    bool echo = true;
};

struct Context {
    Session& session;
    Console& console;
    Host& host;
};

// How a command leaves the script.
struct Outcome {
    enum class Flow {
        Next,
        Goto,
        End
    };
    Flow flow = Flow::Next;
    bool failed = false; // decides && and ||
    std::string label; // Goto
    int exitCode = 0; // End

    static Outcome success() { return {}; }
    static Outcome failure() { return {Flow::Next, true, {}, 0}; }
    static Outcome goTo(std::string label) { return {Flow::Goto, false, std::move(label), 0}; }
    static Outcome end(int exitCode) { return {Flow::End, false, {}, exitCode}; }
};

// The error level the interpreter sets for a command or program it cannot find.
inline constexpr int kUnknownCommandLevel = 9009;

} // namespace batchrun
