#pragma once

#include "app/ui/MainWindow.h"
#include "editor/ui/EditorWindow.h"
#include "tests/ui/FakeServices.h"

#include <QStringList>

#include <memory>
#include <string>

// What the window tests share: the main window on fake services, and ways to read the scripts it writes.

inline constexpr const char* kTestProgramPath = "/opt/ferrowind/ferrowind";
inline constexpr const char* kMainTitle = "Ferrowind 1.2";

// The script lines without the creation stamp, which changes from second to second.
inline ScriptLines WithoutStamp(ScriptLines lines)
{
    std::erase_if(lines, [](const std::string& line) { return line.rfind("echo File created: ", 0) == 0; });
    return lines;
}

// A written script's lines; a last line without CR LF shows up marked.
inline ScriptLines SplitCrLf(const std::string& bytes)
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
    std::unique_ptr<TWindow_Editor> editor;
    std::unique_ptr<TWindow_Ferrowind> window;

    void Start(const std::string& programDir, const QStringList& arguments)
    {
        window = std::make_unique<TWindow_Ferrowind>(fakes->Get(), ProgramLocation{kTestProgramPath, programDir}, arguments);
        editor = std::make_unique<TWindow_Editor>();
        window->AttachWindows({nullptr, editor.get(), nullptr, nullptr, nullptr});
    }

    ScriptLines EditorLines() const
    {
        ScriptLines lines;
        for (const QString& line : editor->ScriptText().split('\n'))
            lines.push_back(line.toStdString());
        return lines;
    }
};
