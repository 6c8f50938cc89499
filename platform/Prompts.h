#pragma once

#include <string>
#include <vector>

enum class PromptIcon { None, Information, Exclamation, Error, Question };
enum class PromptButton { Ok, Yes, No, Cancel };

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
    virtual PromptButton Ask(const PromptRequest& request) = 0;

    void Tell(const std::string& title, const std::string& text, PromptIcon icon)
    {
        Ask({title, text, icon, {PromptButton::Ok}, PromptButton::Ok});
    }

    // A warning the user may override: exclamation icon, Yes and No, No by default.
    bool Confirm(const std::string& title, const std::string& text)
    {
        return Ask({title, text, PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No}) == PromptButton::Yes;
    }
};
