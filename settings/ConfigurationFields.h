#pragma once

#include "config/Configuration.h"
#include "platform/Dialogs.h"

#include <span>
#include <string>

namespace ferrowind {

enum class PathPicker {
    Program, // an executable file
    Folder
};

// One path row of the Configurations window: its caption (also the folder picker's title), the field and its
// "..." button by object name, and the configuration value it shows.
struct PathField {
    const char* caption;
    const char* edit;
    const char* button;
    PathPicker picker;
    std::string& (*value)(Configuration&);
};

std::span<const PathField> goldSourcePathFields();
std::span<const PathField> sourcePathFields();

// The picker of every program row and of the log viewer: ".exe" files on Windows; elsewhere also any file
// with the execute bit, since tools there need not end in ".exe" and Wine runs the ones that do. It starts at the
// folder of the path already in the field.
OpenFileRequest programRequest(const std::string& current);

} // namespace ferrowind
