#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "base/ProgramOptions.h"
#include "config/CommandLine.h"
#include "config/WorkingFolders.h"
#include "editor/ui/EditorWindow.h"
#include "platform/StartFolders.h"
#include "presets/ui/PresetWindows.h"
#include "settings/ui/ConfigurationsWindow.h"
#include "ui/LocalText.h"
#include "ui/Logo.h"
#include "ui/QtDialogs.h"
#include "ui/QtPrompts.h"

#include <QApplication>

#include <iostream>

#ifdef _WIN32
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#else
#include "platform/posix/PosixShell.h"
#include "ui/ModuleSound.h"
#endif

using namespace ferrowind;

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so they work without a display.
    if (const auto answer = base::programOptionAnswer({argv + 1, argv + argc}, "ferrowind", kDesktopUsage)) {
        std::cout << *answer;
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Ferrowind");
    // Ties the windows to the installed desktop entry, whose icon the desktop shows for them.
    QGuiApplication::setDesktopFileName("org.ferrowind.Ferrowind");
    setWindowIconAtFirstShow(application);

    const std::string programFolder = toLocalPath(QCoreApplication::applicationDirPath());
#ifdef _WIN32
    Win32Shell shell;
    Win32Sound sound;
#else
    PosixShell shell(programFolder + "/ferrowind-cmd");
    ModuleSound sound(soundModuleFolders(QCoreApplication::applicationDirPath()));
#endif
    QtPrompts prompts;
    QtDialogs qtDialogs;
    StartFolders dialogs(qtDialogs);
    const std::string workingBase = workingBaseFromEnvironment(programFolder);
    const ProgramLocation location{toLocalPath(QCoreApplication::applicationFilePath()), workingBase};

    MainWindow mainWindow({prompts, dialogs, shell, sound}, location);
    prompts.setOwner(&mainWindow);
    qtDialogs.setOwner(&mainWindow);

    // Taken from argv: QCoreApplication::arguments() loses the bytes of file names that are not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << fromLocal(argv[i]);
    mainWindow.start(arguments);
    if (mainWindow.showsAtStart()) {
        // The other windows only when the program stays: a "+run" or "+beep" start ends without showing any.
        // The main window owns them.
        mainWindow.attachWindows({new ConfigurationsWindow(dialogs, &mainWindow),
            new EditorWindow({prompts, dialogs, shell, sound}, mainWindow.folders(), &mainWindow),
            new GoldSourcePresetsWindow(&mainWindow), new AboutWindow(shell, &mainWindow),
            new SourcePresetsWindow(&mainWindow)});
        mainWindow.show();
    }
    const int exitCode = QApplication::exec();
    mainWindow.saveConfiguration();
    return exitCode;
}
