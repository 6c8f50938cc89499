#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "source/SourceOptions.h"
#include "source/SourceScript.h"
#include "support/TempFolder.h"
#include "ui/CompilePage.h"

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
        const CompilePage* page = window->sourcePage();
        const SourceScriptInput input = sourceScriptInput(
            page->options(sourceFields()), page->mapFile(), window->configuration(), kTestProgramPath);
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
        window->sourcePage()->setMapFile(" /maps/box.vmf ");
        check("INFSChb05")->setChecked(true);

        const CompilePage* page = window->sourcePage();
        const SourceScriptInput in =
            sourceScriptInput(page->options(sourceFields()), page->mapFile(), configuration, kTestProgramPath);
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
        window->sourcePage()->setMapFile(QString::fromStdString(workspace->temp.path("maps/gone.vmf")));
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
};

QTEST_MAIN(SourcePageTest)
#include "SourcePageTest.moc"
