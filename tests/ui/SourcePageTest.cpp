#include "app/ui/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "source/SScript.h"
#include "source/ui/SourcePage.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
const char* kTitle = kMainTitle;
const PromptRequest kMapMissing{kTitle, "Map is not selected, please select map file...", PromptIcon::Exclamation};

// A program folder whose Half-Life 2 configuration points at existing tools and folders, and a map to compile.
struct Workspace {
    TempFolder temp;
    std::string vmf;

    explicit Workspace(const char* outputFolder = "out")
    {
        for (const char* tool : {"bsp", "vis", "rad", "game"})
            temp.write(std::string("bin/") + tool);
        temp.makeFolder("out");
        vmf = temp.write("maps/test.vmf");
        temp.write("program/Ferrowind/Configurations.ini",
                   "[SPATH]\r\nBSP=" + temp.path("bin/bsp") + "\r\nVIS=" + temp.path("bin/vis") + "\r\nRAD=" + temp.path("bin/rad") +
                       "\r\nhl2=" + temp.path("bin/game") + "\r\nBin=" + temp.path("bin") + "\r\nBSPout=" + temp.path(outputFolder) + "\r\n");
    }
    std::string ProgramDir() const { return temp.path("program"); }
    std::string CompileBat() const { return temp.path("program/Ferrowind/Temp/Compile.bat"); }
};

}

class SourcePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<TWindow_Editor>& editor = harness.editor;
    std::unique_ptr<TWindow_Ferrowind>& window = harness.window;

    void Start(const QStringList& arguments) { harness.Start(workspace->ProgramDir(), arguments); }
    ScriptLines EditorLines() const { return harness.EditorLines(); }
    void StartWithVmf() { Start({QString::fromStdString(workspace->vmf)}); }

    template <typename T> T* Find(const char* name)
    {
        T* widget = window->SPage()->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    void Click(const char* toolButton) { Find<QToolButton>(toolButton)->click(); }

    // The script the page's current state should give, without its creation stamp.
    ScriptLines Expected()
    {
        return WithoutStamp(S_MakeBat(window->SPage()->Gather(window->Settings(), kTestProgramPath), {"", "", "ferrowind@mailbox.org"}));
    }

private slots:
    void init()
    {
        workspace = std::make_unique<Workspace>();
        fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        window.reset();
        editor.reset();
        fakes.reset();
        workspace.reset();
    }

    void controlsAndDefaults()
    {
        Start({});
        const std::pair<const char*, const char*> buttons[] = {
            {"INFSToolB02", "Compile"}, {"INFSToolB03", "Save As..."}, {"INFSToolB04", "Batch Editor"},
            {"INFSToolB05", "Configurations"}, {"INFSToolB06", "Run from..."}, {"INFSToolB07", "About"},
        };
        for (const auto& [name, caption] : buttons)
            QCOMPARE(Find<QToolButton>(name)->text(), QString(caption));
        QLineEdit* vmf = Find<QLineEdit>("INFSEdit001");
        QVERIFY(vmf->isReadOnly());
        QVERIFY(vmf->text().isEmpty());
        QCOMPARE(Find<QPushButton>("INFSDPDec008")->text(), QString("..."));
        QCOMPARE(Find<QPushButton>("INFSDPDec007")->text(), QString("Edit"));
        QCOMPARE(Find<QPushButton>("INFSDPDec005")->text(), QString("+map"));
        QVERIFY(Find<QWidget>("INFSDPDec006") != nullptr);

        QComboBox* presets = Find<QComboBox>("INFSPresetList1");
        QCOMPARE(presets->count(), 4);
        const char* entries[] = {"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(presets->itemText(i), QString(entries[i]));
        QCOMPARE(presets->currentIndex(), -1);

        const std::tuple<const char*, const char*, bool> checks[] = {
            {"INFSChb_SBSP", "BSP", true},          {"INFSChb_SVIS", "VIS", true},          {"INFSChb_SRAD", "RAD", true},
            {"INFSChb_SHL2", "Game", true},         {"INFSChb01", "Not copy *.bsp", false}, {"INFSChb02", "Open log file", false},
            {"INFSChbDeleteLOGs", "Delete .log", false}, {"INFSChb03", "Pause", false},   {"INFSChb04", "Beep!", false},
            {"INFSChb05", "Shutdown PC", false},
        };
        for (const auto& [name, caption, checked] : checks) {
            QCOMPARE(Check(name)->text(), QString(caption));
            QVERIFY2(Check(name)->isChecked() == checked, name);
        }
        for (const char* name : {"INFSEdit002", "INFSEdit003", "INFSEdit004", "INFSEdit005"})
            QVERIFY2(Find<QLineEdit>(name)->text().isEmpty(), name);
    }

    void shutdownDisablesWhatCannotWorkWithIt()
    {
        Start({});
        const char* affected[] = {"INFSChb02", "INFSChb03", "INFSChb04", "INFSChbDeleteLOGs", "INFSChb_SHL2"};
        for (const char* name : affected)
            Check(name)->setChecked(true);
        Check("INFSChb05")->click();
        for (const char* name : affected)
            QVERIFY2(!Check(name)->isChecked() && !Check(name)->isEnabled(), name);
        QVERIFY(!Find<QLineEdit>("INFSEdit005")->isEnabled());
        QVERIFY(!Find<QPushButton>("INFSDPDec005")->isEnabled());
        for (const char* name : {"INFSChb01", "INFSChb_SBSP", "INFSChb05"})
            QVERIFY2(Check(name)->isEnabled(), name);

        Check("INFSChb05")->click();
        for (const char* name : affected)
            QVERIFY2(!Check(name)->isChecked() && Check(name)->isEnabled(), name);
        QVERIFY(Find<QLineEdit>("INFSEdit005")->isEnabled());
        QVERIFY(Find<QPushButton>("INFSDPDec005")->isEnabled());
    }

    void mapParameterButtonInsertsOrSelects()
    {
        Start({});
        QLineEdit* game = Find<QLineEdit>("INFSEdit005");
        QPushButton* button = Find<QPushButton>("INFSDPDec005");
        button->click();
        QCOMPARE(game->text(), QString("+map %MAPNAME% "));

        game->setText("-dev +MAP %MapName% -console");
        button->click();
        QCOMPARE(game->text(), QString("-dev +MAP %MapName% -console"));
        QCOMPARE(game->selectedText(), QString("+MAP %MapName%"));
    }

    void vmfChooserTakesOnlyVmfFiles()
    {
        Start({});
        fakes->dialogs.openAnswers = {std::string("/maps/test.VMF"), std::string("/maps/test.map"), std::nullopt};
        QPushButton* chooser = Find<QPushButton>("INFSDPDec008");
        QLineEdit* vmf = Find<QLineEdit>("INFSEdit001");
        chooser->click();
        QCOMPARE(vmf->text(), QString("/maps/test.VMF"));
        QCOMPARE(vmf->cursorPosition(), 14);
        chooser->click();
        chooser->click();
        QCOMPARE(vmf->text(), QString("/maps/test.VMF"));
        QCOMPARE(fakes->dialogs.openRequests.size(), size_t{3});
        QCOMPARE(fakes->dialogs.openRequests[0].filter, std::string("Valve map(*.vmf)|*.vmf"));
    }

    void gatherReadsThePageAndTheConfiguration()
    {
        Start({});
        TFerrowindSettings settings;
        settings.SBspTool = " /bin/bsp ";
        settings.SBin = "/bin ";
        settings.TextColor = 10;
        settings.BackColor = 0;
        settings.LogViewer = workspace->temp.path("no-viewer");
        Find<QLineEdit>("INFSEdit002")->setText("  -onlyents\t");
        Find<QLineEdit>("INFSEdit005")->setText(" +map %MAPNAME% ");
        window->SPage()->SetVmfFile(" /maps/box.vmf ");
        Check("INFSChb05")->setChecked(true);

        TSConfig c = window->SPage()->Gather(settings, kTestProgramPath);
        QCOMPARE(c.BspTool, std::string(" /bin/bsp "));
        QCOMPARE(c.BinDir, std::string("/bin "));
        QCOMPARE(c.BspParams, std::string("-onlyents"));
        QCOMPARE(c.GameParams, std::string("+map %MAPNAME%"));
        QCOMPARE(c.VmfFile, std::string("/maps/box.vmf"));
        QCOMPARE(c.ConsoleColor, std::string("0A"));
        QCOMPARE(c.LogViewer, std::string("Notepad"));
        QCOMPARE(c.Version, std::string("1.2"));
        QCOMPARE(c.ProgramPath, std::string(kTestProgramPath));
        QVERIFY(c.RunBsp && c.RunVis && c.RunRad && c.Shutdown);
        QVERIFY(!c.RunGame && !c.Pause && !c.OpenLog);

        settings.LogViewer = workspace->temp.write("viewer");
        QCOMPARE(window->SPage()->Gather(settings, "").LogViewer, settings.LogViewer);
    }

    void compileWritesAndStartsTheScript()
    {
        StartWithVmf();
        QCOMPARE(window->Pages()->currentIndex(), 2);
        Click("INFSToolB02");
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(fakes->shell.started, std::vector<std::string>{workspace->CompileBat()});
        const ScriptLines written = SplitCrLf(readBytes(workspace->CompileBat()));
        QCOMPARE(written, window->Settings().SScript);
        QCOMPARE(WithoutStamp(written), Expected());
        QCOMPARE(written[8], "set MAPPATH=" + workspace->temp.path("maps/test"));
        QCOMPARE(written[25], "cd /d \"" + workspace->temp.path("bin") + "\"");
        QCOMPARE(EditorLines(), written);
        QVERIFY(window->ShowsAtStart());
    }

    void outputFolderIsAskedAboutEvenWithNotCopy()
    {
        workspace = std::make_unique<Workspace>("no-out");
        StartWithVmf();
        Check("INFSChb01")->setChecked(true);
        Click("INFSToolB02");
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0], (PromptRequest{kTitle, "BSP output folder is not found! (Please select correct path)\r\nContinue compilation?",
                                                         PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(!std::filesystem::exists(workspace->CompileBat()));
    }

    void missingVmfShowsOnlyTheMapMessage()
    {
        Start({});
        window->Pages()->setCurrentIndex(2);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QLineEdit* game = Find<QLineEdit>("INFSEdit005");
        game->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), game);
        window->SPage()->SetVmfFile(QString::fromStdString(workspace->temp.path("maps/gone.vmf")));
        fakes->dialogs.saveAnswers = {SaveFileAnswer{workspace->temp.path("saved"), 1}};
        Click("INFSToolB02");
        Click("INFSToolB03");
        QCOMPARE(fakes->prompts.asked, (std::vector<PromptRequest>{kMapMissing, kMapMissing}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->dialogs.saveRequests.empty());
        QVERIFY(window->Settings().SScript.empty());
        QVERIFY(!std::filesystem::exists(workspace->CompileBat()));
        QTest::qWait(20); // unlike the Half-Life page, the focus stays where it was
        QCOMPARE(QApplication::focusWidget(), game);
    }

    void runWithAMapAndAVmfCompilesTheVmfWithoutTheEditor()
    {
        const QString map = QString::fromStdString(workspace->temp.write("maps/box.map"));
        Start({map, "+run", QString::fromStdString(workspace->vmf)});
        QCOMPARE(window->findChild<QLineEdit*>("INFSEdit0")->text(), map);
        QCOMPARE(Find<QLineEdit>("INFSEdit001")->text(), QString::fromStdString(workspace->vmf));
        QCOMPARE(fakes->shell.started, std::vector<std::string>{workspace->CompileBat()});
        QCOMPARE(WithoutStamp(SplitCrLf(readBytes(workspace->CompileBat()))), Expected());
        QVERIFY(editor->ScriptText().isEmpty());
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(!window->ShowsAtStart());
    }

    void saveAsOffersTheMapNameAndWritesTheScript()
    {
        StartWithVmf();
        const std::string typed = workspace->temp.path("saved");
        fakes->dialogs.saveAnswers = {SaveFileAnswer{typed, 1}};
        Click("INFSToolB03");
        QCOMPARE(fakes->dialogs.saveRequests.size(), size_t{1});
        QCOMPARE(fakes->dialogs.saveRequests[0].fileName, std::string("test compile"));
        QCOMPARE(fakes->dialogs.saveRequests[0].filter, std::string("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*"));
        QCOMPARE(WithoutStamp(SplitCrLf(readBytes(typed + ".bat"))), Expected());
        QCOMPARE(EditorLines(), window->Settings().SScript);
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->prompts.asked.empty());
    }

    void batchEditorShowsTheScriptWithoutAnyCheck()
    {
        Start({});
        window->SPage()->SetVmfFile("/nowhere/box.vmf");
        harness.PressAndInspectModal(Find<QToolButton>("INFSToolB04"), editor.get(), [] {});
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(fakes->shell.started.empty());
        QCOMPARE(EditorLines(), window->Settings().SScript);
        QCOMPARE(window->Settings().SScript[8], std::string("set MAPPATH=/nowhere/box"));
    }

    void configurationsOpensOnTheHalfLife2Page()
    {
        Start({});
        QTabWidget* configurationPages = harness.settings->findChild<QTabWidget*>();
        harness.PressAndInspectModal(Find<QToolButton>("INFSToolB05"), harness.settings.get(),
                                     [&] { QCOMPARE(configurationPages->currentWidget()->objectName(), QString("INFSTB2")); });
    }
};

QTEST_MAIN(SourcePageTest)
#include "SourcePageTest.moc"
