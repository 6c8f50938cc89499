#pragma once

#include "goldsource/GoldSourceOptions.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ferrowind {

class Dialogs;

// The "Half-Life compiling" page: map file, stages with their parameters, after-compilation options.
class GoldSourcePage : public QWidget {
    Q_OBJECT
public:
    explicit GoldSourcePage(QWidget* parent);

    GoldSourceOptions options() const;
    // Shows the options, then applies the shutdown rule.
    void setOptions(const GoldSourceOptions& options);

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
    std::vector<QCheckBox*> shutdownClears_;
};

} // namespace ferrowind
