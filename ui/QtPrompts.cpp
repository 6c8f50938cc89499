#include "ui/QtPrompts.h"

#include "ui/LocalText.h"

#include <QMessageBox>

namespace ferrowind {

namespace {
QMessageBox::Icon toQt(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok: return QMessageBox::Ok;
    case PromptButton::Yes: return QMessageBox::Yes;
    case PromptButton::No: return QMessageBox::No;
    case PromptButton::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}
} // namespace

PromptButton QtPrompts::ask(const PromptRequest& request)
{
    QMessageBox box(
        toQt(request.icon), fromLocal(request.title), fromLocal(request.text), QMessageBox::NoButton, owner_);
    for (PromptButton button : request.buttons)
        box.addButton(toQt(button));
    box.setDefaultButton(toQt(request.defaultButton));
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (PromptButton button : request.buttons)
        if (toQt(button) == pressed)
            return button;
    // Closing the box with Escape or the title bar counts as the safe answer.
    for (PromptButton safe : {PromptButton::Cancel, PromptButton::No, PromptButton::Ok})
        for (PromptButton button : request.buttons)
            if (button == safe)
                return button;
    return request.defaultButton;
}

} // namespace ferrowind
