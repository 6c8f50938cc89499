// The decompile page on Windows with the real shell: the embedded decompiler is written out from the program's
// own resource, and Decompile.bat runs it in the system's command interpreter on a shared .bsp file.
#include "FakeServices.h"
#include "app/MainWindow.h"
#include "decompile/ui/DecompilePage.h"
#include "platform/win32/Win32Shell.h"
#include "support/TempFolder.h"

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

// Waits until the command interpreters this process started, and every program those started, have ended (the
// shell hands back no process to wait for). Wine's own services may also count this process as their parent:
// only interpreters are followed from here. False when some still run after the bound.
bool waitForScripts()
{
    std::set<DWORD> family;
    for (int waited = 0; waited < kLongestWaitMs; waited += 200) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        bool running = false;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            const bool interpreter =
                entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiW(entry.szExeFile, L"cmd.exe") == 0;
            if (interpreter || family.count(entry.th32ParentProcessID) != 0)
                family.insert(entry.th32ProcessID);
            running = running || family.count(entry.th32ProcessID) != 0;
        }
        CloseHandle(snapshot);
        if (!running)
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
            ProgramLocation{temp->path("program\\ferrowind.exe"), temp->makeFolder("program")});
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
        // No '%': the decompile script writes paths unescaped, and the interpreter drops a lone '%'.
        QTest::newRow("folder with command characters, textures") << "R&D (maps) ^y" << true;
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
        QVERIFY2(fakes.prompts.asked.empty(), fakes.prompts.asked.empty() ? "" : fakes.prompts.asked[0].text.c_str());
        QCOMPARE(readBytes(tool), readBytes(FERROWIND_BSPTWOMAP));
        QVERIFY(!std::filesystem::exists(window->folders().tempDir + "BspTwoMap.zip"));

        QVERIFY2(waitForScripts(), "Decompile.bat did not finish");
        const std::string map = readBytes(maps + "\\boxroom.map");
        const std::string script = readBytes(window->folders().tempDir + "Decompile.bat");
        QVERIFY2(map.find("\"classname\" \"worldspawn\"") != std::string::npos, script.c_str());
        QVERIFY(map.find("\"classname\" \"info_player_start\"") != std::string::npos);
        QCOMPARE(std::filesystem::exists(maps + "\\boxroom_btm.wad"), textures);
        // The script tidies the decompiler's log away.
        QVERIFY(!std::filesystem::exists(maps + "\\boxroom.log"));
        QVERIFY(!std::filesystem::exists(maps + "\\boxroom.err"));
    }
};

QTEST_MAIN(WindowsDecompileTest)
#include "WindowsDecompileTest.moc"
