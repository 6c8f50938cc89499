#include "app/Folders.h"
#include "app/ui/AboutWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QtDialogs.h"
#include "app/ui/QtPrompts.h"
#include "app/ui/QtSound.h"
#include "editor/ui/EditorWindow.h"
#include "presets/ui/PresetWindows.h"
#include "settings/ui/SettingsWindow.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>

#ifdef _WIN32
#include "platform/win32/Win32Shell.h"
#else
#include "platform/posix/PosixShell.h"
#endif

namespace {
std::string Local(const QString& text) { return QDir::toNativeSeparators(text).toLocal8Bit().toStdString(); }
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Ferrowind");

    const std::string programFolder = Local(QCoreApplication::applicationDirPath());
#ifdef _WIN32
    Win32Shell shell;
#else
    PosixShell shell(programFolder + "/ferrowind-cmd");
#endif
    QtPrompts prompts;
    QtDialogs dialogs;
    QtSound sound;
    const ProgramLocation location{Local(QCoreApplication::applicationFilePath()),
                                   ChooseWorkingBase(programFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))};

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    // The main window comes first: its start-up runs before any other window exists.
    TWindow_Ferrowind mainWindow({prompts, dialogs, shell, sound}, location, arguments);
    prompts.SetOwner(&mainWindow);
    dialogs.SetOwner(&mainWindow);
    TWindow_Settings settingsWindow(&mainWindow);
    TWindow_Editor editorWindow(&mainWindow);
    TWindow_Presets presetsWindow(&mainWindow);
    TWindow_About aboutWindow(&mainWindow);
    TWindow_Spresets spresetsWindow(&mainWindow);
    mainWindow.AttachWindows({&settingsWindow, &editorWindow, &presetsWindow, &aboutWindow, &spresetsWindow});

    if (mainWindow.ShowsAtStart())
        mainWindow.show();
    return QApplication::exec();
}
