#pragma once

#include <string>
#include <vector>

namespace ferrowind {

enum class PromptIcon {
    None,
    Information,
    Exclamation,
    Error,
    Question
};
enum class PromptButton {
    Ok,
    Yes,
    No,
    Cancel
};

// One message box: everything the user sees and can press.
struct PromptRequest {
    std::string title;
    std::string text;
    PromptIcon icon = PromptIcon::None;
    std::vector<PromptButton> buttons{PromptButton::Ok};
    PromptButton defaultButton = PromptButton::Ok;

    bool operator==(const PromptRequest&) const = default;
};

// Every message box goes through this service, so tests can answer them from a script.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptButton ask(const PromptRequest& request) = 0;

    void tell(const std::string& title, const std::string& text, PromptIcon icon)
    {
        ask({title, text, icon, {PromptButton::Ok}, PromptButton::Ok});
    }

    // A warning the user may override: exclamation icon, Yes and No, No by default.
    bool confirm(const std::string& title, const std::string& text)
    {
        return ask({title, text, PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No}) ==
            PromptButton::Yes;
    }
};

} // namespace ferrowind
