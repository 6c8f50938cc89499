#pragma once

#include "presets/PresetManager.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QListWidget;

namespace ferrowind {

class FramedBox;

// A preset manager window: the engine's presets, and buttons that save, load, rename, remove, import and
// export them. Shown without being modal; the list is rebuilt each time it is shown and after every file
// operation.
class PresetsWindow : public QDialog {
    Q_OBJECT
public:
    // The manager the buttons act through; until it is attached the window does nothing.
    void attach(PresetManager manager);

    // Shows the window centred on its owner, or brings it to the front when it is already shown.
    void showOrRaise();

protected:
    PresetsWindow(QWidget* parent, const char* objectName, const char* caption);
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    // Runs a button's action, given the selected entry's name; without a selection (or a manager) nothing.
    void withSelection(const std::function<void(PresetManager&, const std::string&)>& action);
    void withManager(const std::function<void(PresetManager&)>& action);

    QListWidget* list_ = nullptr;
    std::vector<FramedBox*> frames_; // around the list and each button

    std::unique_ptr<PresetManager> manager_;
};

class GoldSourcePresetsWindow : public PresetsWindow {
    Q_OBJECT
public:
    explicit GoldSourcePresetsWindow(QWidget* parent = nullptr);
};

class SourcePresetsWindow : public PresetsWindow {
    Q_OBJECT
public:
    explicit SourcePresetsWindow(QWidget* parent = nullptr);
};

} // namespace ferrowind
