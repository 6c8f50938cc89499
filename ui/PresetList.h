#pragma once

#include "presets/PresetFolder.h"

#include <QComboBox>

#include <functional>

namespace ferrowind {

// A page's preset list: rebuilt from the preset folder each time it opens. Picking the entry at position 0
// resets the page, whatever it reads; any other entry loads its file.
class PresetList : public QComboBox {
    Q_OBJECT
public:
    PresetList(QWidget* parent, std::function<void()> reset, std::function<void(const std::string& path)> load);

    void setFolder(PresetFolder folder) { folder_ = std::move(folder); }

    // A preset named at start: when its file exists it becomes the only entry, shown without being picked,
    // and is loaded; otherwise nothing changes.
    void selectAtStart(const std::string& name);

    void showPopup() override;

private:
    void pick(int index);

    PresetFolder folder_;
    std::function<void()> reset_;
    std::function<void(const std::string& path)> load_;
};

} // namespace ferrowind
