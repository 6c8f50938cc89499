#pragma once

#include <QString>

#include <string>

namespace ferrowind {

// The Qt boundary: the core's strings are in the platform's narrow encoding, and paths carry its separators.
std::string toLocal(const QString& text);
QString fromLocal(const std::string& text);
std::string toLocalPath(const QString& path);

} // namespace ferrowind
