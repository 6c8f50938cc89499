#include "presets/ui/PresetWindows.h"

TWindow_Presets::TWindow_Presets(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_Presets");
    setWindowTitle("Half-life compiling presets");
}

TWindow_Spresets::TWindow_Spresets(QWidget* parent) : QDialog(parent)
{
    setObjectName("Window_Spresets");
    setWindowTitle("Half-life 2 compiling presets");
}
