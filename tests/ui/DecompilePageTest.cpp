#include "decompile/ui/DecompilePage.h"
#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "base/Paths.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <filesystem>
#include <memory>

using namespace ferrowind;

namespace {
const std::string kBspHead = std::string("\x1E\0\0\0", 4) + std::string(128, '\0');
const char* kOptions[] = {"INFSChD1", "INFSChD6", "INFSChD2", "INFSChD5"};
} // namespace

class DecompilePageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    WindowHarness harness;
    std::unique_ptr<FakeServices>& fakes = harness.fakes;
    std::unique_ptr<MainWindow>& window = harness.window;

    template <typename T> T* find(const char* name)
    {
        T* widget = window->decompilePage()->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    QString text(const char* edit) { return find<QLineEdit>(edit)->text(); }
    std::string tempDir() const { return window->folders().tempDir; }
    std::string bsp(const std::string& relative) { return temp->write(relative, kBspHead); }

    // Files dropped from the desktop onto a widget; false when it refused them on entering.
    bool drop(QWidget* target, const std::vector<std::string>& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        return true;
    }
    QWidget* dropPanel() { return find<QWidget>("INFSDragTop"); }

private slots:
    void init()
    {
        temp = std::make_unique<TempFolder>();
        fakes = std::make_unique<FakeServices>();
        harness.start(temp->path("program"), {});
        temp->write("program/Ferrowind/Temp/BspTwoMap.exe", "tool");
    }

    void cleanup()
    {
        window.reset();
        harness.editor.reset();
        fakes.reset();
        temp.reset();
    }

    void controlsStartEmptyAndOnlyThePanelTakesDrops()
    {
        QCOMPARE(find<QToolButton>("INFSTool_Dec")->text(), QString("Decompile"));
        QCOMPARE(find<QPushButton>("INFSButton04")->text(), QString("Default"));
        for (const char* name : kOptions)
            QVERIFY(!find<QCheckBox>(name)->isChecked());
        for (const char* name : {"INFSBspFileEdit", "INFSDecOutDir"}) {
            QVERIFY(text(name).isEmpty());
            QVERIFY(find<QLineEdit>(name)->isReadOnly());
        }
        QVERIFY(dropPanel()->acceptDrops());
        QVERIFY(!window->acceptDrops());
        QVERIFY(!window->decompilePage()->acceptDrops());
        for (QWidget* widget : window->decompilePage()->findChildren<QWidget*>())
            QVERIFY2(widget == dropPanel() || !widget->acceptDrops(), qPrintable(widget->objectName()));
    }

    void dropTakesTheFirstFileOnly()
    {
        const std::string first = bsp("maps/first.bsp");
        QVERIFY(drop(dropPanel(), {first, bsp("other/second.bsp"), bsp("other/third.bsp")}));
        QCOMPARE(text("INFSBspFileEdit"), QString::fromStdString(first));
        QCOMPARE(text("INFSDecOutDir"), QString::fromStdString(temp->path("maps") + base::kPathSeparator));
        QVERIFY(fakes->prompts.asked.empty());
        QVERIFY(fakes->shell.started.empty());
    }

    void droppedMapFileIsIgnored()
    {
        const std::string first = bsp("maps/first.bsp");
        QVERIFY(drop(dropPanel(), {first}));
        QVERIFY(drop(dropPanel(), {temp->write("other/first.map"), bsp("other/second.bsp")}));
        QCOMPARE(text("INFSBspFileEdit"), QString::fromStdString(first));
        QVERIFY(fakes->prompts.asked.empty());
    }

    void autoDecompileStartsOnDropAndOnChoosing()
    {
        find<QCheckBox>("INFSChD2")->setChecked(true);
        QVERIFY(drop(dropPanel(), {bsp("maps/box.bsp")}));
        QCOMPARE(fakes->shell.started.size(), size_t(1));
        QVERIFY(std::filesystem::exists(tempDir() + "Decompile.bat"));

        const std::string old = temp->write("maps/old.bsp", std::string("\x1D\0\0\0", 4) + std::string(128, '\0'));
        fakes->dialogs.openAnswers = {old, old};
        fakes->prompts.answers = {PromptButton::No, PromptButton::Yes};
        find<QPushButton>("INFSButton01")->click();
        QCOMPARE(fakes->dialogs.openRequests.at(0).filter, std::string("Bsp files (*.bsp)|*.bsp"));
        QCOMPARE(fakes->dialogs.openRequests.at(0).initialDir, temp->path("maps/box.bsp"));
        QCOMPARE(fakes->dialogs.openRequests.at(0).kind, FileKind::Bsp);
        QCOMPARE(fakes->prompts.asked.at(0).text, std::string("File version is not 30! Continue?"));
        QCOMPARE(text("INFSBspFileEdit"), QString::fromStdString(temp->path("maps/box.bsp")));
        QCOMPARE(fakes->shell.started.size(), size_t(1));
        find<QPushButton>("INFSButton01")->click();
        QCOMPARE(text("INFSBspFileEdit"), QString::fromStdString(old));
        QCOMPARE(fakes->shell.started.size(), size_t(2));
    }

    void pickedOutputFolderStaysWhileItExists()
    {
        fakes->dialogs.folderAnswers = {std::nullopt, temp->makeFolder("out") + base::kPathSeparator};
        find<QPushButton>("INFSButton02")->click();
        QVERIFY(text("INFSDecOutDir").isEmpty());
        find<QPushButton>("INFSButton02")->click();
        QCOMPARE(fakes->dialogs.folderCaptions, (std::vector<std::string>{"Output folder", "Output folder"}));
        QCOMPARE(fakes->dialogs.folderStarts, (std::vector<std::string>{"", ""}));
        QVERIFY(drop(dropPanel(), {bsp("maps/box.bsp")}));
        QCOMPARE(text("INFSDecOutDir"), QString::fromStdString(temp->path("out") + base::kPathSeparator));
        QVERIFY(window->decompilePage()->state().outputFolderChosen);

        std::filesystem::remove(temp->path("out"));
        QVERIFY(drop(dropPanel(), {bsp("maps/box.bsp")}));
        QCOMPARE(text("INFSDecOutDir"), QString::fromStdString(temp->path("maps") + base::kPathSeparator));
        QVERIFY(window->decompilePage()->state().outputFolderChosen);
    }

    void defaultClearsTheOptionsOnly()
    {
        QVERIFY(drop(dropPanel(), {bsp("maps/box.bsp")}));
        for (const char* name : kOptions)
            find<QCheckBox>(name)->setChecked(true);
        find<QPushButton>("INFSButton04")->click();
        for (const char* name : kOptions)
            QVERIFY(!find<QCheckBox>(name)->isChecked());
        QVERIFY(!text("INFSBspFileEdit").isEmpty());
        QVERIFY(!text("INFSDecOutDir").isEmpty());
    }

    void decompileWritesOutTheEmbeddedDecompiler()
    {
        std::filesystem::remove(tempDir() + "BspTwoMap.exe");
        QVERIFY(drop(dropPanel(), {bsp("maps/box.bsp")}));
        find<QToolButton>("INFSTool_Dec")->click();
        QVERIFY(fakes->prompts.asked.empty());
        QCOMPARE(readBytes(tempDir() + "BspTwoMap.exe"), readBytes(FERROWIND_BSPTWOMAP));
        QCOMPARE(fakes->shell.started.size(), size_t(1));
    }
};

QTEST_MAIN(DecompilePageTest)
#include "DecompilePageTest.moc"
