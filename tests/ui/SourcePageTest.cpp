#include "source/ui/SourcePage.h"
#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "source/SourceScript.h"
#include "support/TempFolder.h"

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

using namespace ferrowind;

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
            "[SPATH]\r\nBSP=" + temp.path("bin/bsp") + "\r\nVIS=" + temp.path("bin/vis") +
                "\r\nRAD=" + temp.path("bin/rad") + "\r\nhl2=" + temp.path("bin/game") + "\r\nBin=" + temp.path("bin") +
                "\r\nBSPout=" + temp.path(outputFolder) + "\r\n");
    }
    std::string programDir() const { return temp.path("program"); }
    std::string compileBat() const { return temp.path("program/Ferrowind/Temp/Compile.bat"); }
};

} // namespace

class SourcePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<EditorWindow>& editor = harness.editor;
    std::unique_ptr<MainWindow>& window = harness.window;

    void start(const QStringList& arguments) { harness.start(workspace->programDir(), arguments); }
    ScriptLines editorLines() const { return harness.editorLines(); }
    void startWithVmf() { start({QString::fromStdString(workspace->vmf)}); }

    template <typename T> T* find(const char* name)
    {
        T* widget = window->sourcePage()->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }
    void click(const char* toolButton) { find<QToolButton>(toolButton)->click(); }

    // The script the page's current state should give, without its creation stamp.
    ScriptLines expected()
    {
        const SourcePage* page = window->sourcePage();
        const SourceScriptInput input =
            sourceScriptInput(page->options(), page->vmfFile(), window->configuration(), kTestProgramPath);
        return withoutStamp(makeSourceScript(input, {"", "", "ferrowind@mailbox.org"}));
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
        start({});
        const std::pair<const char*, const char*> buttons[] = {
            {"INFSToolB02", "Compile"},
            {"INFSToolB03", "Save As..."},
            {"INFSToolB04", "Batch Editor"},
            {"INFSToolB05", "Configurations"},
            {"INFSToolB06", "Run from..."},
            {"INFSToolB07", "About"},
        };
        for (const auto& [name, caption] : buttons)
            QCOMPARE(find<QToolButton>(name)->text(), QString(caption));
        QLineEdit* vmf = find<QLineEdit>("INFSEdit001");
        QVERIFY(vmf->isReadOnly());
        QVERIFY(vmf->text().isEmpty());
        QCOMPARE(find<QPushButton>("INFSDPDec008")->text(), QString("..."));
        QCOMPARE(find<QPushButton>("INFSDPDec007")->text(), QString("Edit"));
        QCOMPARE(find<QPushButton>("INFSDPDec005")->text(), QString("+map"));
        QVERIFY(find<QWidget>("INFSDPDec006") != nullptr);

        QComboBox* presets = find<QComboBox>("INFSPresetList1");
        QCOMPARE(presets->count(), 4);
        const char* entries[] = {"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(presets->itemText(i), QString(entries[i]));
        QCOMPARE(presets->currentIndex(), -1);

        const std::tuple<const char*, const char*, bool> checks[] = {
            {"INFSChb_SBSP", "BSP", true},
            {"INFSChb_SVIS", "VIS", true},
            {"INFSChb_SRAD", "RAD", true},
            {"INFSChb_SHL2", "Game", true},
            {"INFSChb01", "Not copy *.bsp", false},
            {"INFSChb02", "Open log file", false},
            {"INFSChbDeleteLOGs", "Delete .log", false},
            {"INFSChb03", "Pause", false},
            {"INFSChb04", "Beep!", false},
            {"INFSChb05", "Shutdown PC", false},
        };
        for (const auto& [name, caption, checked] : checks) {
            QCOMPARE(check(name)->text(), QString(caption));
            QVERIFY2(check(name)->isChecked() == checked, name);
        }
        for (const char* name : {"INFSEdit002", "INFSEdit003", "INFSEdit004", "INFSEdit005"})
            QVERIFY2(find<QLineEdit>(name)->text().isEmpty(), name);
    }

    void shutdownDisablesWhatCannotWorkWithIt()
    {
        start({});
        const char* affected[] = {"INFSChb02", "INFSChb03", "INFSChb04", "INFSChbDeleteLOGs", "INFSChb_SHL2"};
        for (const char* name : affected)
            check(name)->setChecked(true);
        check("INFSChb05")->click();
        for (const char* name : affected)
            QVERIFY2(!check(name)->isChecked() && !check(name)->isEnabled(), name);
        QVERIFY(!find<QLineEdit>("INFSEdit005")->isEnabled());
        QVERIFY(!find<QPushButton>("INFSDPDec005")->isEnabled());
        for (const char* name : {"INFSChb01", "INFSChb_SBSP", "INFSChb05"})
            QVERIFY2(check(name)->isEnabled(), name);

        check("INFSChb05")->click();
        for (const char* name : affected)
            QVERIFY2(!check(name)->isChecked() && check(name)->isEnabled(), name);
        QVERIFY(find<QLineEdit>("INFSEdit005")->isEnabled());
        QVERIFY(find<QPushButton>("INFSDPDec005")->isEnabled());
    }

    void mapParameterButtonInsertsOrSelects()
    {
        start({});
        QLineEdit* game = find<QLineEdit>("INFSEdit005");
        QPushButton* button = find<QPushButton>("INFSDPDec005");
        button->click();
        QCOMPARE(game->text(), QString("+map %MAPNAME% "));

        game->setText("-dev +MAP %MapName% -console");
        button->click();
        QCOMPARE(game->text(), QString("-dev +MAP %MapName% -console"));
        QCOMPARE(game->selectedText(), QString("+MAP %MapName%"));
    }

    void vmfChooserTakesOnlyVmfFiles()
    {
        start({});
        fakes->dialogs.openAnswers = {std::string("/maps/test.VMF"), std::string("/maps/test.map"), std::nullopt};
        QPushButton* chooser = find<QPushButton>("INFSDPDec008");
        QLineEdit* vmf = find<QLineEdit>("INFSEdit001");
        chooser->click();
        QCOMPARE(vmf->text(), QString("/maps/test.VMF"));
        QCOMPARE(vmf->cursorPosition(), 14);
        chooser->click();
        chooser->click();
        QCOMPARE(vmf->text(), QString("/maps/test.VMF"));
        QCOMPARE(fakes->dialogs.openRequests.size(), size_t{3});
        QCOMPARE(fakes->dialogs.openRequests[0].filter, std::string("Valve map(*.vmf)|*.vmf"));
    }

    void scriptInputReadsThePageAndTheConfiguration()
    {
        start({});
        Configuration configuration;
        configuration.source.bspTool = " /bin/bsp ";
        configuration.source.bin = "/bin ";
        configuration.textColor = 10;
        configuration.backColor = 0;
        configuration.logViewer = workspace->temp.path("no-viewer");
        find<QLineEdit>("INFSEdit002")->setText("  -onlyents\t");
        find<QLineEdit>("INFSEdit005")->setText(" +map %MAPNAME% ");
        window->sourcePage()->setVmfFile(" /maps/box.vmf ");
        check("INFSChb05")->setChecked(true);

        const SourcePage* page = window->sourcePage();
        const SourceScriptInput in =
            sourceScriptInput(page->options(), page->vmfFile(), configuration, kTestProgramPath);
        QCOMPARE(in.paths.bspTool, std::string(" /bin/bsp "));
        QCOMPARE(in.paths.bin, std::string("/bin "));
        QCOMPARE(in.options.bspParams, std::string("-onlyents"));
        QCOMPARE(in.options.gameParams, std::string("+map %MAPNAME%"));
        QCOMPARE(in.vmfFile, std::string("/maps/box.vmf"));
        QCOMPARE(in.consoleColor, std::string("0A"));
        QCOMPARE(in.logViewer, std::string("Notepad"));
        QCOMPARE(in.version, std::string("1.2"));
        QCOMPARE(in.programPath, std::string(kTestProgramPath));
        QVERIFY(in.options.runBsp && in.options.runVis && in.options.runRad && in.options.shutdown);
        QVERIFY(!in.options.runGame && !in.options.pause && !in.options.openLog);

        configuration.logViewer = workspace->temp.write("viewer");
        QCOMPARE(sourceScriptInput({}, "", configuration, "").logViewer, configuration.logViewer);
    }

    void optionsShownAreTheOptionsRead()
    {
        start({});
        SourceOptions options;
        options.bspParams = "-onlyents";
        options.visParams = "-fast";
        options.radParams = "-final";
        options.gameParams = "+map %MAPNAME%";
        options.runVis = false;
        options.deleteLog = options.notCopyBsp = options.pause = true;
        window->sourcePage()->setOptions(options);
        QCOMPARE(window->sourcePage()->options(), options);
        window->sourcePage()->setOptions({});
        QCOMPARE(window->sourcePage()->options(), SourceOptions{});
    }

    void compileWritesAndStartsTheScript()
    {
        startWithVmf();
        QCOMPARE(window->pages()->currentIndex(), 2);
        click("INFSToolB02");
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(readBytes(fakes->shell.started[0]), readBytes(workspace->compileBat()));
        const ScriptLines written = splitCrLf(readBytes(workspace->compileBat()));
        QCOMPARE(written, window->sourceScript());
        QCOMPARE(withoutStamp(written), expected());
        QCOMPARE(written[8], "set MAPPATH=" + workspace->temp.path("maps/test"));
        QCOMPARE(written[25], "cd /d \"" + workspace->temp.path("bin") + "\"");
        QCOMPARE(editorLines(), written);
        QVERIFY(window->showsAtStart());
    }

    void outputFolderIsAskedAboutEvenWithNotCopy()
    {
        workspace = std::make_unique<Workspace>("no-out");
        startWithVmf();
        check("INFSChb01")->setChecked(true);
        click("INFSToolB02");
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{kTitle,
                "BSP output folder is not found! (Please select correct path)\r\nContinue compilation?",
                PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(!std::filesystem::exists(workspace->compileBat()));
    }

    void missingVmfShowsOnlyTheMapMessage()
    {
        start({});
        window->pages()->setCurrentIndex(2);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QLineEdit* game = find<QLineEdit>("INFSEdit005");
        game->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), game);
        window->sourcePage()->setVmfFile(QString::fromStdString(workspace->temp.path("maps/gone.vmf")));
        fakes->dialogs.saveAnswers = {SaveFileAnswer{workspace->temp.path("saved"), 1}};
        click("INFSToolB02");
        click("INFSToolB03");
        QCOMPARE(fakes->prompts.asked, (std::vector<PromptRequest>{kMapMissing, kMapMissing}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->dialogs.saveRequests.empty());
        QVERIFY(window->sourceScript().empty());
        QVERIFY(!std::filesystem::exists(workspace->compileBat()));
        QTest::qWait(20); // unlike the Half-Life page, the focus stays where it was
        QCOMPARE(QApplication::focusWidget(), game);
    }

    void runWithAMapAndAVmfCompilesTheVmfWithoutTheEditor()
    {
        const QString map = QString::fromStdString(workspace->temp.write("maps/box.map"));
        start({map, "+run", QString::fromStdString(workspace->vmf)});
        QCOMPARE(window->findChild<QLineEdit*>("INFSEdit0")->text(), map);
        QCOMPARE(find<QLineEdit>("INFSEdit001")->text(), QString::fromStdString(workspace->vmf));
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(readBytes(fakes->shell.started[0]), readBytes(workspace->compileBat()));
        QCOMPARE(withoutStamp(splitCrLf(readBytes(workspace->compileBat()))), expected());
        QVERIFY(editor->scriptText().isEmpty());
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(!window->showsAtStart());
    }

    void saveAsOffersTheMapNameAndWritesTheScript()
    {
        startWithVmf();
        const std::string typed = workspace->temp.path("saved");
        fakes->dialogs.saveAnswers = {SaveFileAnswer{typed, 1}};
        click("INFSToolB03");
        QCOMPARE(fakes->dialogs.saveRequests.size(), size_t{1});
        QCOMPARE(fakes->dialogs.saveRequests[0].fileName, std::string("test compile"));
        QCOMPARE(fakes->dialogs.saveRequests[0].filter,
            std::string("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*"));
        QCOMPARE(withoutStamp(splitCrLf(readBytes(typed + ".bat"))), expected());
        QCOMPARE(editorLines(), window->sourceScript());
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->prompts.asked.empty());
    }

    void batchEditorShowsTheScriptWithoutAnyCheck()
    {
        start({});
        window->sourcePage()->setVmfFile("/nowhere/box.vmf");
        harness.pressAndInspectModal(find<QToolButton>("INFSToolB04"), editor.get(), [] {});
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(fakes->shell.started.empty());
        QCOMPARE(editorLines(), window->sourceScript());
        QCOMPARE(window->sourceScript()[8], std::string("set MAPPATH=/nowhere/box"));
    }

    void configurationsOpensOnTheHalfLife2Page()
    {
        start({});
        QTabWidget* configurationPages = harness.configurations->findChild<QTabWidget*>();
        harness.pressAndInspectModal(find<QToolButton>("INFSToolB05"), harness.configurations.get(),
            [&] { QCOMPARE(configurationPages->currentWidget()->objectName(), QString("INFSTB2")); });
    }
};

QTEST_MAIN(SourcePageTest)
#include "SourcePageTest.moc"
