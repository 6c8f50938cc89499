#pragma once

#include <cstddef>

namespace batchrun {

// The command interpreter's longest line, in characters: a script line before and after its expansion, and an
// answer typed at a prompt. It also bounds every variable a script sets.
inline constexpr std::size_t kMaxLineLength = 8191;

// Far beyond any script we write or a user edits; the whole file is held while it runs.
inline constexpr std::size_t kMaxScriptSize = 1024 * 1024;

} // namespace batchrun
