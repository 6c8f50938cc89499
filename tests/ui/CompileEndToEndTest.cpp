// A level designer's compile from the window with the real Half-Life compile tools: the tools, the WAD root and the
// output folder picked in Configurations, a map chosen, "Compile" pressed. The console is a stand-in: ferrowind-cmd
// runs the script's private copy in a folder that is neither the map's nor the tools', with the answers to its
// prompts from a file. What the compile leaves on disk is checked afterwards.
#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "support/BoundedRun.h"
#include "support/CompileTools.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace ferrowind;

namespace fs = std::filesystem;

namespace {
std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
} // namespace

class CompileEndToEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<MainWindow>& window = harness.window;

    template <typename T> T* find(const char* name)
    {
        T* widget = window->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }

    // The "..." buttons of Configurations, answered as the user would, then "Ok".
    void configureAsAUser(const std::string& wadRoot)
    {
        const std::string tools = goldSourceToolsDir() + "/";
        fakes->dialogs.openAnswers = {tools + "sdHLCSG", tools + "sdHLBSP", tools + "sdHLVIS", tools + "sdHLRAD"};
        fakes->dialogs.folderAnswers = {wadRoot + "/", temp->makeFolder("out") + "/"};
        QTimer::singleShot(0, harness.configurations.get(), [this] {
            for (const char* button : {"INFSButton0", "INFSButton1", "INFSButton3", "INFSButton4", "INFSButton6",
                     "INFSButton2", "INFSOkButton"})
                harness.configurations->findChild<QPushButton*>(button)->click();
        });
        find<QToolButton>("INFSButtonConfig")->click();
    }

    // The Half-Life page's compile of `map`, the game left out (none is configured here).
    void compileFromThePage(const std::string& map)
    {
        fakes->dialogs.openAnswers = {map};
        find<QPushButton>("INFSButton0")->click();
        find<QLineEdit>("INFSEdit4")->setText(kQuickRadParams);
        find<QCheckBox>("INFSChb_HL")->setChecked(false);
        find<QToolButton>("INFSButtonRun")->click();
    }

    // What the terminal does with the script just started; returns ferrowind-cmd's exit code.
    int runConsole()
    {
        if (fakes->shell.started.empty())
            return -1;
        const std::string command = "cd " + shellQuoted(temp->makeFolder("console")) + " && " +
            shellQuoted(FERROWIND_CMD) + " " + shellQuoted(fakes->shell.started.back()) + " < /dev/null > " +
            shellQuoted(temp->path("console.txt")) + " 2>&1";
        const testsupport::BoundedRun run = testsupport::runShellBounded(command, testsupport::kToolLimit);
        if (!run.failure.empty())
            qWarning("%s", run.failure.c_str());
        return run.exitCode;
    }

    // The message boxes shown so far, for a failure message; none is expected.
    QByteArray asked() const
    {
        QByteArray texts;
        for (const PromptRequest& request : fakes->prompts.asked)
            texts += QByteArray::fromStdString(request.text) + '\n';
        return texts;
    }

    QByteArray console() const { return QByteArray::fromStdString(readBytes(temp->path("console.txt"))); }

private slots:
    void init()
    {
        if (!haveGoldSourceTools())
            QSKIP(goldSourceToolsMissing().c_str());
        temp = std::make_unique<TempFolder>();
        fakes = std::make_unique<FakeServices>();
        harness.start(temp->makeFolder("program"), {});
    }

    void cleanup()
    {
        window.reset();
        harness.editor.reset();
        harness.configurations.reset();
        fakes.reset();
        temp.reset();
    }

    // The map names its WAD by the path of the machine it was made on; the tools find it in <WAD root>/valve/,
    // the WAD root named as a level designer's disk may name it: with a blank, '&', '%' and letters beyond ASCII.
    void firstCompileFindsTheWadThroughTheWadRoot()
    {
        const std::string wadRoot = temp->path("Half-Life & 100% \xC3\xBCn\xC3\xAF");
        temp->write(wadRoot + "/valve/boxroom.wad", readBytes(boxRoomFixture("boxroom.wad")));
        const std::string map = temp->write("maps/room.map", boxRoomMap("/home/someone/half-life/valve/boxroom.wad"));
        configureAsAUser(wadRoot);
        compileFromThePage(map);
        QVERIFY2(fakes->prompts.asked.empty(), asked().constData());
        QVERIFY2(runConsole() == 0, console().constData());
        QVERIFY2(fs::exists(temp->path("out/room.bsp")), console().constData());
        QVERIFY(!console().contains("ERROR ERROR"));
        QVERIFY(fs::is_empty(temp->path("console")));
    }

    // A shared .bsp decompiled by the embedded tool through Decompile.bat into the WAD root, where the tools find
    // the extracted WAD the map names, then compiled again through the Half-Life page's script.
    void aDecompiledMapCompilesAgain()
    {
        const std::string bsp = temp->write("downloads/boxroom.bsp", readBytes(boxRoomFixture("boxroom.bsp")));
        const std::string wadRoot = temp->makeFolder("half-life");
        configureAsAUser(wadRoot);

        window->pages()->setCurrentIndex(1);
        fakes->dialogs.openAnswers = {bsp};
        find<QPushButton>("INFSButton01")->click();
        fakes->dialogs.folderAnswers = {wadRoot + "/"};
        find<QPushButton>("INFSButton02")->click();
        find<QCheckBox>("INFSChD1")->setChecked(true);
        find<QToolButton>("INFSTool_Dec")->click();
        QVERIFY2(fakes->prompts.asked.empty(), asked().constData());
        QVERIFY2(runConsole() == 0, console().constData());
        QVERIFY2(fs::exists(wadRoot + "/boxroom.map"), console().constData());
        QVERIFY(fs::exists(wadRoot + "/boxroom_btm.wad"));

        window->pages()->setCurrentIndex(0);
        compileFromThePage(wadRoot + "/boxroom.map");
        QVERIFY2(fakes->prompts.asked.empty(), asked().constData());
        QVERIFY2(runConsole() == 0, console().constData());
        QVERIFY2(fs::exists(temp->path("out/boxroom.bsp")), console().constData());
    }
};

QTEST_MAIN(CompileEndToEndTest)
#include "CompileEndToEndTest.moc"
