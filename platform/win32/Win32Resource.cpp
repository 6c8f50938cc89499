#include "platform/win32/Win32Resource.h"

#include <windows.h>

namespace ferrowind {

std::string_view programResource(const char* name, ResourceType type)
{
    const char* typeName = type == ResourceType::Data ? MAKEINTRESOURCEA(10) : "WAV";
    HRSRC found = FindResourceA(nullptr, name, typeName);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded == nullptr ? nullptr : LockResource(loaded);
    if (bytes == nullptr)
        return {};
    // A module's resources stay mapped as long as the module is loaded: nothing to free.
    return {static_cast<const char*>(bytes), SizeofResource(nullptr, found)};
}

} // namespace ferrowind
