#pragma once

#include <QString>

#include <string>

namespace ferrowind {

// The Qt boundary: the core's strings are in the platform's narrow encoding, and paths carry its separators.
// On Linux file names are bytes that need not be UTF-8 (an old archive's "\xE9t\xE9.map"); each byte that is
// not part of valid UTF-8 travels through a QString as one lone surrogate U+DC80 to U+DCFF and comes back
// unchanged, so such a path reaches the script byte for byte.
std::string toLocal(const QString& text);
QString fromLocal(const std::string& text);

// A path from Qt (a file dialog) in the narrow encoding with the platform's separators. Qt shows each
// undecodable byte of a file name as U+FFFD, which no longer names the file; such a path is matched against
// the names really in its folders and their bytes are used.
std::string toLocalPath(const QString& path);

} // namespace ferrowind
