#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/RegularFile.h"
#include "config/CommandLine.h"
#include "config/ConsoleColor.h"
#include "config/ProgramInfo.h"
#include "decompile/DecompileAction.h"
#include "decompile/ui/DecompilePage.h"
#include "decompile/ui/DecompilerPayload.h"
#include "editor/ui/EditorWindow.h"
#include "goldsource/GoldSourceChecks.h"
#include "goldsource/GoldSourceOptions.h"
#include "goldsource/GoldSourceScript.h"
#include "goldsource/ui/GoldSourcePage.h"
#include "presets/PresetFolder.h"
#include "presets/PresetManager.h"
#include "presets/ui/PresetWindows.h"
#include "script/RunHelp.h"
#include "script/ScriptFiles.h"
#include "source/SourceChecks.h"
#include "source/SourceOptions.h"
#include "source/SourceScript.h"
#include "source/ui/SourcePage.h"
#include "ui/LocalText.h"
#include "ui/Look.h"
#include "ui/ScriptStamp.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

namespace ferrowind {

namespace {
constexpr int kTimerIntervalMs = 2;

std::vector<std::string> toLocalList(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& item : list)
        result.push_back(toLocal(item));
    return result;
}
} // namespace

MainWindow::MainWindow(Services services, ProgramLocation location) :
      QWidget(nullptr,
          Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
              Qt::WindowCloseButtonHint),
      services_(services),
      location_(std::move(location)),
      folders_(foldersUnder(location_.workingBase))
{
    setObjectName("Window_Ferrowind");
    setFixedSize(641, 296);
    // The layout is made for a small dialog font (8 points at 96 dots per inch) and 17-pixel tabs.
    setFont(lookFont(kWindowFontFamily));

    pages_ = new QTabWidget(this);
    pages_->setObjectName("INFSPC");
    pages_->setDocumentMode(true);
    pages_->tabBar()->setStyleSheet("QTabBar::tab { height: 17px; padding: 0 8px; }");
    pages_->setGeometry(0, 0, 641, 296);
    goldSourcePage_ = new CompilePage(pages_, goldSourcePageTable());
    decompilePage_ = new DecompilePage(pages_);
    sourcePage_ = new CompilePage(pages_, sourcePageTable());
    pages_->addTab(goldSourcePage_, "Half-Life compiling");
    pages_->addTab(decompilePage_, "Half-Life decompiling");
    pages_->addTab(sourcePage_, "Half-Life 2 compiling");

    for (QTimer* timer : {&closeTimer_, &beepTimer_}) {
        timer->setInterval(kTimerIntervalMs);
        timer->setSingleShot(true);
    }
    closeTimer_.setObjectName("CloseTimer");
    beepTimer_.setObjectName("BeepTimer");
    connect(&closeTimer_, &QTimer::timeout, this, &MainWindow::quit);
    connect(&beepTimer_, &QTimer::timeout, this, &MainWindow::playSoundAndQuit);
    connectPages();
    goldSourcePage_->setPresetFolder(goldSourcePresetFolder(folders_));
    sourcePage_->setPresetFolder(sourcePresetFolder(folders_));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowTitle(kMainCaption);
}

void MainWindow::connectPages()
{
    const auto connectCompilePage = [this](CompilePage* page, void (MainWindow::*compile)(), void (MainWindow::*save)(),
                                        void (MainWindow::*edit)(), ConfigurationsWindow::Page configurations) {
        connect(page, &CompilePage::mapChooserRequested, this, [this, page] { page->chooseMap(services_.dialogs); });
        connect(page, &CompilePage::compileRequested, this, compile);
        connect(page, &CompilePage::saveRequested, this, save);
        connect(page, &CompilePage::editorRequested, this, edit);
        connect(page, &CompilePage::configurationsRequested, this,
            [this, configurations] { showConfigurations(configurations); });
        connect(page, &CompilePage::aboutRequested, this, &MainWindow::showAbout);
    };
    connectCompilePage(goldSourcePage_, &MainWindow::compileGoldSource, &MainWindow::saveGoldSourceScript,
        &MainWindow::editGoldSourceScript, ConfigurationsWindow::Page::HalfLife);
    connectCompilePage(sourcePage_, &MainWindow::compileSource, &MainWindow::saveSourceScript,
        &MainWindow::editSourceScript, ConfigurationsWindow::Page::HalfLife2);
    connect(decompilePage_, &DecompilePage::aboutRequested, this, &MainWindow::showAbout);
    connect(decompilePage_, &DecompilePage::decompileRequested, this, &MainWindow::decompile);
    connect(decompilePage_, &DecompilePage::bspChooserRequested, this, [this] {
        if (decompilePage_->chooseBspFile(services_.dialogs, services_.prompts))
            decompile();
    });
    connect(decompilePage_, &DecompilePage::outputChooserRequested, this,
        [this] { decompilePage_->chooseOutputFolder(services_.dialogs); });
    connect(decompilePage_, &DecompilePage::filesDropped, this, [this](const QStringList& paths) {
        if (!paths.isEmpty() && decompilePage_->takeBspFile(paths.front(), services_.prompts))
            decompile();
    });
    connect(goldSourcePage_, &CompilePage::presetsEditRequested, this, [this] {
        if (windows_.goldSourcePresets != nullptr)
            windows_.goldSourcePresets->showOrRaise();
    });
    connect(sourcePage_, &CompilePage::presetsEditRequested, this, [this] {
        if (windows_.sourcePresets != nullptr)
            windows_.sourcePresets->showOrRaise();
    });
    for (const char* runHelp : {"INFSToolB01", "INFSToolB06"})
        connect(findChild<QToolButton*>(runHelp), &QToolButton::clicked, this,
            [this] { showRunHelp(folders_, services_.prompts, services_.shell); });
}

void MainWindow::attachWindows(const SecondaryWindows& windows)
{
    windows_ = windows;
    const auto attachManager = [this](PresetsWindow* window, PresetEngine engine, auto* page) {
        if (window == nullptr)
            return;
        engine.savePage = [page](const std::string& path) { page->savePreset(path); };
        engine.loadPage = [page](const std::string& path) { page->loadPreset(path); };
        engine.createFolders = [this] { createWorkingFolders(folders_); };
        window->attach(PresetManager(std::move(engine), services_.prompts, services_.dialogs));
    };
    attachManager(
        windows_.goldSourcePresets, goldSourcePresetEngine(goldSourcePresetFolder(folders_)), goldSourcePage_);
    attachManager(windows_.sourcePresets, sourcePresetEngine(sourcePresetFolder(folders_)), sourcePage_);
}

void MainWindow::start(const QStringList& arguments)
{
    createWorkingFolders(folders_);
    try {
        configuration_ =
            readConfiguration(startingConfigurationPath(folders_, base::folderPart(location_.programPath)));
    } catch (const base::ReadError& error) {
        services_.prompts.tell(kMainCaption, error.what(), PromptIcon::Error);
    }

    const StartupRequest request = parseCommandLine(toLocalList(arguments), base::fileExists);
    if (!request.mapFile.empty())
        goldSourcePage_->setMapFile(fromLocal(request.mapFile));
    if (!request.vmfFile.empty())
        sourcePage_->setMapFile(fromLocal(request.vmfFile));
    // A ".bsp" is only filled in: "Auto decompile at dragging" is off at start, so nothing runs.
    if (!request.bspFile.empty())
        decompilePage_->takeBspFile(fromLocal(request.bspFile), services_.prompts);
    switch (request.page) {
    case StartPage::HalfLife:
        pages_->setCurrentWidget(goldSourcePage_);
        for (const std::string& preset : request.presets)
            goldSourcePage_->selectPresetAtStart(preset);
        break;
    case StartPage::HalfLife2:
        pages_->setCurrentWidget(sourcePage_);
        for (const std::string& preset : request.presets)
            sourcePage_->selectPresetAtStart(preset);
        break;
    case StartPage::Decompile: pages_->setCurrentWidget(decompilePage_); break;
    }
    runAtStart_ = request.runAtStart;
    if (request.beep)
        beepTimer_.start();
    if (!runAtStart_)
        return;
    if (request.page == StartPage::HalfLife2)
        compileSource();
    else
        compileGoldSource();
}

bool MainWindow::saveConfiguration()
{
    createWorkingFolders(folders_);
    try {
        writeConfiguration(configurationPath(folders_), configuration_);
        return true;
    } catch (const base::WriteError& error) {
        services_.prompts.tell(kMainCaption, error.what(), PromptIcon::Error);
        return false;
    }
}

bool MainWindow::showsAtStart() const { return !beepTimer_.isActive() && !closeTimer_.isActive(); }

GoldSourceScriptInput MainWindow::goldSourceInput() const
{
    return goldSourceScriptInput(goldSourcePage_->options(goldSourceFields()), goldSourcePage_->mapFile(),
        configuration_, location_.programPath);
}

SourceScriptInput MainWindow::sourceInput() const
{
    return sourceScriptInput(
        sourcePage_->options(sourceFields()), sourcePage_->mapFile(), configuration_, location_.programPath);
}

void MainWindow::mirrorToEditor(const ScriptLines& lines)
{
    if (windows_.editor != nullptr)
        windows_.editor->setScriptText(fromLocal(joinScriptLines(lines)));
}

void MainWindow::startCompileScript(const ScriptLines& lines)
{
    const ShellResult result = runCompileScript(lines, folders_, services_.shell);
    if (!result.problem.empty())
        services_.prompts.tell(kMainCaption, result.problem, PromptIcon::Error);
    if (runAtStart_ && result.started)
        closeTimer_.start();
}

void MainWindow::saveCompileScript(const std::string& mapFile, const std::function<const ScriptLines&()>& generate)
{
    const auto answer = services_.dialogs.saveFile({kSaveFilter, defaultSaveName(mapFile)});
    if (!answer)
        return;
    const ScriptLines& lines = generate();
    createWorkingFolders(folders_);
    try {
        writeScriptLines(saveAsPath(answer->path, answer->filterIndex), lines);
    } catch (const base::WriteError& error) {
        services_.prompts.tell(kMainCaption, saveFailedMessage(error), PromptIcon::Error);
    }
}

MainWindow::PageScript MainWindow::goldSourcePageScript()
{
    auto input = std::make_shared<const GoldSourceScriptInput>(goldSourceInput());
    return {input->mapFile,
        [this, input] {
            const CheckVerdict verdict = askAbout(checkGoldSourceCompile(*input), services_.prompts);
            if (verdict == CheckVerdict::MapMissing)
                goldSourcePage_->focusMapEdit();
            return verdict == CheckVerdict::Proceed;
        },
        [this, input]() -> const ScriptLines& {
            goldSourceScript_ = makeGoldSourceScript(*input, currentScriptOrigin());
            return goldSourceScript_;
        }};
}

MainWindow::PageScript MainWindow::sourcePageScript()
{
    auto input = std::make_shared<const SourceScriptInput>(sourceInput());
    return {input->vmfFile,
        [this, input] { return askAbout(checkSourceCompile(*input), services_.prompts) == CheckVerdict::Proceed; },
        [this, input]() -> const ScriptLines& {
            sourceScript_ = makeSourceScript(*input, currentScriptOrigin());
            return sourceScript_;
        }};
}

void MainWindow::compile(const PageScript& page)
{
    if (!page.check())
        return;
    const ScriptLines& lines = page.generate();
    if (!runAtStart_)
        mirrorToEditor(lines);
    startCompileScript(lines);
}

void MainWindow::save(const PageScript& page)
{
    if (!page.check())
        return;
    saveCompileScript(page.mapFile, [this, &page]() -> const ScriptLines& {
        const ScriptLines& lines = page.generate();
        mirrorToEditor(lines);
        return lines;
    });
}

void MainWindow::edit(const PageScript& page)
{
    // No check runs before the editor opens, so a value no script can carry is told here.
    try {
        mirrorToEditor(page.generate());
    } catch (const ScriptRefusal& refusal) {
        services_.prompts.tell(kMainCaption, refusal.what(), PromptIcon::Exclamation);
        return;
    }
    showEditor();
}

void MainWindow::compileGoldSource() { compile(goldSourcePageScript()); }
void MainWindow::saveGoldSourceScript() { save(goldSourcePageScript()); }
void MainWindow::editGoldSourceScript() { edit(goldSourcePageScript()); }
void MainWindow::compileSource() { compile(sourcePageScript()); }
void MainWindow::saveSourceScript() { save(sourcePageScript()); }
void MainWindow::editSourceScript() { edit(sourcePageScript()); }

void MainWindow::decompile()
{
    runDecompile(decompilePage_->state(), folders_,
        consoleColorCode(configuration_.backColor, configuration_.textColor), embeddedDecompiler, services_.prompts,
        services_.shell);
}

void MainWindow::showEditor()
{
    if (windows_.editor != nullptr)
        windows_.editor->exec();
}

void MainWindow::showConfigurations(ConfigurationsWindow::Page page)
{
    if (windows_.configurations == nullptr)
        return;
    windows_.configurations->selectPage(page);
    const auto edited = windows_.configurations->edit(configuration_);
    if (!edited)
        return;
    configuration_ = *edited;
    // Written at once as well as at exit: a compile that shuts the computer down ends the program without it.
    saveConfiguration();
}

void MainWindow::showAbout()
{
    if (windows_.about != nullptr)
        windows_.about->exec();
}

void MainWindow::playSoundAndQuit()
{
    hide();
    services_.sound.playCompletionSound([this] { quit(); });
}

void MainWindow::quit()
{
    close();
    QCoreApplication::quit();
}

} // namespace ferrowind
