#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

namespace {
bool ShellOpen(const std::string& target)
{
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_RESTORE));
    return result > 32;
}
}

bool Win32Shell::OpenDocument(const std::string& pathOrUrl) { return ShellOpen(pathOrUrl); }

ShellResult Win32Shell::StartScript(const std::string& scriptPath)
{
    // A .bat file's default action runs it in a new console of the command interpreter.
    if (ShellOpen(scriptPath))
        return {true, {}};
    return {false, "The script " + scriptPath + " could not be started."};
}
