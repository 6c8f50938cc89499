#pragma once

#include "config/WorkingFolders.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace ferrowind {

// The decompiler as it is written out into the Temp folder (on every platform under this name; on Linux it is
// the native program with its execute bit), and the compressed payload's file while it is being unpacked.
inline constexpr const char* kDecompilerName = "BspTwoMap.exe";
inline constexpr const char* kPayloadFileName = "BspTwoMap.zip";

// The embedded decompiler could not be unpacked; the text is the one users see.
class UnpackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Inflates a file that holds one zlib stream into a program at the destination. The write is atomic: damaged
// or cut-off data throws UnpackError, a failed write base::WriteError, and neither leaves a destination behind.
void decompressFile(const std::string& source, const std::string& destination);

// Makes sure the decompiler exists in the Temp folder and returns its path. A file already there is used as it
// is, whatever it holds (users may put their own build there). Otherwise the working folders are made and the
// payload, asked for only then, is copied to its file, inflated, and its file removed whether that worked or
// not. Throws UnpackError or base::WriteError.
std::string provisionDecompiler(const WorkingFolders& folders, const std::function<std::string()>& payload);

} // namespace ferrowind
