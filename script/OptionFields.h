#pragma once

#include <span>
#include <string>

namespace ferrowind {

// One page option as the outside world knows it: the widget that shows it, and its preset section and key.
template <class Options> struct TextField {
    const char* objectName;
    const char* section;
    const char* key;
    std::string Options::*member;
};

template <class Options> struct FlagField {
    const char* objectName;
    const char* section;
    const char* key;
    bool Options::*member;
    bool defaultValue;
};

// An engine's options in the order presets write them: every text, then every flag. The one table that
// binding the page, the preset files and the reset to defaults all read, so they cannot disagree.
template <class Options> struct OptionFields {
    std::span<const TextField<Options>> texts;
    std::span<const FlagField<Options>> flags;
};

template <class Options> Options defaultOptions(const OptionFields<Options>& fields)
{
    Options options;
    for (const TextField<Options>& field : fields.texts)
        options.*field.member = {};
    for (const FlagField<Options>& field : fields.flags)
        options.*field.member = field.defaultValue;
    return options;
}

} // namespace ferrowind
