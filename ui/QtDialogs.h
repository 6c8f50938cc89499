#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

#include <memory>

class QFileDialog;
class QWidget;

namespace ferrowind {

// "Text (*.a;*.b)|*.a;*.b|..." as Qt name filters ("Text (*.a *.b)", ...), each description as written
// ("Valve map(*.vmf)" stays so).
QStringList qtNameFilters(const std::string& filter);

// The save dialog of a request, its filters set and the proposed name in its name field.
std::unique_ptr<QFileDialog> makeSaveDialog(QWidget* owner, const SaveFileRequest& request);

// A folder dialog's answer as the program keeps it: one trailing separator, a root as it is; nothing when
// the dialog gave no folder (cancel or failure).
std::optional<std::string> chosenFolder(const QString& chosen);

// File, folder and name dialogs through QFileDialog and QInputDialog; paths come back with the platform's
// separators.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& caption, const std::string& current) override;
    std::optional<std::string> askName(const NameRequest& request) override;

private:
    QWidget* owner_;
};

} // namespace ferrowind
