#pragma once

#include "goldsource/GoldSourceOptions.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ferrowind {

class Dialogs;
class PresetList;
struct PresetFolder;

// The "Half-Life compiling" page: map file, stages with their parameters, after-compilation options.
class GoldSourcePage : public QWidget {
    Q_OBJECT
public:
    explicit GoldSourcePage(QWidget* parent);

    GoldSourceOptions options() const;
    // Shows the options, then applies the shutdown rule.
    void setOptions(const GoldSourceOptions& options);

    // The folder the preset list is rebuilt from.
    void setPresetFolder(const PresetFolder& folder);
    // Shows a preset file's options; false, and no change, when there is no file at the path.
    bool loadPreset(const std::string& path);
    // Writes the options into a preset file; throws base::WriteError.
    void savePreset(const std::string& path) const;
    // "-preset" at start: an existing preset becomes the list's only entry and is loaded.
    void selectPresetAtStart(const std::string& name);

    // The map edit's text, trimmed.
    std::string mapFile() const;
    void setMapFile(const QString& path);
    void focusMapEdit();

    // The "..." button: a chosen ".map" goes into the map edit.
    void chooseMap(Dialogs& dialogs);

signals:
    void mapChooserRequested();
    void compileRequested();
    void saveRequested();
    void editorRequested();
    void configurationsRequested();
    void aboutRequested();
    void presetsEditRequested();

private:
    void buildToolStrip();
    void buildMapGroup();
    void buildPresetGroup();
    void buildParameterGroup();
    void buildAfterGroup();
    // "Shutdown PC" clears and disables what would need the computer afterwards.
    void applyShutdownRule();

    QLineEdit* mapEdit_ = nullptr;
    QCheckBox* gameCheck_ = nullptr;
    QLineEdit* gameEdit_ = nullptr;
    QPushButton* mapParameterButton_ = nullptr;
    QCheckBox* shutdownCheck_ = nullptr;
    PresetList* presetList_ = nullptr;
    std::vector<QCheckBox*> shutdownClears_;
};

} // namespace ferrowind
