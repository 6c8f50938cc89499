#pragma once

#include "app/Configuration.h"
#include "source/SChecks.h"
#include "source/SConfig.h"

#include <QWidget>

class Dialogs;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The "Half-Life 2 compiling" page: .vmf file, stages with their parameters, after-compilation options.
class SourcePage : public QWidget {
    Q_OBJECT
public:
    explicit SourcePage(QWidget* parent);

    SPageState PageState() const;
    // The page's options and the configured paths as one script's settings.
    TSConfig Gather(const TFerrowindSettings& settings, const std::string& programPath) const;

    void SetVmfFile(const QString& path);

    void INFSDPDec008Click(Dialogs& dialogs); // the .vmf chooser
    void INFSDPDec005Click();                 // "+map"
    void S_ShutDownCheck();

signals:
    void vmfChooserRequested();
    void compileRequested();
    void saveRequested();
    void editorRequested();
    void configurationsRequested();
    void aboutRequested();

private:
    void BuildToolStrip();
    void BuildVmfGroup();
    void BuildPresetGroup();
    void BuildParameterGroup();
    void BuildAfterGroup();

    QLineEdit* vmfEdit_ = nullptr;
    QCheckBox* stageChecks_[3] = {};
    QLineEdit* stageEdits_[3] = {};
    QCheckBox* gameCheck_ = nullptr;
    QLineEdit* gameEdit_ = nullptr;
    QPushButton* mapParameterButton_ = nullptr;
    QCheckBox* notCopyBsp_ = nullptr;
    QCheckBox* openLog_ = nullptr;
    QCheckBox* deleteLog_ = nullptr;
    QCheckBox* pause_ = nullptr;
    QCheckBox* beep_ = nullptr;
    QCheckBox* shutdown_ = nullptr;
};
