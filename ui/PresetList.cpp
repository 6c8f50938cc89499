#include "ui/PresetList.h"

#include "base/Paths.h"
#include "ui/LocalText.h"

namespace ferrowind {

PresetList::PresetList(
    QWidget* parent, std::function<void()> reset, std::function<void(const std::string& path)> load) :
      QComboBox(parent),
      reset_(std::move(reset)),
      load_(std::move(load))
{
    connect(this, &QComboBox::activated, this, &PresetList::pick);
}

void PresetList::selectAtStart(const std::string& name)
{
    const std::string path = folder_.pathOf(name);
    if (!isPresetName(name) || !base::fileExists(path))
        return;
    clear();
    addItem(fromLocal(name));
    setCurrentIndex(0);
    load_(path);
}

void PresetList::showPopup()
{
    clear();
    for (const std::string& entry : presetListEntries(folder_))
        addItem(fromLocal(entry));
    setCurrentIndex(-1);
    QComboBox::showPopup();
}

void PresetList::pick(int index)
{
    if (index < 0)
        return;
    if (index == 0)
        reset_();
    else
        load_(folder_.pathOf(toLocal(itemText(index))));
}

} // namespace ferrowind
