#pragma once

#include "platform/Prompts.h"

class QWidget;

namespace ferrowind {

// Message boxes through QMessageBox, owned by the given window.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    PromptButton ask(const PromptRequest& request) override;

private:
    QWidget* owner_;
};

} // namespace ferrowind
