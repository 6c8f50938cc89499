#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace base {

// The files (folders left out) in a folder whose names end in the extension, each name less the extension's
// length, in the order the file system lists them; a file named just the extension gives "". The extension
// matches as the platform's file names do: ignoring letter case on Windows, exactly elsewhere. A missing
// folder holds nothing.
std::vector<std::string> filesWithExtension(const std::string& folder, std::string_view extension);

} // namespace base
