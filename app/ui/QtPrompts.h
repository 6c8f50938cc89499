#pragma once

#include "platform/Prompts.h"

class QWidget;

// Message boxes through QMessageBox, owned by the given window.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    PromptButton Ask(const PromptRequest& request) override;

private:
    QWidget* owner_;
};
