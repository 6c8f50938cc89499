#include "ui/CompilePage.h"
#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "goldsource/GoldSourceOptions.h"
#include "goldsource/GoldSourceScript.h"
#include "source/SourceOptions.h"
#include "source/SourceScript.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

using namespace ferrowind;

namespace {
// A program folder whose configuration points at existing tools and folders of both engines, and a map of each.
struct Workspace {
    TempFolder temp;

    Workspace()
    {
        for (const char* tool : {"csg", "bsp", "vis", "rad", "hl"})
            temp.write(std::string("tools/") + tool);
        for (const char* tool : {"bsp", "vis", "rad", "game"})
            temp.write(std::string("bin/") + tool);
        temp.makeFolder("wad");
        temp.makeFolder("out");
        temp.write("maps/box.map");
        temp.write("maps/test.vmf");
        temp.write("program/Ferrowind/Configurations.ini",
            "[GSPATH]\r\nCSG=" + temp.path("tools/csg") + "\r\nBSP=" + temp.path("tools/bsp") + "\r\nVIS=" +
                temp.path("tools/vis") + "\r\nRAD=" + temp.path("tools/rad") + "\r\nhl=" + temp.path("tools/hl") +
                "\r\nWADroot=" + temp.path("wad") + "\r\nBSPout=" + temp.path("out") +
                "\r\n[SPATH]\r\nBSP=" + temp.path("bin/bsp") + "\r\nVIS=" + temp.path("bin/vis") +
                "\r\nRAD=" + temp.path("bin/rad") + "\r\nhl2=" + temp.path("bin/game") + "\r\nBin=" + temp.path("bin") +
                "\r\nBSPout=" + temp.path("out") + "\r\n");
    }
    std::string programDir() const { return temp.path("program"); }
    std::string compileBat() const { return temp.path("program/Ferrowind/Temp/Compile.bat"); }
};

using CheckRow = std::tuple<const char*, const char*, bool>; // name, caption, checked at start
using ScriptLine = std::pair<size_t, std::string>;

// What the tests expect of one engine's page.
struct EngineCase {
    const char* name;
    int pageIndex;
    CompilePage* (MainWindow::*page)() const;
    const ScriptLines& (MainWindow::*script)() const;
    // The script the page's current state should give, without its creation stamp.
    std::function<ScriptLines(MainWindow&)> expected;
    // Shows a set of options and reads them back, then the defaults.
    std::function<void(CompilePage&)> optionsRoundTrip;

    std::vector<std::pair<const char*, const char*>> toolButtons;
    const char* configurationsButton;
    const char* editorButton;
    const char* compileButton;
    const char* saveButton;
    const char* configurationsPage;

    const char* mapEdit;
    const char* mapButton;
    const char* mapFilter;
    const char* map; // in the workspace
    std::string chosenMap;
    std::string otherFile;
    const char* saveName;
    const char* missingMap;
    ScriptLine mapLineOfMissingMap; // a script line naming "/nowhere/box" and the page's extension

    const char* presetList;
    std::vector<const char*> initialPresets;
    const char* presetEditButton;
    const char* dragStrip;

    std::vector<const char*> edits;
    const char* gameEdit;
    const char* mapParameterButton;
    std::vector<CheckRow> checks;
    const char* shutdown;
    std::vector<const char*> shutdownClears;
    std::vector<const char*> untouchedByShutdown;
};

const std::vector<EngineCase>& engineCases()
{
    static const std::vector<EngineCase> cases{
        {
            "Half-Life",
            0,
            &MainWindow::goldSourcePage,
            &MainWindow::goldSourceScript,
            [](MainWindow& window) {
                const CompilePage* page = window.goldSourcePage();
                return withoutStamp(makeGoldSourceScript(goldSourceScriptInput(page->options(goldSourceFields()),
                                                             page->mapFile(), window.configuration(), kTestProgramPath),
                    {"", "", "ferrowind@mailbox.org"}));
            },
            [](CompilePage& page) {
                GoldSourceOptions options;
                options.csgParams = "-wadinclude halflife";
                options.radParams = "-extra";
                options.gameParams = "+map %MAPNAME%";
                options.runBsp = false;
                options.deleteP2 = options.deleteWic = options.copyPts = options.pause = true;
                page.setOptions(goldSourceFields(), options);
                QCOMPARE(page.options(goldSourceFields()), options);
                page.setOptions(goldSourceFields(), GoldSourceOptions{});
                QCOMPARE(page.options(goldSourceFields()), GoldSourceOptions{});
            },
            {{"INFSButtonRun", "Compile"}, {"INFSButtonSave", "Save As..."}, {"INFSButtonEditor", "Batch Editor"},
                {"INFSButtonConfig", "Configurations"}, {"INFSToolB01", "Run from..."}, {"INFSButtonAbout0", "About"}},
            "INFSButtonConfig",
            "INFSButtonEditor",
            "INFSButtonRun",
            "INFSButtonSave",
            "INFSTB1",
            "INFSEdit0",
            "INFSButton0",
            "Game maps (*.map)|*.map",
            "maps/box.map",
            "/maps/box.MAP",
            "/maps/notes.txt",
            "box compile",
            "/nowhere/box.map",
            {9, "set MAPFILE=\"/nowhere/box.map\""},
            "INFSPresetList",
            {},
            "INFSButton1",
            nullptr,
            {"INFSEdit1", "INFSEdit2", "INFSEdit3", "INFSEdit4", "INFSEdit5"},
            "INFSEdit5",
            "INFSButton2",
            {{"INFSChb_CSG", "CSG", true}, {"INFSChb_BSP", "BSP", true}, {"INFSChb_VIS", "VIS", true},
                {"INFSChb_RAD", "RAD", true}, {"INFSChb_HL", "Game", true}, {"INFSChbDeleteP0", "Delete .p0", false},
                {"INFSChbDeleteP1", "Delete .p1", false}, {"INFSChbDeleteP2", "Delete .p2", false},
                {"INFSChbDeleteP3", "Delete .p3", false}, {"INFSChbDeletePRT", "Delete .prt", false},
                {"INFSChbDeleteWIC", "Delete .wic", false}, {"INFSChbDeleteLIN", "Delete .lin", false},
                {"INFSChbDeletePTS", "Delete .pts", false}, {"INFSChbDeleteLOG", "Delete .log", false},
                {"INFSChb0", "Copy .pts", false}, {"INFSChb1", "Not copy *.bsp", false},
                {"INFSChb2", "Open log file", false}, {"INFSChb3", "Pause", false}, {"INFSChb4", "Beep!", false},
                {"INFSChb5", "Shutdown PC", false}},
            "INFSChb5",
            {"INFSChb2", "INFSChb3", "INFSChb4", "INFSChbDeleteLOG", "INFSChb_HL", "INFSChbDeletePTS"},
            {"INFSChbDeleteP0", "INFSChb_CSG", "INFSChb5"},
        },
        {
            "Half-Life 2",
            2,
            &MainWindow::sourcePage,
            &MainWindow::sourceScript,
            [](MainWindow& window) {
                const CompilePage* page = window.sourcePage();
                return withoutStamp(makeSourceScript(sourceScriptInput(page->options(sourceFields()), page->mapFile(),
                                                         window.configuration(), kTestProgramPath),
                    {"", "", "ferrowind@mailbox.org"}));
            },
            [](CompilePage& page) {
                SourceOptions options;
                options.bspParams = "-onlyents";
                options.visParams = "-fast";
                options.radParams = "-final";
                options.gameParams = "+map %MAPNAME%";
                options.runVis = false;
                options.deleteLog = options.notCopyBsp = options.pause = true;
                page.setOptions(sourceFields(), options);
                QCOMPARE(page.options(sourceFields()), options);
                page.setOptions(sourceFields(), SourceOptions{});
                QCOMPARE(page.options(sourceFields()), SourceOptions{});
            },
            {{"INFSToolB02", "Compile"}, {"INFSToolB03", "Save As..."}, {"INFSToolB04", "Batch Editor"},
                {"INFSToolB05", "Configurations"}, {"INFSToolB06", "Run from..."}, {"INFSToolB07", "About"}},
            "INFSToolB05",
            "INFSToolB04",
            "INFSToolB02",
            "INFSToolB03",
            "INFSTB2",
            "INFSEdit001",
            "INFSDPDec008",
            "Valve map(*.vmf)|*.vmf",
            "maps/test.vmf",
            "/maps/test.VMF",
            "/maps/test.map",
            "test compile",
            "/nowhere/box.vmf",
            {8, "set MAPPATH=/nowhere/box"},
            "INFSPresetList1",
            {"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"},
            "INFSDPDec007",
            "INFSDPDec006",
            {"INFSEdit002", "INFSEdit003", "INFSEdit004", "INFSEdit005"},
            "INFSEdit005",
            "INFSDPDec005",
            {{"INFSChb_SBSP", "BSP", true}, {"INFSChb_SVIS", "VIS", true}, {"INFSChb_SRAD", "RAD", true},
                {"INFSChb_SHL2", "Game", true}, {"INFSChb01", "Not copy *.bsp", false},
                {"INFSChb02", "Open log file", false}, {"INFSChbDeleteLOGs", "Delete .log", false},
                {"INFSChb03", "Pause", false}, {"INFSChb04", "Beep!", false}, {"INFSChb05", "Shutdown PC", false}},
            "INFSChb05",
            {"INFSChb02", "INFSChb03", "INFSChb04", "INFSChbDeleteLOGs", "INFSChb_SHL2"},
            {"INFSChb01", "INFSChb_SBSP", "INFSChb05"},
        },
    };
    return cases;
}
} // namespace

// Both compile pages, one table of what each engine's page holds.
class CompilePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<MainWindow>& window = harness.window;

    void start(const QStringList& arguments) { harness.start(workspace->programDir(), arguments); }
    void startWithMap(const EngineCase& engine) { start({QString::fromStdString(workspace->temp.path(engine.map))}); }

    const EngineCase& engine() const
    {
        QFETCH_GLOBAL(int, engine);
        return engineCases()[static_cast<size_t>(engine)];
    }
    CompilePage* page() const { return (window.get()->*engine().page)(); }
    const ScriptLines& script() const { return (window.get()->*engine().script)(); }

    template <typename T> T* find(const char* name) const
    {
        T* widget = page()->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    void click(const char* toolButton) const { find<QToolButton>(toolButton)->click(); }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<int>("engine");
        for (size_t i = 0; i < engineCases().size(); ++i)
            QTest::newRow(engineCases()[i].name) << static_cast<int>(i);
    }

    void init()
    {
        workspace = std::make_unique<Workspace>();
        fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        window.reset();
        harness.editor.reset();
        fakes.reset();
        workspace.reset();
    }

    void controlsAndDefaults()
    {
        start({});
        const EngineCase& e = engine();
        for (const auto& [name, caption] : e.toolButtons)
            QCOMPARE(find<QToolButton>(name)->text(), QString(caption));
        QLineEdit* map = find<QLineEdit>(e.mapEdit);
        QVERIFY(map->isReadOnly());
        QVERIFY(map->text().isEmpty());
        QCOMPARE(find<QPushButton>(e.mapButton)->text(), QString("..."));
        QCOMPARE(find<QPushButton>(e.presetEditButton)->text(), QString("Edit"));
        QCOMPARE(find<QPushButton>(e.mapParameterButton)->text(), QString("+map"));
        if (e.dragStrip != nullptr)
            QVERIFY(find<QWidget>(e.dragStrip) != nullptr);

        QComboBox* presets = find<QComboBox>(e.presetList);
        QCOMPARE(presets->count(), static_cast<int>(e.initialPresets.size()));
        for (int i = 0; i < presets->count(); ++i)
            QCOMPARE(presets->itemText(i), QString(e.initialPresets[static_cast<size_t>(i)]));
        QCOMPARE(presets->currentIndex(), -1);

        for (const auto& [name, caption, checked] : e.checks) {
            QCOMPARE(check(name)->text(), QString(caption));
            QVERIFY2(check(name)->isChecked() == checked, name);
        }
        for (const char* name : e.edits)
            QVERIFY2(find<QLineEdit>(name)->text().isEmpty(), name);
    }

    void shutdownDisablesWhatCannotWorkWithIt()
    {
        start({});
        const EngineCase& e = engine();
        for (const char* name : e.shutdownClears)
            check(name)->setChecked(true);
        check(e.shutdown)->click();
        for (const char* name : e.shutdownClears)
            QVERIFY2(!check(name)->isChecked() && !check(name)->isEnabled(), name);
        QVERIFY(!find<QLineEdit>(e.gameEdit)->isEnabled());
        QVERIFY(!find<QPushButton>(e.mapParameterButton)->isEnabled());
        for (const char* name : e.untouchedByShutdown)
            QVERIFY2(check(name)->isEnabled(), name);

        check(e.shutdown)->click();
        for (const char* name : e.shutdownClears)
            QVERIFY2(!check(name)->isChecked() && check(name)->isEnabled(), name);
        QVERIFY(find<QLineEdit>(e.gameEdit)->isEnabled());
        QVERIFY(find<QPushButton>(e.mapParameterButton)->isEnabled());
    }

    void mapParameterButtonInsertsOrSelects()
    {
        start({});
        QLineEdit* game = find<QLineEdit>(engine().gameEdit);
        QPushButton* button = find<QPushButton>(engine().mapParameterButton);
        button->click();
        QCOMPARE(game->text(), QString("+map %MAPNAME% "));

        game->setText("-dev");
        button->click();
        QCOMPARE(game->text(), QString("+map %MAPNAME% -dev"));

        game->setText("-dev +MAP %MapName% -console");
        button->click();
        QCOMPARE(game->text(), QString("-dev +MAP %MapName% -console"));
        QCOMPARE(game->selectedText(), QString("+MAP %MapName%"));
    }

    void mapChooserTakesOnlyItsKindOfFile()
    {
        start({});
        const EngineCase& e = engine();
        fakes->dialogs.openAnswers = {e.chosenMap, e.otherFile, std::nullopt};
        QPushButton* chooser = find<QPushButton>(e.mapButton);
        QLineEdit* map = find<QLineEdit>(e.mapEdit);
        chooser->click();
        QCOMPARE(map->text(), QString::fromStdString(e.chosenMap));
        QCOMPARE(map->cursorPosition(), static_cast<int>(e.chosenMap.size()));
        chooser->click();
        chooser->click();
        QCOMPARE(map->text(), QString::fromStdString(e.chosenMap));
        QCOMPARE(fakes->dialogs.openRequests.size(), size_t{3});
        QCOMPARE(fakes->dialogs.openRequests[0].filter, std::string(e.mapFilter));
        // The chooser starts at the map already chosen.
        QCOMPARE(fakes->dialogs.openRequests[0].initialDir, std::string());
        QCOMPARE(fakes->dialogs.openRequests[1].initialDir, e.chosenMap);
        QCOMPARE(fakes->dialogs.openRequests[1].kind, FileKind::Maps);
    }

    void optionsShownAreTheOptionsRead()
    {
        start({});
        engine().optionsRoundTrip(*page());
    }

    void compileWritesStartsAndMirrorsTheScript()
    {
        const EngineCase& e = engine();
        startWithMap(e);
        QCOMPARE(window->pages()->currentIndex(), e.pageIndex);
        click(e.compileButton);
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(readBytes(fakes->shell.started[0]), readBytes(workspace->compileBat()));
        const ScriptLines written = splitCrLf(readBytes(workspace->compileBat()));
        QCOMPARE(written, script());
        QCOMPARE(withoutStamp(written), e.expected(*window));
        QCOMPARE(harness.editorLines(), written);
        QVERIFY(window->showsAtStart());
    }

    void saveAsOffersTheMapNameAndAppliesTheBatRule()
    {
        const EngineCase& e = engine();
        startWithMap(e);
        const std::string typed = workspace->temp.path("saved");
        fakes->dialogs.saveAnswers = {
            SaveFileAnswer{typed, 1}, SaveFileAnswer{typed + ".cmd", 1}, SaveFileAnswer{typed, 2}};
        for (int i = 0; i < 3; ++i)
            click(e.saveButton);

        QCOMPARE(fakes->dialogs.saveRequests.size(), size_t{3});
        QCOMPARE(fakes->dialogs.saveRequests[0].fileName, std::string(e.saveName));
        QCOMPARE(fakes->dialogs.saveRequests[0].filter,
            std::string("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*"));
        for (const std::string& written : {typed + ".bat", typed + ".cmd.bat", typed})
            QCOMPARE(splitCrLf(readBytes(written)), script());
        QCOMPARE(withoutStamp(script()), e.expected(*window));
        QVERIFY(!std::filesystem::exists(typed + ".cmd"));
        QCOMPARE(harness.editorLines(), script());
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->prompts.asked.empty());
    }

    void batchEditorShowsTheScriptWithoutAnyCheck()
    {
        start({});
        const EngineCase& e = engine();
        page()->setMapFile(e.missingMap);
        harness.pressAndInspectModal(find<QToolButton>(e.editorButton), harness.editor.get(), [&] {
            QVERIFY(harness.editor->isModal());
            QCOMPARE(harness.editorLines(), script());
        });
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(fakes->shell.started.empty());
        QCOMPARE(script()[e.mapLineOfMissingMap.first], e.mapLineOfMissingMap.second);
    }

    void configurationsOpensOnTheEnginePage()
    {
        start({});
        const EngineCase& e = engine();
        QTabWidget* configurationPages = harness.configurations->findChild<QTabWidget*>();
        configurationPages->setCurrentIndex(2);
        harness.pressAndInspectModal(find<QToolButton>(e.configurationsButton), harness.configurations.get(),
            [&] { QCOMPARE(configurationPages->currentWidget()->objectName(), QString(e.configurationsPage)); });
    }
};

QTEST_MAIN(CompilePageTest)
#include "CompilePageTest.moc"
