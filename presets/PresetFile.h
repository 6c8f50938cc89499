#pragma once

#include "base/Paths.h"
#include "base/RegularFile.h"
#include "base/Text.h"
#include "platform/ProfileFile.h"
#include "script/OptionFields.h"

#include <optional>
#include <string>

// A preset file holds one page's options under the sections and keys of the engine's field table.
namespace ferrowind {

// Writes every option in table order: texts trimmed, flags "1" or "0". A new file gets the keys in that
// order; in an existing one each key is updated where it stands and every other line stays. Throws
// base::WriteError ("Unable to write to <path>"); the old file is then left whole.
template <class Options>
void savePreset(const std::string& path, const OptionFields<Options>& fields, const Options& options)
{
    ProfileFile file = ProfileFile::loadForUpdate(path);
    for (const TextField<Options>& field : fields.texts)
        file.write(field.section, field.key, base::trim(options.*field.member));
    for (const FlagField<Options>& field : fields.flags)
        file.write(field.section, field.key, options.*field.member ? "1" : "0");
    file.save();
}

// The options a preset file holds, nothing when no regular file that can be read is at the path (a pipe or
// device under the name is passed over without waiting on it). Texts come as read (not trimmed);
// a flag is an integer, decimal or hexadecimal, checked when not zero; a missing key or a value that is not
// a number takes the field's default. The page applies its shutdown rule to the result when it shows it.
template <class Options> std::optional<Options> loadPreset(const std::string& path, const OptionFields<Options>& fields)
{
    if (!base::fileExists(path))
        return std::nullopt;
    std::optional<ProfileFile> loaded;
    try {
        loaded = ProfileFile::load(path);
    } catch (const base::ReadError&) {
        return std::nullopt;
    }
    const ProfileFile& file = *loaded;
    Options options;
    for (const TextField<Options>& field : fields.texts)
        options.*field.member = file.read(field.section, field.key);
    for (const FlagField<Options>& field : fields.flags)
        options.*field.member = base::parseIntOr(file.read(field.section, field.key), field.defaultValue ? 1 : 0) != 0;
    return options;
}

} // namespace ferrowind
