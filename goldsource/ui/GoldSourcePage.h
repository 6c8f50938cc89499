#pragma once

#include "app/Configuration.h"
#include "goldsource/GsChecks.h"
#include "goldsource/GsConfig.h"

#include <QWidget>

class Dialogs;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The "Half-Life compiling" page: map file, stages with their parameters, after-compilation options.
class GoldSourcePage : public QWidget {
    Q_OBJECT
public:
    explicit GoldSourcePage(QWidget* parent);

    GsPageState PageState() const;
    // The page's options and the configured paths as one script's settings.
    TGSConfig Gather(const TFerrowindSettings& settings, const std::string& programPath) const;

    void SetMapFile(const QString& path);
    void FocusMapEdit();

    void INFSButton0Click(Dialogs& dialogs); // the map chooser
    void INFSButton2Click();                 // "+map"
    void GS_ShutDownCheck();

signals:
    void mapChooserRequested();
    void compileRequested();
    void saveRequested();
    void editorRequested();
    void configurationsRequested();
    void aboutRequested();

private:
    void BuildToolStrip();
    void BuildMapGroup();
    void BuildPresetGroup();
    void BuildParameterGroup();
    void BuildAfterGroup();

    QLineEdit* mapEdit_ = nullptr;
    QCheckBox* stageChecks_[4] = {};
    QLineEdit* stageEdits_[4] = {};
    QCheckBox* gameCheck_ = nullptr;
    QLineEdit* gameEdit_ = nullptr;
    QPushButton* mapParameterButton_ = nullptr;
    QCheckBox* deleteChecks_[9] = {};
    QCheckBox* afterChecks_[6] = {};
};
