#include "config/PresetName.h"

#include "config/ProgramInfo.h"
#include "platform/Prompts.h"

namespace ferrowind {

namespace {
bool isAsciiLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The whole character starting at `at`: a UTF-8 lead byte takes its continuation bytes along.
std::string characterAt(const std::string& text, size_t at)
{
    size_t end = at + 1;
    if (static_cast<unsigned char>(text[at]) >= 0xC0)
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    return text.substr(at, end - at);
}
} // namespace

bool checkPresetName(const std::string& name, Prompts& prompts)
{
    for (size_t i = 0; i < name.size(); ++i) {
        if (isAsciiLetterOrDigit(name[i]))
            continue;
        prompts.tell(kMainCaption, "Entered name  is not correctly! Uncorrect symbol: \"" + characterAt(name, i) + "\"",
            PromptIcon::Error);
        return false;
    }
    return true;
}

} // namespace ferrowind
