#include "presets/ui/PresetWindows.h"

namespace ferrowind {

GoldSourcePresetsWindow::GoldSourcePresetsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_Presets");
    setWindowTitle("Half-life compiling presets");
}

SourcePresetsWindow::SourcePresetsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_Spresets");
    setWindowTitle("Half-life 2 compiling presets");
}

} // namespace ferrowind
