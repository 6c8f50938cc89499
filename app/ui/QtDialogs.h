#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

class QWidget;

// "Text (*.a;*.b)|*.a;*.b|..." as Qt name filters ("Text (*.a *.b)", ...).
QStringList QtNameFilters(const std::string& filter);

// File dialogs through QFileDialog; paths come back with the platform's separators.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
    std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) override;

private:
    QWidget* owner_;
};
