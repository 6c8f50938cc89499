// The decompile page on Windows with the real shell: the embedded decompiler is written out from the program's
// own resource, and Decompile.bat runs it in the system's command interpreter on a shared .bsp file.
#include "app/MainWindow.h"
#include "decompile/ui/DecompilePage.h"
#include "platform/win32/Win32Shell.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/FakeServices.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <windows.h>

#include <tlhelp32.h>

#include <filesystem>
#include <memory>
#include <set>

using namespace ferrowind;

namespace {
const std::string kSharedBsp = std::string(FERROWIND_SOURCE_DIR) + "/../shared/fixtures/bsp/boxroom.bsp";
// Generous: Wine starts a console and the decompiler on a loaded machine.
constexpr int kLongestWaitMs = 120000;

// Waits until every process this one started, and the ones those started, has ended (the console that runs
// the script is not a child the shell hands back). False when some still run after the bound.
bool waitForDescendants()
{
    std::set<DWORD> family{GetCurrentProcessId()};
    for (int waited = 0; waited < kLongestWaitMs; waited += 200) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        std::set<DWORD> alive;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            if (family.count(entry.th32ParentProcessID) != 0 && entry.th32ProcessID != GetCurrentProcessId()) {
                family.insert(entry.th32ProcessID);
                alive.insert(entry.th32ProcessID);
            } else if (family.count(entry.th32ProcessID) != 0 && entry.th32ProcessID != GetCurrentProcessId()) {
                alive.insert(entry.th32ProcessID);
            }
        }
        CloseHandle(snapshot);
        if (alive.empty())
            return true;
        QTest::qWait(200);
    }
    return false;
}
} // namespace

class WindowsDecompileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    FakeServices fakes;
    Win32Shell shell;
    std::unique_ptr<MainWindow> window;

    template <typename T> T* find(const char* name) { return window->decompilePage()->findChild<T*>(name); }

private slots:
    void init()
    {
        temp = std::make_unique<TempFolder>();
        window = std::make_unique<MainWindow>(Services{fakes.prompts, fakes.dialogs, shell, fakes.sound},
            ProgramLocation{temp->path("program\\ferrowind.exe"), temp->path("program")});
        window->start({});
    }

    void cleanup()
    {
        window.reset();
        temp.reset();
    }

    void decompilesASharedMapInTheCommandInterpreter_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("textures");
        QTest::newRow("plain folder, map only") << "maps" << false;
        QTest::newRow("folder with command characters, textures")
            << QString::fromStdString(kCommandCharacterFolder) << true;
    }

    void decompilesASharedMapInTheCommandInterpreter()
    {
        QFETCH(QString, folder);
        QFETCH(bool, textures);
        const std::string maps = temp->makeFolder(folder.toStdString());
        std::filesystem::copy_file(kSharedBsp, maps + "\\boxroom.bsp");
        const std::string tool = window->folders().tempDir + "BspTwoMap.exe";
        QVERIFY(!std::filesystem::exists(tool));

        fakes.dialogs.openAnswers = {maps + "\\boxroom.bsp"};
        find<QPushButton>("INFSButton01")->click();
        find<QCheckBox>("INFSChD1")->setChecked(textures);
        find<QToolButton>("INFSTool_Dec")->click();
        QVERIFY(fakes.prompts.asked.empty());
        QCOMPARE(readBytes(tool), readBytes(FERROWIND_BSPTWOMAP));
        QVERIFY(!std::filesystem::exists(window->folders().tempDir + "BspTwoMap.zip"));

        QVERIFY2(waitForDescendants(), "Decompile.bat did not finish");
        const std::string map = readBytes(maps + "\\boxroom.map");
        QVERIFY2(map.find("\"classname\" \"worldspawn\"") != std::string::npos, map.c_str());
        QVERIFY(map.find("\"classname\" \"info_player_start\"") != std::string::npos);
        QCOMPARE(std::filesystem::exists(maps + "\\boxroom_btm.wad"), textures);
        // The script tidies the decompiler's log away.
        QVERIFY(!std::filesystem::exists(maps + "\\boxroom.log"));
        QVERIFY(!std::filesystem::exists(maps + "\\boxroom.err"));
    }
};

QTEST_MAIN(WindowsDecompileTest)
#include "WindowsDecompileTest.moc"
