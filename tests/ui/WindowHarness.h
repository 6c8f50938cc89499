#pragma once

#include "FakeServices.h"
#include "app/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "settings/ui/ConfigurationsWindow.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>

// What the window tests share: the main window on fake services, and ways to read the scripts it writes.
namespace ferrowind {

inline constexpr const char* kTestProgramPath = "/opt/ferrowind/ferrowind";
inline constexpr const char* kMainTitle = "Ferrowind 1.2";

// The script lines without the creation stamp, which changes from second to second.
inline ScriptLines withoutStamp(ScriptLines lines)
{
    std::erase_if(lines, [](const std::string& line) { return line.rfind("echo File created: ", 0) == 0; });
    return lines;
}

// A written script's lines; a last line without CR LF shows up marked.
inline ScriptLines splitCrLf(const std::string& bytes)
{
    ScriptLines lines;
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    if (start != bytes.size())
        lines.push_back("<unterminated>" + bytes.substr(start));
    return lines;
}

// The main window started with arguments in a program folder, and the batch editor attached to it.
struct WindowHarness {
    std::unique_ptr<FakeServices> fakes = std::make_unique<FakeServices>();
    std::unique_ptr<EditorWindow> editor;
    std::unique_ptr<ConfigurationsWindow> configurations;
    std::unique_ptr<MainWindow> window;

    void start(const std::string& programDir, const QStringList& arguments)
    {
        window = std::make_unique<MainWindow>(fakes->get(), ProgramLocation{kTestProgramPath, programDir});
        editor = std::make_unique<EditorWindow>(fakes->get(), window->folders());
        configurations = std::make_unique<ConfigurationsWindow>(fakes->dialogs);
        window->attachWindows({configurations.get(), editor.get(), nullptr, nullptr, nullptr});
        window->start(arguments);
    }

    // Presses a button that shows a window modally, and reports what that window shows before closing it.
    template <typename Inspect> void pressAndInspectModal(QAbstractButton* button, QDialog* modal, Inspect inspect)
    {
        bool shown = false;
        QTimer::singleShot(0, modal, [&] {
            shown = modal->isVisible();
            inspect();
            modal->reject();
        });
        button->click();
        QVERIFY(shown);
    }

    ScriptLines editorLines() const
    {
        ScriptLines lines;
        for (const QString& line : editor->scriptText().split('\n'))
            lines.push_back(line.toStdString());
        return lines;
    }
};

} // namespace ferrowind
