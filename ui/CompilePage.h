#pragma once

#include "presets/PresetFile.h"
#include "script/OptionFields.h"
#include "ui/OptionBinding.h"

#include <QWidget>

#include <functional>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ferrowind {

class Dialogs;
class PresetList;
struct PresetFolder;

// A check box with the edit beside it: a stage and its extra arguments.
struct StageRow {
    const char* check;
    const char* edit;
    const char* caption;
};

struct NamedCheck {
    const char* name;
    const char* caption;
};

// One column of the "After compilation" group, top to bottom.
struct CheckColumn {
    int left;
    int width;
    std::span<const NamedCheck> checks;
};

// What the page does with its engine's options record, whatever its type.
struct PageOptionHooks {
    std::function<void(QWidget& page)> showDefaults;
    // False, and no change, when there is no file at the path.
    std::function<bool(QWidget& page, const std::string& path)> loadPreset;
    // Throws base::WriteError.
    std::function<void(const QWidget& page, const std::string& path)> savePreset;
};

template <class Options> PageOptionHooks pageOptionHooks(const OptionFields<Options>& fields)
{
    return {[&fields](QWidget& page) { showOptions(page, fields, defaultOptions(fields)); },
        [&fields](QWidget& page, const std::string& path) {
            const auto options = loadPreset(path, fields);
            if (options)
                showOptions(page, fields, *options);
            return options.has_value();
        },
        [&fields](
            const QWidget& page, const std::string& path) { savePreset(path, fields, readOptions(page, fields)); }};
}

// Everything in which the two engines' compile pages differ: object names, captions, rectangles, the
// file kind and the options record.
struct CompilePageTable {
    const char* page;
    const char* toolStrip;
    // "Compile", "Save As...", "Batch Editor", "Configurations", "Run from...", "About".
    const char* compileButton;
    const char* saveButton;
    const char* editorButton;
    const char* configurationsButton;
    const char* runHelpButton;
    const char* aboutButton;

    const char* fileGroup;
    const char* fileCaption;
    const char* fileEdit;
    const char* fileButton;
    const char* fileFilter;
    const char* fileExtension; // lower case, with its dot

    const char* presetGroup;
    const char* presetList;
    const char* presetEditButton;
    std::span<const char* const> initialPresets;

    const char* parameterGroup;
    int parameterGroupWidth;
    std::span<const StageRow> stages;
    StageRow game;
    const char* mapParameterButton;
    const char* dragStrip; // nullptr for none

    const char* afterGroup;
    QRect afterGroupGeometry;
    int afterPitch;
    std::span<const CheckColumn> afterColumns;

    // "Shutdown PC", and the boxes it clears and disables besides the game box.
    const char* shutdownCheck;
    std::span<const char* const> shutdownClears;

    PageOptionHooks options;
};

// A compile page: map file, presets, stages with their parameters, after-compilation options.
class CompilePage : public QWidget {
    Q_OBJECT
public:
    CompilePage(QWidget* parent, const CompilePageTable& table);

    template <class Options> Options options(const OptionFields<Options>& fields) const
    {
        return readOptions(*this, fields);
    }
    // Shows the options, then applies the shutdown rule.
    template <class Options> void setOptions(const OptionFields<Options>& fields, const Options& options)
    {
        showOptions(*this, fields, options);
        applyShutdownRule();
    }

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

    // The "..." button: a chosen file of the page's kind goes into the map edit.
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
    void showDefaults();
    // "Shutdown PC" clears and disables what would need the computer afterwards.
    void applyShutdownRule();

    const CompilePageTable& table_;
    QLineEdit* mapEdit_ = nullptr;
    QCheckBox* gameCheck_ = nullptr;
    QLineEdit* gameEdit_ = nullptr;
    QPushButton* mapParameterButton_ = nullptr;
    QCheckBox* shutdownCheck_ = nullptr;
    PresetList* presetList_ = nullptr;
    std::vector<QCheckBox*> shutdownClears_;
};

} // namespace ferrowind
