#pragma once

#include "app/CommandLine.h"
#include "app/Configuration.h"
#include "app/Folders.h"
#include "app/ui/Services.h"
#include "settings/ui/SettingsWindow.h"

#include <QStringList>

#include <functional>
#include <QTimer>
#include <QWidget>

class DecompilePage;
class GoldSourcePage;
class QTabWidget;
class SourcePage;
class TWindow_About;
class TWindow_Editor;
class TWindow_Presets;
class TWindow_Spresets;

// The other windows, created after the main window and handed to it once they exist.
struct SecondaryWindows {
    TWindow_Settings* settings = nullptr;
    TWindow_Editor* editor = nullptr;
    TWindow_Presets* presets = nullptr;
    TWindow_About* about = nullptr;
    TWindow_Spresets* spresets = nullptr;
};

// The main window: three pages, the configuration it loads at start and saves at the end, and the
// command line of a starting instance.
class TWindow_Ferrowind : public QWidget {
    Q_OBJECT
public:
    // Runs the start-up steps, the command line included; a "+run" compile may start from here.
    TWindow_Ferrowind(Services services, ProgramLocation location, const QStringList& arguments);
    // Writes the configuration.
    ~TWindow_Ferrowind() override;

    void AttachWindows(const SecondaryWindows& windows);

    // False for a "+beep" instance and for a "+run" instance whose script has started:
    // they do their work without ever showing the window.
    bool ShowsAtStart() const;

    bool RunAtStart() const { return runAtStart_; }
    TFerrowindSettings& Settings() { return settings_; }
    const TFerrowindFolders& Folders() const { return folders_; }
    GoldSourcePage* GsPage() const { return gsPage_; }
    QTabWidget* Pages() const { return pages_; }

    SourcePage* SPage() const { return sPage_; }

    void GS_UpdateBat(bool mirror);
    void GS_RunBat();
    void GS_SaveBat();
    void S_UpdateBat(bool mirror);
    void S_RunBat();
    void S_SaveBat();

private:
    void FormCreate(const QStringList& arguments);
    void FormDestroy();
    void ConnectPages();
    // The shared ends of the run and save sequences, once a page's check has passed.
    void StartCompileScript(const ScriptLines& lines);
    void SaveCompileScript(const std::string& mapEdit, const std::function<const ScriptLines&()>& generate);
    void ShowEditor();
    void ShowConfigurations(TWindow_Settings::Page page);
    void INFSButtonEditorClick();
    void INFSToolB04Click();
    void INFSButtonAbout0Click();
    void BeepTimerTimer();
    void CloseTimerTimer();
    void MirrorToEditor(const ScriptLines& lines);

    Services services_;
    ProgramLocation location_;
    TFerrowindSettings settings_;
    TFerrowindFolders folders_;
    bool runAtStart_ = false;
    SecondaryWindows windows_;

    QTabWidget* pages_ = nullptr;
    GoldSourcePage* gsPage_ = nullptr;
    DecompilePage* decompilePage_ = nullptr;
    SourcePage* sPage_ = nullptr;
    QTimer closeTimer_;
    QTimer beepTimer_;
};
