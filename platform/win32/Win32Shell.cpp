#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

namespace ferrowind {

namespace {
bool shellOpen(const std::string& target)
{
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_RESTORE));
    return result > 32;
}
} // namespace

bool Win32Shell::openDocument(const std::string& pathOrUrl) { return shellOpen(pathOrUrl); }

ShellResult Win32Shell::startScript(const std::string& scriptPath)
{
    // A .bat file's default action runs it in a new console of the command interpreter.
    if (shellOpen(scriptPath))
        return {true, {}};
    return {false, "The script " + scriptPath + " could not be started."};
}

} // namespace ferrowind
