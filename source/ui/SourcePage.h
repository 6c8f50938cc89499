#pragma once

#include "source/SourceOptions.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ferrowind {

class Dialogs;
class PresetList;
struct PresetFolder;

// The "Half-Life 2 compiling" page: vmf file, stages with their parameters, after-compilation options.
class SourcePage : public QWidget {
    Q_OBJECT
public:
    explicit SourcePage(QWidget* parent);

    SourceOptions options() const;
    // Shows the options, then applies the shutdown rule.
    void setOptions(const SourceOptions& options);

    // The folder the preset list is rebuilt from.
    void setPresetFolder(const PresetFolder& folder);
    // Shows a preset file's options; false, and no change, when there is no file at the path.
    bool loadPreset(const std::string& path);
    // Writes the options into a preset file; throws base::WriteError.
    void savePreset(const std::string& path) const;
    // "-preset" at start: an existing preset becomes the list's only entry and is loaded.
    void selectPresetAtStart(const std::string& name);

    // The vmf edit's text, trimmed.
    std::string vmfFile() const;
    void setVmfFile(const QString& path);

    // The "..." button: a chosen ".vmf" goes into the vmf edit.
    void chooseVmf(Dialogs& dialogs);

signals:
    void vmfChooserRequested();
    void compileRequested();
    void saveRequested();
    void editorRequested();
    void configurationsRequested();
    void aboutRequested();
    void presetsEditRequested();

private:
    void buildToolStrip();
    void buildVmfGroup();
    void buildPresetGroup();
    void buildParameterGroup();
    void buildAfterGroup();
    // "Shutdown PC" clears and disables what would need the computer afterwards.
    void applyShutdownRule();

    QLineEdit* vmfEdit_ = nullptr;
    QCheckBox* gameCheck_ = nullptr;
    QLineEdit* gameEdit_ = nullptr;
    QPushButton* mapParameterButton_ = nullptr;
    QCheckBox* shutdownCheck_ = nullptr;
    PresetList* presetList_ = nullptr;
    std::vector<QCheckBox*> shutdownClears_;
};

} // namespace ferrowind
