#include "app/ui/QtPrompts.h"

#include <QMessageBox>

namespace {
QMessageBox::Icon ToQt(PromptIcon icon)
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

QMessageBox::StandardButton ToQt(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok: return QMessageBox::Ok;
    case PromptButton::Yes: return QMessageBox::Yes;
    case PromptButton::No: return QMessageBox::No;
    case PromptButton::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}
}

PromptButton QtPrompts::Ask(const PromptRequest& request)
{
    QMessageBox box(ToQt(request.icon), QString::fromLocal8Bit(request.title), QString::fromLocal8Bit(request.text), QMessageBox::NoButton, owner_);
    for (PromptButton button : request.buttons)
        box.addButton(ToQt(button));
    box.setDefaultButton(ToQt(request.defaultButton));
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (PromptButton button : request.buttons)
        if (ToQt(button) == pressed)
            return button;
    // Closing the box with Escape or the title bar counts as the safe answer.
    for (PromptButton safe : {PromptButton::Cancel, PromptButton::No, PromptButton::Ok})
        for (PromptButton button : request.buttons)
            if (button == safe)
                return button;
    return request.defaultButton;
}
