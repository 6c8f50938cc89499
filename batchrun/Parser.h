#pragma once

#include "batchrun/Command.h"

#include <string_view>

namespace batchrun {

// Parses one line after percent expansion. Outside double quotes '^' takes the next character literally and
// &, &&, || end a command; inside quotes everything is text. `rem` hides the rest of its line, operators
// included. An `if` takes the remainder of the line, later commands included, as its body.
ParsedLine parseLine(std::string_view line);

} // namespace batchrun
