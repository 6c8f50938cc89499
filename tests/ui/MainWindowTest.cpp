#include "app/MainWindow.h"
#include "WindowHarness.h"
#include "decompile/ui/DecompilePage.h"
#include "editor/ui/EditorWindow.h"
#include "goldsource/GoldSourceOptions.h"
#include "goldsource/GoldSourceScript.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"
#include "ui/CompilePage.h"
#include "ui/LocalText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <set>
#include <vector>

using namespace ferrowind;

namespace {
const char* kTitle = kMainTitle;

// A program folder whose configuration points at existing tools and folders, and a map to compile.
struct Workspace {
    TempFolder temp;
    std::string map;

    Workspace()
    {
        for (const char* tool : {"csg", "bsp", "vis", "rad", "hl"})
            temp.write(std::string("tools/") + tool);
        temp.makeFolder("wad");
        temp.makeFolder("out");
        map = temp.write("maps/box.map");
        temp.write("program/Ferrowind/Configurations.ini",
            "[GSPATH]\r\nCSG=" + temp.path("tools/csg") + "\r\nBSP=" + temp.path("tools/bsp") + "\r\nVIS=" +
                temp.path("tools/vis") + "\r\nRAD=" + temp.path("tools/rad") + "\r\nhl=" + temp.path("tools/hl") +
                "\r\nWADroot=" + temp.path("wad") + "\r\nBSPout=" + temp.path("out") + "\r\n");
    }
    std::string programDir() const { return temp.path("program"); }
    std::string compileBat() const { return temp.path("program/Ferrowind/Temp/Compile.bat"); }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<EditorWindow>& editor = harness.editor;
    std::unique_ptr<MainWindow>& window = harness.window;

    void start(const QStringList& arguments) { harness.start(workspace->programDir(), arguments); }
    ScriptLines editorLines() const { return harness.editorLines(); }

    template <typename T> T* find(const char* name)
    {
        T* widget = window->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }

    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }

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

    void startsOnTheHalfLifePageWithEveryGroup()
    {
        start({});
        QCOMPARE(window->windowTitle(), QString(kTitle));
        QCOMPARE(window->size(), QSize(641, 296));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QTabWidget* pages = window->pages();
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QString("Half-Life compiling"));
        QCOMPARE(pages->tabText(1), QString("Half-Life decompiling"));
        QCOMPARE(pages->tabText(2), QString("Half-Life 2 compiling"));
        QCOMPARE(pages->currentIndex(), 0);

        const std::pair<const char*, QRect> groups[] = {
            {"INFSGB0", {8, 36, 425, 49}},
            {"INFSGB1", {440, 36, 193, 49}},
            {"INFSGB2", {8, 92, 425, 175}},
            {"INFSGB3", {440, 92, 193, 175}},
            {"INFSGB00", {8, 36, 441, 49}},
            {"INFSGB01", {8, 92, 625, 49}},
            {"INFSGB02", {8, 148, 313, 119}},
            {"INFSGB03", {328, 148, 305, 119}},
            {"INFSGB001", {8, 36, 425, 49}},
            {"INFSGB002", {440, 36, 193, 49}},
            {"INFSGB003", {8, 92, 497, 175}},
            {"INFSGB004", {512, 92, 121, 175}},
        };
        for (const auto& [name, geometry] : groups)
            QCOMPARE(find<QGroupBox>(name)->geometry(), geometry);
    }

    void commandLineFillsTheMapAndPicksThePage()
    {
        workspace->temp.write("maps/hall.vmf");
        start({QString::fromStdString(workspace->temp.path("maps/hall.vmf")), QString::fromStdString(workspace->map),
            "missing.map"});
        QCOMPARE(find<QLineEdit>("INFSEdit0")->text(), QString::fromStdString(workspace->map));
        QCOMPARE(window->pages()->currentIndex(), 2);
        QVERIFY(!window->runAtStart());
        QVERIFY(fakes->prompts.asked.empty());
    }

    void bspOnTheCommandLineFillsTheDecompilePageAndStartsNothing()
    {
        const std::string bsp =
            workspace->temp.write("maps/c1a0.bsp", std::string("\x1e\0\0\0", 4) + std::string(128, '\0'));
        start({"+run", QString::fromStdString(bsp), QString::fromStdString(workspace->map)});
        QCOMPARE(window->pages()->currentWidget(), static_cast<QWidget*>(window->decompilePage()));
        const DecompilePageState state = window->decompilePage()->state();
        QCOMPARE(state.bspPath, bsp);
        QCOMPARE(state.outputFolder, workspace->temp.path("maps/"));
        QCOMPARE(find<QLineEdit>("INFSEdit0")->text(), QString::fromStdString(workspace->map));
        QVERIFY(!window->runAtStart());
        QVERIFY(window->showsAtStart());
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(!QFile::exists(QString::fromStdString(workspace->compileBat())));
    }

    void runFromTheCommandLineStartsTheScriptAndCloses()
    {
        start({"+Run", QString::fromStdString(workspace->map)});
        QVERIFY(window->runAtStart());
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(readBytes(fakes->shell.started[0]), readBytes(workspace->compileBat()));
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(!window->showsAtStart());
        QVERIFY(editor->scriptText().isEmpty());

        const ScriptLines written = splitCrLf(readBytes(workspace->compileBat()));
        QCOMPARE(written.size(), size_t{74});
        const CompilePage* page = window->goldSourcePage();
        const GoldSourceScriptInput expected = goldSourceScriptInput(
            page->options(goldSourceFields()), page->mapFile(), window->configuration(), kTestProgramPath);
        QCOMPARE(
            withoutStamp(written), withoutStamp(makeGoldSourceScript(expected, {"", "", "ferrowind@mailbox.org"})));
        QCOMPARE(written[9], "set MAPFILE=\"" + workspace->map + "\"");
        QTRY_VERIFY(!window->isVisible());
    }

    // Eight instances started together by a level editor: each console must get the script of its own map, even
    // though every instance also rewrites Compile.bat.
    void concurrentRunsEachCompileTheirOwnMap()
    {
        std::vector<WindowHarness> instances(8);
        for (size_t i = 0; i < instances.size(); ++i) {
            const std::string map = workspace->temp.write("maps/map" + std::to_string(i) + ".map");
            instances[i].start(workspace->programDir(), {"+run", QString::fromStdString(map)});
        }
        std::set<std::string> scripts;
        for (size_t i = 0; i < instances.size(); ++i) {
            const std::vector<std::string>& started = instances[i].fakes->shell.started;
            QCOMPARE(started.size(), size_t{1});
            scripts.insert(started[0]);
            const ScriptLines lines = splitCrLf(readBytes(started[0]));
            QCOMPARE(lines[9], "set MAPFILE=\"" + workspace->temp.path("maps/map" + std::to_string(i) + ".map") + "\"");
        }
        QCOMPARE(scripts.size(), instances.size());
    }

#ifndef _WIN32
    // Linux file names are bytes: a name from an old archive that is not UTF-8 reaches the script byte for byte,
    // from the command line and from the map chooser. (Windows names are text in the ANSI code page.)
    void mapNamesThatAreNotUtf8KeepTheirBytes()
    {
        const std::string map = workspace->temp.write("maps/\xE9t\xE9.map");
        start({"+run", fromLocal(map)});
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(splitCrLf(readBytes(fakes->shell.started[0]))[9], "set MAPFILE=\"" + map + "\"");

        const std::string chosen = workspace->temp.write("maps/\xFC"
                                                         "ber\xFF.map");
        fakes->dialogs.openAnswers = {chosen};
        find<QPushButton>("INFSButton0")->click();
        QCOMPARE(window->goldSourcePage()->mapFile(), chosen);
        find<QToolButton>("INFSButtonRun")->click();
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(fakes->shell.started.size(), size_t{2});
        QCOMPARE(splitCrLf(readBytes(fakes->shell.started[1]))[9], "set MAPFILE=\"" + chosen + "\"");
    }

    // Every byte string survives the trip through a QString; what a file dialog shows of an undecodable name
    // finds the file again.
    void localTextCarriesEveryByte()
    {
        for (const std::string& bytes : {std::string("/maps/\xE9t\xE9.map"), std::string("\xFF\xFE\x80 \xC3"),
                 std::string("\xED\xA0\x80 \xF4\x90\x80\x80 \xC0\xAF"), std::string("caf\xC3\xA9 \xF0\x9F\x97\xBA"),
                 std::string("\x01\x7F", 2)})
            QCOMPARE(toLocal(fromLocal(bytes)), bytes);
        QCOMPARE(fromLocal("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));

        const std::string map = workspace->temp.write("maps/\xE9t\xE9 \xC3\xA9.map");
        QCOMPARE(toLocalPath(QString::fromUtf8(map)), map);
        QCOMPARE(toLocalPath(QString::fromUtf8(workspace->temp.path("maps/missing \xE9.map"))),
            workspace->temp.path("maps/missing \xEF\xBF\xBD.map"));
    }
#endif

    void runWithAMissingMapStaysOpen()
    {
        start({"+run", "nowhere.map"});
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{kTitle, "Map is not selected, please select map file...", PromptIcon::Exclamation}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(window->showsAtStart());
    }

    void aMissingMapMovesTheFocusToTheMapEdit()
    {
        start({});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        find<QLineEdit>("INFSEdit5")->setFocus();
        find<QToolButton>("INFSButtonSave")->click();
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QVERIFY(fakes->dialogs.saveRequests.empty());
        QTRY_COMPARE(QApplication::focusWidget(), find<QLineEdit>("INFSEdit0"));
    }

    void aConsoleThatCannotStartIsReported()
    {
        fakes->shell.result = {false, "No terminal emulator was found."};
        start({QString::fromStdString(workspace->map)});
        find<QToolButton>("INFSButtonRun")->click();
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0].text, std::string("No terminal emulator was found."));
        QCOMPARE(fakes->prompts.asked[0].icon, PromptIcon::Error);
    }

    void refusedCheckWritesNothing()
    {
        workspace->temp.write("program/Ferrowind/Configurations.ini", "[GSPATH]\r\nCSG=/nowhere/csg\r\n");
        fakes->prompts.answers = {PromptButton::No};
        start({QString::fromStdString(workspace->map)});
        find<QToolButton>("INFSButtonRun")->click();
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{kTitle,
                "CSG compiler initialization error! (Please select correct path)\r\nContinue compilation?",
                PromptIcon::Exclamation, {PromptButton::Yes, PromptButton::No}, PromptButton::No}));
        QVERIFY(fakes->shell.started.empty());
        QVERIFY(!std::filesystem::exists(workspace->compileBat()));
    }

    void saveAsReportsAFailedWrite()
    {
        start({QString::fromStdString(workspace->map)});
        const std::string target = workspace->temp.path("no/such/folder/x.bat");
        fakes->dialogs.saveAnswers = {SaveFileAnswer{target, 1}};
        find<QToolButton>("INFSButtonSave")->click();
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{kTitle,
                "Access error. File is not saved!\r\nUnable to write to " + target + ": its folder does not exist",
                PromptIcon::Error}));
    }

#ifndef _WIN32
    void saveAsOnAFullDiskKeepsTheOldScript()
    {
        start({QString::fromStdString(workspace->map)});
        const std::string old = "@echo off\r\necho my own tuned script\r\n";
        const std::string target = workspace->temp.write("tuned.bat", old);
        fakes->dialogs.saveAnswers = {SaveFileAnswer{target, 1}};
        {
            FullDisk disk(256);
            find<QToolButton>("INFSButtonSave")->click();
        }
        QCOMPARE(readBytes(target), old);
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        // The reason is the system's own words for a full disk.
        const PromptRequest& box = fakes->prompts.asked[0];
        QVERIFY(box.text.starts_with("Access error. File is not saved!\r\nUnable to write to " + target + ": "));
        QCOMPARE(box, (PromptRequest{kTitle, box.text, PromptIcon::Error}));
    }
#endif

    void cancelledSaveWritesNothing()
    {
        start({QString::fromStdString(workspace->map)});
        fakes->dialogs.saveAnswers = {std::nullopt};
        find<QToolButton>("INFSButtonSave")->click();
        QVERIFY(window->goldSourceScript().empty());
    }

    void beepPlaysTheSoundAndEnds()
    {
        start({"+BEEP"});
        QVERIFY(!window->showsAtStart());
        QTRY_COMPARE(fakes->sound.played, 1);
        QVERIFY(!window->isVisible());
    }

    void theConfigurationIsWrittenAtTheEnd()
    {
        start({});
        window->configuration().logViewer = "/usr/bin/viewer";
        QVERIFY(window->saveConfiguration());
        QVERIFY(fakes->prompts.asked.empty());
        const std::string ini = readBytes(workspace->temp.path("program/Ferrowind/Configurations.ini"));
        QVERIFY(ini.find("LogViewer=/usr/bin/viewer\r\n") != std::string::npos);
        QVERIFY(ini.find("CSG=" + workspace->temp.path("tools/csg") + "\r\n") != std::string::npos);
        QVERIFY(ini.find("[SYSTEMS]\r\nTextColor=7\r\nBackColor=0\r\n") != std::string::npos);
    }

    // A system-wide install: the working folders moved to the user's data folder, and a configuration the
    // program folder already held is where the user's settings start from; it is read, never written.
    void aConfigurationLeftInTheProgramFolderIsTheStartingPoint()
    {
        const std::string programIni = workspace->temp.path("program/Ferrowind/Configurations.ini");
        const std::string before = readBytes(programIni);
        const std::string userBase = workspace->temp.makeFolder("user") + "/";
        window = std::make_unique<MainWindow>(
            fakes->get(), ProgramLocation{workspace->temp.path("program/ferrowind"), userBase});
        window->start({});
        QCOMPARE(window->configuration().goldSource.csgTool, workspace->temp.path("tools/csg"));
        QVERIFY(window->saveConfiguration());
        QCOMPARE(readBytes(programIni), before);
        QVERIFY(readBytes(userBase + "Ferrowind/Configurations.ini").find("CSG=" + workspace->temp.path("tools/csg")) !=
            std::string::npos);
    }

    void configurationsOkIsWrittenAtOnceAndTheNextCompileUsesIt()
    {
        start({QString::fromStdString(workspace->map)});
        const std::string newCsg = workspace->temp.write("tools/new csg");
        fakes->dialogs.openAnswers = {newCsg};
        QTimer::singleShot(0, harness.configurations.get(), [&] {
            harness.configurations->findChild<QPushButton*>("INFSButton0")->click();
            harness.configurations->findChild<QPushButton*>("INFSOkButton")->click();
        });
        find<QToolButton>("INFSButtonConfig")->click();
        QCOMPARE(window->configuration().goldSource.csgTool, newCsg);
        const std::string ini = readBytes(workspace->temp.path("program/Ferrowind/Configurations.ini"));
        QVERIFY(ini.find("CSG=" + newCsg + "\r\n") != std::string::npos);

        find<QToolButton>("INFSButtonRun")->click();
        QVERIFY(readBytes(workspace->compileBat()).find("\"" + newCsg + "\"") != std::string::npos);
    }

    void runFromOnBothPagesOpensTheHelp()
    {
        start({});
        for (const char* button : {"INFSToolB01", "INFSToolB06"})
            find<QToolButton>(button)->click();
        QCOMPARE(fakes->prompts.asked.size(), size_t{2});
        QCOMPARE(fakes->prompts.asked[1].text, std::string("Help file is not found!"));
        const std::string readme = workspace->temp.path("program/Ferrowind/Readme.txt");
        QCOMPARE(fakes->shell.opened, (std::vector<std::string>{readme, readme}));
    }

    void aConfigurationThatCannotBeWrittenIsReported()
    {
        start({});
        const std::string ini = workspace->temp.path("program/Ferrowind/Configurations.ini");
        std::filesystem::remove(ini);
        workspace->temp.makeFolder("program/Ferrowind/Configurations.ini");
        QVERIFY(!window->saveConfiguration());
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{
                kTitle, "Unable to write to " + ini + ": it is a folder, not a regular file", PromptIcon::Error}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
