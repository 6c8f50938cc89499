#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "config/WorkingFolders.h"
#include "editor/ui/EditorWindow.h"
#include "presets/ui/PresetWindows.h"
#include "settings/ui/ConfigurationsWindow.h"
#include "ui/LocalText.h"
#include "ui/QtDialogs.h"
#include "ui/QtPrompts.h"

#include <QApplication>

#ifdef _WIN32
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#else
#include "platform/posix/PosixShell.h"
#include "ui/QtSound.h"
#endif

using namespace ferrowind;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Ferrowind");

    const std::string programFolder = toLocalPath(QCoreApplication::applicationDirPath());
#ifdef _WIN32
    Win32Shell shell;
    Win32Sound sound;
#else
    PosixShell shell(programFolder + "/ferrowind-cmd");
    QtSound sound;
#endif
    QtPrompts prompts;
    QtDialogs dialogs;
    const std::string workingBase = workingBaseFromEnvironment(programFolder);
    const ProgramLocation location{toLocalPath(QCoreApplication::applicationFilePath()), workingBase};

    MainWindow mainWindow({prompts, dialogs, shell, sound}, location);
    prompts.setOwner(&mainWindow);
    dialogs.setOwner(&mainWindow);
    ConfigurationsWindow configurationsWindow(dialogs, &mainWindow);
    EditorWindow editorWindow({prompts, dialogs, shell, sound}, mainWindow.folders(), &mainWindow);
    GoldSourcePresetsWindow goldSourcePresetsWindow(&mainWindow);
    AboutWindow aboutWindow(shell, &mainWindow);
    SourcePresetsWindow sourcePresetsWindow(&mainWindow);
    mainWindow.attachWindows(
        {&configurationsWindow, &editorWindow, &goldSourcePresetsWindow, &aboutWindow, &sourcePresetsWindow});

    // Taken from argv: QCoreApplication::arguments() loses the bytes of file names that are not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << fromLocal(argv[i]);
    mainWindow.start(arguments);
    if (mainWindow.showsAtStart())
        mainWindow.show();
    const int exitCode = QApplication::exec();
    mainWindow.saveConfiguration();
    return exitCode;
}
