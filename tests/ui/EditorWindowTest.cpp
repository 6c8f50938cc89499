#include "editor/ui/EditorWindow.h"
#include "WindowHarness.h"
#include "editor/ui/BatchHighlighter.h"
#include "editor/ui/BatchTextEdit.h"
#include "script/ScriptFiles.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QMenu>
#include <QPlainTextDocumentLayout>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>

#include <filesystem>
#include <memory>

using namespace ferrowind;

namespace {

const char* kScript = "@echo off\r\n::Run bsp\r\nhlbsp \"%MAPPATH%\"";

// Counts the lines it colours.
class CountingHighlighter : public BatchHighlighter {
public:
    using BatchHighlighter::BatchHighlighter;
    int coloured = 0;

protected:
    void highlightBlock(const QString& text) override
    {
        ++coloured;
        BatchHighlighter::highlightBlock(text);
    }
};

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    std::unique_ptr<FakeServices> fakes;
    std::unique_ptr<EditorWindow> editor;

    WorkingFolders folders() const { return foldersUnder(temp->path()); }
    std::string compileBat() const { return folders().tempDir + "Compile.bat"; }
    BatchTextEdit* text() const { return editor->findChild<BatchTextEdit*>("INFSBatEdit"); }

    QAction* action(const char* name) const
    {
        QAction* found = editor->findChild<QAction*>(name);
        if (found == nullptr)
            qFatal("missing menu item %s", name);
        return found;
    }

    // The enabled items of a menu after it opens, separators left out.
    QStringList offered(const char* menuName) const
    {
        QMenu* menu = editor->findChild<QMenu*>(menuName);
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator() && item->isEnabled())
                items << item->objectName();
        }
        return items;
    }

    void selectFirstWord()
    {
        QTextCursor cursor = text()->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        text()->setTextCursor(cursor);
    }

    // Types at the start of the text, as the keyboard does.
    void typeAtStart(const QString& keys)
    {
        QTextCursor cursor = text()->textCursor();
        cursor.setPosition(0);
        text()->setTextCursor(cursor);
        QTest::keyClicks(text(), keys);
    }

private slots:
    void init()
    {
        temp = std::make_unique<TempFolder>();
        fakes = std::make_unique<FakeServices>();
        editor = std::make_unique<EditorWindow>(fakes->get(), folders());
        editor->setScriptText(kScript);
    }

    void cleanup()
    {
        editor.reset();
        fakes.reset();
        temp.reset();
    }

    void startsReadOnlyWithItsLayout()
    {
        QCOMPARE(editor->windowTitle(), QString("Batch Editor"));
        QCOMPARE(editor->objectName(), QString("Window_Editor"));
        QVERIFY(text()->isReadOnly());
        QCOMPARE(text()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(action("INFSMI14")->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(action("INFSMI10")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));

        editor->show();
        typeAtStart("x");
        QCOMPARE(editor->scriptText(), QString(kScript).replace("\r\n", "\n"));
    }

    void menusOfferWhatTheStateAllows()
    {
        struct Case {
            bool editable;
            bool selection;
            QStringList edit;
            QStringList popup;
        };
        const Case cases[] = {
            {false, false, {"INFSMI11", "INFSMI13"}, {"INFSMI4", "INFSMI6"}},
            {false, true, {"INFSMI7", "INFSMI11", "INFSMI13"}, {"INFSMI0", "INFSMI4", "INFSMI6"}},
            {true, false, {"INFSMI18", "INFSMI19", "INFSMI9", "INFSMI11", "INFSMI13"},
                {"INFSMI2", "INFSMI4", "INFSMI6"}},
            {true, true, {"INFSMI18", "INFSMI19", "INFSMI7", "INFSMI8", "INFSMI9", "INFSMI10", "INFSMI11", "INFSMI13"},
                {"INFSMI0", "INFSMI1", "INFSMI2", "INFSMI3", "INFSMI4", "INFSMI6"}},
        };
        for (const Case& c : cases) {
            text()->setEditable(c.editable);
            if (c.selection)
                selectFirstWord();
            else
                text()->moveCursor(QTextCursor::End);
            QCOMPARE(offered("INFSMI_1"), c.edit);
            QCOMPARE(offered("PMenu"), c.popup);
            QCOMPARE(action("INFSMI13")->isChecked(), !c.editable);
            QCOMPARE(action("INFSMI6")->isChecked(), !c.editable);
        }
    }

    void readOnlyTogglesFromEitherMenuAndLasts()
    {
        editor->show();
        action("INFSMI13")->trigger();
        QVERIFY(!text()->isReadOnly());
        offered("PMenu");
        QVERIFY(!action("INFSMI6")->isChecked());
        typeAtStart("x");
        QVERIFY(editor->scriptText().startsWith("x@echo"));
        selectFirstWord();
        offered("PMenu");
        action("INFSMI3")->trigger();
        QVERIFY(editor->scriptText().startsWith("o off\n::Run"));
        action("INFSMI18")->trigger();
        QVERIFY(editor->scriptText().startsWith("x@echo"));

        editor->hide();
        editor->show();
        QVERIFY(!text()->isReadOnly());

        action("INFSMI6")->trigger();
        QVERIFY(text()->isReadOnly());
        offered("INFSMI_1");
        QVERIFY(action("INFSMI13")->isChecked());
        // Commands taken while read-only change nothing, whatever the menus last offered.
        const QString before = editor->scriptText();
        selectFirstWord();
        for (const char* name : {"INFSMI18", "INFSMI10", "INFSMI8", "INFSMI9"})
            action(name)->trigger();
        QCOMPARE(editor->scriptText(), before);
    }

    void runWritesAndStartsTheShownText()
    {
        text()->setEditable(true);
        editor->show();
        typeAtStart("rem edited");
        QTest::keyClick(text(), Qt::Key_Return);
        action("INFSMI14")->trigger();
        QCOMPARE(readBytes(compileBat()), std::string("rem edited\r\n") + kScript);
        QCOMPARE(fakes->shell.started.size(), size_t{1});
        QCOMPARE(readBytes(fakes->shell.started[0]), readBytes(compileBat()));

        editor->setScriptText("");
        action("INFSMI14")->trigger();
        QCOMPARE(readBytes(compileBat()), std::string());
        QCOMPARE(fakes->shell.started.size(), size_t{2});
        QVERIFY(fakes->prompts.asked.empty());
    }

    void runFailuresAreToldWithTheirReason()
    {
        temp->write("Ferrowind", "a file where the working folder belongs");
        action("INFSMI14")->trigger();
        QVERIFY(fakes->shell.started.empty());
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0].icon, PromptIcon::Error);
        QVERIFY(fakes->prompts.asked[0].text.starts_with("Unable to write to " + temp->path("Ferrowind")));

        std::filesystem::remove(temp->path("Ferrowind"));
        fakes->prompts.asked.clear();
        fakes->shell.result = {false, "No terminal emulator was found."};
        action("INFSMI14")->trigger();
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        QCOMPARE(fakes->prompts.asked[0],
            (PromptRequest{"Batch Editor", "No terminal emulator was found.", PromptIcon::Error}));
    }

    void saveAsNamesTheFileByTheFilter()
    {
        const std::string box = temp->path("box");
        struct Case {
            SaveFileAnswer answer;
            std::string written;
        };
        const Case cases[] = {{{box, 1}, box + ".bat"}, {{box + ".cmd", 1}, box + ".cmd.bat"},
            {{box + ".BAT", 1}, box + ".BAT"}, {{box, 2}, box}};
        for (const Case& c : cases)
            fakes->dialogs.saveAnswers.push_back(c.answer);
        fakes->dialogs.saveAnswers.push_back(std::nullopt);
        for (size_t i = 0; i <= std::size(cases); ++i)
            action("INFSMI15")->trigger();

        for (const Case& c : cases)
            QCOMPARE(readBytes(c.written), std::string(kScript));
        QVERIFY(!std::filesystem::exists(box + ".cmd"));
        QCOMPARE(fakes->dialogs.saveRequests[0].filter, std::string(kSaveFilter));
        QCOMPARE(fakes->dialogs.saveRequests[0].fileName, std::string());
        QCOMPARE(fakes->dialogs.saveRequests[4].fileName, box);
        QVERIFY(fakes->prompts.asked.empty());
    }

    void saveAsFailureKeepsTheOldFile()
    {
        const std::string old = temp->write("old.bat", "old script");
        const std::string failed = "Access error. File is not saved!\r\nUnable to write to ";
#ifndef _WIN32
        fakes->dialogs.saveAnswers = {SaveFileAnswer{old, 1}};
        {
            FullDisk disk(4);
            action("INFSMI15")->trigger();
        }
        QCOMPARE(fakes->prompts.asked.size(), size_t{1});
        // A full disk is told in the system's own words.
        const PromptRequest fullDisk = fakes->prompts.asked[0];
        QVERIFY(fullDisk.text.starts_with(failed + old + ": "));
        QCOMPARE(fullDisk, (PromptRequest{"Batch Editor", fullDisk.text, PromptIcon::Error}));
        fakes->prompts.asked.clear();
#endif
        fakes->dialogs.saveAnswers.push_back(SaveFileAnswer{temp->path("no/such/x.bat"), 1});
        action("INFSMI15")->trigger();
        QCOMPARE(readBytes(old), std::string("old script"));
        QCOMPARE(fakes->prompts.asked,
            (std::vector<PromptRequest>{{"Batch Editor",
                failed + temp->path("no/such/x.bat") + ": its folder does not exist", PromptIcon::Error}}));
        QCOMPARE(editor->scriptText(), QString(kScript).replace("\r\n", "\n"));
    }

    void closeHidesThenClearsButTheCloseBoxKeepsTheText()
    {
        editor->show();
        editor->close();
        QVERIFY(!editor->isVisible());
        QVERIFY(!editor->scriptText().isEmpty());

        editor->show();
        QTest::keyClick(text(), Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        action("INFSMI17")->trigger();
        QVERIFY(!editor->isVisible());
        QVERIFY(editor->scriptText().isEmpty());
    }

    void tokensAreColouredWhereTheyStand()
    {
        editor->setScriptText(QString::fromUtf8("echo \xF0\x9D\x84\x9E ñ %MAP% 12 ::x"));
        const QList<QTextLayout::FormatRange> ranges = text()->document()->firstBlock().layout()->formats();
        struct Expected {
            int start;
            int length;
            QColor colour;
            bool bold;
        };
        const Expected expected[] = {{0, 4, QColor(0, 128, 0), false}, {5, 2, Qt::black, false},
            {8, 1, Qt::black, false}, {10, 5, QColor(136, 19, 145), true}, {16, 2, QColor(28, 0, 207), false},
            {19, 3, QColor(128, 128, 128), false}};
        QCOMPARE(ranges.size(), qsizetype(std::size(expected)));
        for (qsizetype i = 0; i < ranges.size(); ++i) {
            QCOMPARE(ranges[i].start, expected[i].start);
            QCOMPARE(ranges[i].length, expected[i].length);
            QCOMPARE(ranges[i].format.foreground().color(), expected[i].colour);
            QCOMPARE(ranges[i].format.fontWeight() == QFont::Bold, expected[i].bold);
        }
    }

    void typingRecoloursOnlyTheTouchedLine()
    {
        QTextDocument document;
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        QStringList lines;
        for (int i = 0; i < 10000; ++i)
            lines << "if exist \"%MAPPATH%.bsp\" copy \"%MAPPATH%.bsp\" \"C:\\out\\\"";
        document.setPlainText(lines.join('\n'));
        CountingHighlighter highlighter(&document, editorBatchStyles());
        QCoreApplication::processEvents();
        QCOMPARE(highlighter.coloured, 10000);

        highlighter.coloured = 0;
        QTextCursor cursor(document.findBlockByNumber(5000));
        cursor.insertText("rem ");
        QCOMPARE(highlighter.coloured, 1);
        cursor.insertText("\n");
        QVERIFY(highlighter.coloured <= 3);
    }

    void gutterWidensWithTheLineCount()
    {
        editor->setScriptText("a");
        const int twoDigits = text()->gutterWidth();
        editor->setScriptText(QString("a\n").repeated(99));
        QCOMPARE(text()->gutterWidth(), twoDigits);
        editor->setScriptText(QString("a\n").repeated(1000));
        QVERIFY(text()->gutterWidth() > twoDigits);
        QCOMPARE(text()->gutter()->width(), text()->gutterWidth());
    }
};

// Reaching the editor from the main window's pages.
class EditorFromPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    WindowHarness harness;

private slots:
    void init() { temp = std::make_unique<TempFolder>(); }
    void cleanup()
    {
        harness.window.reset();
        harness.editor.reset();
        temp.reset();
    }

    void closeThenBatchEditorShowsTheFreshScript()
    {
        harness.start(temp->path(), {});
        auto* button = harness.window->findChild<QToolButton*>("INFSButtonEditor");
        EditorWindow* editor = harness.editor.get();
        bool shown = false;
        QTimer::singleShot(0, editor, [&] {
            editor->findChild<QAction*>("INFSMI17")->trigger();
            shown = true;
        });
        button->click();
        QVERIFY(shown);
        QVERIFY(editor->scriptText().isEmpty());

        harness.pressAndInspectModal(
            button, editor, [&] { QCOMPARE(harness.editorLines(), harness.window->goldSourceScript()); });
    }
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    EditorWindowTest editorWindow;
    EditorFromPagesTest fromPages;
    return QTest::qExec(&editorWindow, argc, argv) | QTest::qExec(&fromPages, argc, argv);
}

#include "EditorWindowTest.moc"
