#include "app/ui/MainWindow.h"

#include "app/ProgramInfo.h"
#include "app/ui/AboutWindow.h"
#include "app/ui/PageParts.h"
#include "app/ui/ScriptStamp.h"
#include "decompile/ui/DecompilePage.h"
#include "editor/ui/EditorWindow.h"
#include "goldsource/GsScript.h"
#include "goldsource/ScriptFiles.h"
#include "goldsource/ui/GoldSourcePage.h"
#include "platform/Paths.h"
#include "settings/ui/SettingsWindow.h"
#include "source/SScript.h"
#include "source/ui/SourcePage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace {
constexpr int kTimerIntervalMs = 2;

std::vector<std::string> ToLocal(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& item : list)
        result.push_back(item.toLocal8Bit().toStdString());
    return result;
}
}

TWindow_Ferrowind::TWindow_Ferrowind(Services services, ProgramLocation location, const QStringList& arguments)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      services_(services), location_(std::move(location))
{
    setObjectName("Window_Ferrowind");
    setFixedSize(641, 296);
    // The layout is made for a small dialog font (8 points at 96 dots per inch) and 17-pixel tabs.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    pages_ = new QTabWidget(this);
    pages_->setObjectName("INFSPC");
    pages_->setDocumentMode(true);
    pages_->tabBar()->setStyleSheet("QTabBar::tab { height: 17px; padding: 0 8px; }");
    pages_->setGeometry(0, 0, 641, 296);
    gsPage_ = new GoldSourcePage(pages_);
    decompilePage_ = new DecompilePage(pages_);
    sPage_ = new SourcePage(pages_);
    pages_->addTab(gsPage_, "Half-Life compiling");
    pages_->addTab(decompilePage_, "Half-Life decompiling");
    pages_->addTab(sPage_, "Half-Life 2 compiling");

    for (QTimer* timer : {&closeTimer_, &beepTimer_}) {
        timer->setInterval(kTimerIntervalMs);
        timer->setSingleShot(true);
    }
    closeTimer_.setObjectName("CloseTimer");
    beepTimer_.setObjectName("BeepTimer");
    connect(&closeTimer_, &QTimer::timeout, this, &TWindow_Ferrowind::CloseTimerTimer);
    connect(&beepTimer_, &QTimer::timeout, this, &TWindow_Ferrowind::BeepTimerTimer);
    ConnectPages();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(arguments);
}

TWindow_Ferrowind::~TWindow_Ferrowind() { FormDestroy(); }

void TWindow_Ferrowind::ConnectPages()
{
    connect(gsPage_, &GoldSourcePage::mapChooserRequested, this, [this] { gsPage_->INFSButton0Click(services_.dialogs); });
    connect(gsPage_, &GoldSourcePage::compileRequested, this, &TWindow_Ferrowind::GS_RunBat);
    connect(gsPage_, &GoldSourcePage::saveRequested, this, &TWindow_Ferrowind::GS_SaveBat);
    connect(gsPage_, &GoldSourcePage::editorRequested, this, &TWindow_Ferrowind::INFSButtonEditorClick);
    connect(gsPage_, &GoldSourcePage::configurationsRequested, this, [this] { ShowConfigurations(TWindow_Settings::Page::HalfLife); });
    connect(sPage_, &SourcePage::vmfChooserRequested, this, [this] { sPage_->INFSDPDec008Click(services_.dialogs); });
    connect(sPage_, &SourcePage::compileRequested, this, &TWindow_Ferrowind::S_RunBat);
    connect(sPage_, &SourcePage::saveRequested, this, &TWindow_Ferrowind::S_SaveBat);
    connect(sPage_, &SourcePage::editorRequested, this, &TWindow_Ferrowind::INFSToolB04Click);
    connect(sPage_, &SourcePage::configurationsRequested, this, [this] { ShowConfigurations(TWindow_Settings::Page::HalfLife2); });
    connect(gsPage_, &GoldSourcePage::aboutRequested, this, &TWindow_Ferrowind::INFSButtonAbout0Click);
    connect(decompilePage_, &DecompilePage::aboutRequested, this, &TWindow_Ferrowind::INFSButtonAbout0Click);
    connect(sPage_, &SourcePage::aboutRequested, this, &TWindow_Ferrowind::INFSButtonAbout0Click);
}

void TWindow_Ferrowind::FormCreate(const QStringList& arguments)
{
    settings_.GSScript.clear();
    settings_.SScript.clear();
    System_Ini(static_cast<int>(IniMode::Read), location_.workingBase, folders_, settings_);
    setWindowTitle(kMainCaption);
    runAtStart_ = false;
    if (arguments.isEmpty())
        return;

    const StartupRequest request = ParseCommandLine(ToLocal(arguments), FileExists);
    if (!request.mapFile.empty())
        gsPage_->SetMapFile(QString::fromLocal8Bit(request.mapFile));
    if (!request.vmfFile.empty())
        sPage_->SetVmfFile(QString::fromLocal8Bit(request.vmfFile));
    pages_->setCurrentWidget(request.page == StartPage::HalfLife2 ? static_cast<QWidget*>(sPage_) : gsPage_);
    runAtStart_ = request.runAtStart;
    if (request.beep)
        beepTimer_.start();
    if (runAtStart_) {
        if (request.page == StartPage::HalfLife2)
            S_RunBat();
        else
            GS_RunBat();
    }
}

void TWindow_Ferrowind::FormDestroy()
{
    System_Ini(static_cast<int>(IniMode::Write), location_.workingBase, folders_, settings_);
}

void TWindow_Ferrowind::AttachWindows(const SecondaryWindows& windows) { windows_ = windows; }

bool TWindow_Ferrowind::ShowsAtStart() const { return !beepTimer_.isActive() && !closeTimer_.isActive(); }

void TWindow_Ferrowind::MirrorToEditor(const ScriptLines& lines)
{
    if (windows_.editor != nullptr)
        windows_.editor->SetScriptText(QString::fromLocal8Bit(JoinScriptLines(lines)));
}

void TWindow_Ferrowind::GS_UpdateBat(bool mirror)
{
    settings_.GSScript = GS_MakeBat(gsPage_->Gather(settings_, location_.programPath), CurrentScriptOrigin());
    if (mirror)
        MirrorToEditor(settings_.GSScript);
}

void TWindow_Ferrowind::S_UpdateBat(bool mirror)
{
    settings_.SScript = S_MakeBat(sPage_->Gather(settings_, location_.programPath), CurrentScriptOrigin());
    if (mirror)
        MirrorToEditor(settings_.SScript);
}

void TWindow_Ferrowind::StartCompileScript(const ScriptLines& lines)
{
    const ShellResult result = RunCompileScript(lines, location_.workingBase, services_.shell);
    if (!result.problem.empty())
        services_.prompts.Tell(kMainCaption, result.problem, PromptIcon::Error);
    if (runAtStart_ && result.started)
        closeTimer_.start();
}

void TWindow_Ferrowind::SaveCompileScript(const std::string& mapEdit, const std::function<const ScriptLines&()>& generate)
{
    const auto answer = services_.dialogs.SaveFile({kSaveFilter, DefaultSaveName(mapEdit)});
    if (!answer)
        return;
    const ScriptLines& lines = generate();
    System_CreateFolders(location_.workingBase, folders_);
    try {
        WriteScriptLines(SaveAsPath(answer->path, answer->filterIndex), lines);
    } catch (const ScriptWriteError&) {
        services_.prompts.Tell(kMainCaption, kSaveFailedMessage, PromptIcon::Error);
    }
}

void TWindow_Ferrowind::GS_RunBat()
{
    const TGSConfig config = gsPage_->Gather(settings_, location_.programPath);
    const CheckVerdict verdict = GS_Init(settings_, gsPage_->PageState(), GsScriptPaths(config), services_.prompts);
    if (verdict == CheckVerdict::MapMissing)
        gsPage_->FocusMapEdit();
    if (verdict != CheckVerdict::Proceed)
        return;
    GS_UpdateBat(!runAtStart_);
    StartCompileScript(settings_.GSScript);
}

void TWindow_Ferrowind::GS_SaveBat()
{
    const TGSConfig config = gsPage_->Gather(settings_, location_.programPath);
    const CheckVerdict verdict = GS_Init(settings_, gsPage_->PageState(), GsScriptPaths(config), services_.prompts);
    if (verdict == CheckVerdict::MapMissing)
        gsPage_->FocusMapEdit();
    if (verdict != CheckVerdict::Proceed)
        return;
    SaveCompileScript(config.MapFile, [this]() -> const ScriptLines& {
        GS_UpdateBat(true);
        return settings_.GSScript;
    });
}

void TWindow_Ferrowind::S_RunBat()
{
    const TSConfig config = sPage_->Gather(settings_, location_.programPath);
    if (!S_Init(settings_, sPage_->PageState(), SScriptPaths(config), services_.prompts))
        return;
    S_UpdateBat(!runAtStart_);
    StartCompileScript(settings_.SScript);
}

void TWindow_Ferrowind::S_SaveBat()
{
    const TSConfig config = sPage_->Gather(settings_, location_.programPath);
    if (!S_Init(settings_, sPage_->PageState(), SScriptPaths(config), services_.prompts))
        return;
    SaveCompileScript(config.VmfFile, [this]() -> const ScriptLines& {
        S_UpdateBat(true);
        return settings_.SScript;
    });
}

void TWindow_Ferrowind::ShowEditor()
{
    if (windows_.editor != nullptr)
        windows_.editor->exec();
}

void TWindow_Ferrowind::INFSButtonEditorClick()
{
    GS_UpdateBat(true);
    ShowEditor();
}

void TWindow_Ferrowind::INFSToolB04Click()
{
    S_UpdateBat(true);
    ShowEditor();
}

void TWindow_Ferrowind::ShowConfigurations(TWindow_Settings::Page page)
{
    if (windows_.settings == nullptr)
        return;
    windows_.settings->SelectPage(page);
    windows_.settings->exec();
}

void TWindow_Ferrowind::INFSButtonAbout0Click()
{
    if (windows_.about != nullptr)
        windows_.about->exec();
}

void TWindow_Ferrowind::BeepTimerTimer()
{
    hide();
    services_.sound.PlayCompletionSound([this] {
        close();
        QCoreApplication::quit();
    });
}

void TWindow_Ferrowind::CloseTimerTimer()
{
    close();
    QCoreApplication::quit();
}
