#pragma once

#include "config/Configuration.h"
#include "config/WorkingFolders.h"
#include "goldsource/GoldSourceScriptInput.h"
#include "script/ScriptLines.h"
#include "settings/ui/ConfigurationsWindow.h"
#include "source/SourceScriptInput.h"
#include "ui/Services.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QTabWidget;

namespace ferrowind {

class AboutWindow;
class CompilePage;
class DecompilePage;
class EditorWindow;
class GoldSourcePresetsWindow;
class SourcePresetsWindow;

// The other windows, created after the main window and handed to it once they exist.
struct SecondaryWindows {
    ConfigurationsWindow* configurations = nullptr;
    EditorWindow* editor = nullptr;
    GoldSourcePresetsWindow* goldSourcePresets = nullptr;
    AboutWindow* about = nullptr;
    SourcePresetsWindow* sourcePresets = nullptr;
};

// The main window with its three pages: where the configuration, the working folders, the last scripts and
// the outside services meet.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Services services, ProgramLocation location);

    void attachWindows(const SecondaryWindows& windows);

    // Makes the working folders, reads the configuration and handles the command line; a "+run" compile
    // starts from here.
    void start(const QStringList& arguments);

    // Writes the configuration file; a file that cannot be written is reported to the user.
    bool saveConfiguration();

    // False for a "+beep" instance and for a "+run" instance whose script has started:
    // they do their work without ever showing the window.
    bool showsAtStart() const;

    bool runAtStart() const { return runAtStart_; }
    Configuration& configuration() { return configuration_; }
    const WorkingFolders& folders() const { return folders_; }
    const ScriptLines& goldSourceScript() const { return goldSourceScript_; }
    const ScriptLines& sourceScript() const { return sourceScript_; }
    CompilePage* goldSourcePage() const { return goldSourcePage_; }
    CompilePage* sourcePage() const { return sourcePage_; }
    DecompilePage* decompilePage() const { return decompilePage_; }
    QTabWidget* pages() const { return pages_; }

    void compileGoldSource();
    void saveGoldSourceScript();
    void editGoldSourceScript();
    void compileSource();
    void saveSourceScript();
    void editSourceScript();
    void decompile();

private:
    void connectPages();
    GoldSourceScriptInput goldSourceInput() const;
    SourceScriptInput sourceInput() const;

    // What the run, save and edit sequences need of one page, its input taken when the sequence starts.
    struct PageScript {
        std::string mapFile;
        std::function<bool()> check; // the page's check, with the page's own reaction
        std::function<const ScriptLines&()> generate; // into the page's script list
    };
    PageScript goldSourcePageScript();
    PageScript sourcePageScript();
    void compile(const PageScript& page);
    void save(const PageScript& page);
    void edit(const PageScript& page);

    void mirrorToEditor(const ScriptLines& lines);
    // The shared ends of the run and save sequences, once a page's check has passed.
    void startCompileScript(const ScriptLines& lines);
    void saveCompileScript(const std::string& mapFile, const std::function<const ScriptLines&()>& generate);
    void showEditor();
    void showConfigurations(ConfigurationsWindow::Page page);
    void showAbout();
    void playSoundAndQuit();
    void quit();

    Services services_;
    ProgramLocation location_;
    Configuration configuration_;
    WorkingFolders folders_;
    ScriptLines goldSourceScript_;
    ScriptLines sourceScript_;
    bool runAtStart_ = false;
    SecondaryWindows windows_;

    QTabWidget* pages_ = nullptr;
    CompilePage* goldSourcePage_ = nullptr;
    DecompilePage* decompilePage_ = nullptr;
    CompilePage* sourcePage_ = nullptr;
    QTimer closeTimer_;
    QTimer beepTimer_;
};

} // namespace ferrowind
