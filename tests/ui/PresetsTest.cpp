#include "WindowHarness.h"
#include "app/MainWindow.h"
#include "goldsource/GoldSourceOptions.h"
#include "presets/ui/PresetWindows.h"
#include "source/SourceOptions.h"
#include "support/TempFolder.h"
#include "ui/CompilePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace ferrowind;

namespace {
// A preset that shuts the computer down, asks for the log and starts the game: the shutdown rule wins.
constexpr const char* kShutdownPreset = "[P]\r\nCSG=-shut\r\nHL=-dev\r\n[U]\r\nHL=1\r\n[A]\r\na2=1\r\na5=1\r\n";

QStringList entries(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList entries(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// The entry as the user picks it from the list.
void pickAt(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void pick(QComboBox* list, const QString& text)
{
    QVERIFY2(list->findText(text) >= 0, qPrintable(text));
    pickAt(list, list->findText(text));
}
} // namespace

class PresetsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> temp;
    WindowHarness harness;
    std::unique_ptr<GoldSourcePresetsWindow> goldSourcePresets;
    std::unique_ptr<SourcePresetsWindow> sourcePresets;

    std::string programDir() const { return temp->path("program"); }
    std::string writePreset(const std::string& relative, const std::string& bytes)
    {
        return temp->write("program/Ferrowind/" + relative, bytes);
    }

    void start(const QStringList& arguments)
    {
        temp->makeFolder("program");
        harness.start(programDir(), arguments);
        goldSourcePresets = std::make_unique<GoldSourcePresetsWindow>();
        sourcePresets = std::make_unique<SourcePresetsWindow>();
        harness.window->attachWindows({harness.configurations.get(), harness.editor.get(), goldSourcePresets.get(),
            nullptr, sourcePresets.get()});
    }

    template <typename T> T* find(const QWidget* parent, const char* name)
    {
        T* widget = parent->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    template <typename T> T* find(const char* name) { return find<T>(harness.window.get(), name); }
    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }
    GoldSourceOptions goldSourceOptions() const
    {
        return harness.window->goldSourcePage()->options(goldSourceFields());
    }
    SourceOptions sourceOptions() const { return harness.window->sourcePage()->options(sourceFields()); }

    void openList(QComboBox* list)
    {
        list->showPopup();
        list->hidePopup();
    }

    // The shutdown rule on the Half-Life page: locked when "Shutdown PC" is checked.
    void verifyShutdownLocks(bool locked)
    {
        QCOMPARE(check("INFSChb5")->isChecked(), locked);
        for (const char* name :
            {"INFSChb2", "INFSChb3", "INFSChb4", "INFSChbDeleteLOG", "INFSChbDeletePTS", "INFSChb_HL"})
            QVERIFY2(check(name)->isEnabled() != locked, name);
        QVERIFY(find<QLineEdit>("INFSEdit5")->isEnabled() != locked);
        QVERIFY(find<QPushButton>("INFSButton2")->isEnabled() != locked);
    }

private slots:
    void init()
    {
        temp = std::make_unique<TempFolder>();
        harness.fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        harness.window.reset();
        goldSourcePresets.reset();
        sourcePresets.reset();
        temp.reset();
    }

    void pageListsAreRebuiltFromTheFolderOnEveryOpening()
    {
        start({});
        auto* list = find<QComboBox>("INFSPresetList");
        auto* sourceList = find<QComboBox>("INFSPresetList1");
        QCOMPARE(list->count(), 0);
        QCOMPARE(entries(sourceList), (QStringList{"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"}));
        QCOMPARE(sourceList->currentIndex(), -1);

        openList(list);
        QCOMPARE(entries(list), QStringList{"Default"});
        writePreset("GSPresets/Fast.gsp", "");
        writePreset("GSPresets/Default.gsp", "");
        temp->makeFolder("program/Ferrowind/GSPresets/Folder.gsp");
        writePreset("SPresets/Hall.sp", "");
        openList(list);
        openList(sourceList);
        QCOMPARE(list->itemText(0), QString("Default"));
        QStringList names = entries(list).mid(1);
        names.sort();
        QCOMPARE(names, (QStringList{"Default", "Fast"}));
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(entries(sourceList), (QStringList{"Default", "Hall"}));
    }

    void pickingAPresetLoadsItAndPosition0Resets()
    {
        writePreset("GSPresets/Shut.gsp", kShutdownPreset);
        writePreset("GSPresets/Default.gsp", "[P]\r\nBSP=-from-file\r\n");
        start({});
        auto* list = find<QComboBox>("INFSPresetList");
        openList(list);

        pick(list, "Shut");
        QCOMPARE(goldSourceOptions().csgParams, std::string("-shut"));
        QVERIFY(!check("INFSChb2")->isChecked());
        QVERIFY(!check("INFSChb_HL")->isChecked());
        verifyShutdownLocks(true);
        QCOMPARE(list->currentText(), QString("Shut"));

        pickAt(list, 0);
        QCOMPARE(goldSourceOptions(), GoldSourceOptions{});
        verifyShutdownLocks(false);

        // A file named "Default" is a second entry of that text, and loads.
        const int fileEntry = static_cast<int>(entries(list).lastIndexOf("Default"));
        QVERIFY(fileEntry > 0);
        pickAt(list, fileEntry);
        QCOMPARE(goldSourceOptions().bspParams, std::string("-from-file"));

        QFile::remove(QString::fromStdString(temp->path("program/Ferrowind/GSPresets/Shut.gsp")));
        pick(list, "Shut");
        QCOMPARE(goldSourceOptions().bspParams, std::string("-from-file"));
        QVERIFY(harness.fakes->prompts.asked.empty());
    }

    void keyboardPicksTheHalfLife2EntriesBeforeTheListWasOpened()
    {
        writePreset("SPresets/Fast (ZHLT).sp", "[P]\r\nVIS=-fast\r\n[U]\r\nRAD=0\r\n");
        start({});
        harness.window->sourcePage()->setOptions(sourceFields(), [] {
            SourceOptions changed;
            changed.bspParams = "-changed";
            changed.shutdown = true;
            return changed;
        }());
        auto* list = find<QComboBox>("INFSPresetList1");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentText(), QString("Default (ZHLT)"));
        QCOMPARE(sourceOptions(), SourceOptions{});
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(sourceOptions().visParams, std::string("-fast"));
        QVERIFY(!sourceOptions().runRad);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(sourceOptions().visParams, std::string("-fast"));
    }

    void presetAtStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("goldSourceList");
        QTest::addColumn<QString>("csgParams");
        QTest::addColumn<QStringList>("sourceList");
        QTest::addColumn<QString>("bspParams");
        const QStringList zhlt{"Default (ZHLT)", "Fast (ZHLT)", "Normal  (ZHLT)", "Full  (ZHLT)"};
        QTest::newRow("switch in any letter case")
            << QStringList{"-PreSet", "Fast"} << QStringList{"Fast"} << "-fast" << zhlt << "";
        QTest::newRow("before the map") << QStringList{"-preset", "Full", "@MAP@"} << QStringList{"Full"} << "-full"
                                        << zhlt << "";
        QTest::newRow("after the map") << QStringList{"@MAP@", "-preset", "Full"} << QStringList{"Full"} << "-full"
                                       << zhlt << "";
        QTest::newRow("last argument") << QStringList{"@MAP@", "-preset"} << QStringList{} << "" << zhlt << "";
        QTest::newRow("missing") << QStringList{"-preset", "Nothing"} << QStringList{} << "" << zhlt << "";
        QTest::newRow("last existing decides")
            << QStringList{"-preset", "Fast", "-preset", "Full", "-preset", "Nothing"} << QStringList{"Full"} << "-full"
            << zhlt << "";
        // A name, never a path: a file outside the preset folder is not read.
        QTest::newRow("path") << QStringList{"-preset", "../Outside"} << QStringList{} << "" << zhlt << "";
#ifndef _WIN32
        // Windows' file names ignore case, so there the typed name finds the file.
        QTest::newRow("name as typed") << QStringList{"-preset", "fast"} << QStringList{} << "" << zhlt << "";
#endif
        QTest::newRow("vmf page") << QStringList{"-preset", "Fast", "@VMF@"} << QStringList{} << ""
                                  << QStringList{"Fast"} << "-sfast";
        QTest::newRow("wrong engine") << QStringList{"@VMF@", "-preset", "Full"} << QStringList{} << "" << zhlt << "";
    }

    void presetAtStart()
    {
        QFETCH(QStringList, arguments);
        writePreset("GSPresets/Fast.gsp", "[P]\r\nCSG=-fast\r\n");
        writePreset("GSPresets/Full.gsp", "[P]\r\nCSG=-full\r\n");
        writePreset("SPresets/Fast.sp", "[P]\r\nBSP=-sfast\r\n");
        writePreset("Outside.gsp", "[P]\r\nCSG=-outside\r\n");
        arguments.replaceInStrings("@MAP@", QString::fromStdString(temp->write("maps/box.map")));
        arguments.replaceInStrings("@VMF@", QString::fromStdString(temp->write("maps/hall.vmf")));
        start(arguments);

        auto* list = find<QComboBox>("INFSPresetList");
        auto* sourceList = find<QComboBox>("INFSPresetList1");
        QTEST(entries(list), "goldSourceList");
        QCOMPARE(list->currentIndex(), list->count() == 0 ? -1 : 0);
        QTEST(QString::fromStdString(goldSourceOptions().csgParams), "csgParams");
        QTEST(entries(sourceList), "sourceList");
        QCOMPARE(sourceList->currentIndex(), sourceList->count() == 1 ? 0 : -1);
        QTEST(QString::fromStdString(sourceOptions().bspParams), "bspParams");
        QVERIFY(harness.fakes->prompts.asked.empty());
    }

    void editShowsTheManagerWithoutModality()
    {
        writePreset("GSPresets/Default.gsp", "");
        writePreset("SPresets/Hall.sp", "");
        start({});
        harness.window->show();
        find<QPushButton>("INFSButton1")->click();
        QVERIFY(goldSourcePresets->isVisible());
        QVERIFY(!goldSourcePresets->isModal());
        QCOMPARE(goldSourcePresets->windowTitle(), QString("Half-life compiling presets"));
        QCOMPARE(goldSourcePresets->size(), QSize(281, 227));
        auto* presetsList = find<QListWidget>(goldSourcePresets.get(), "INFSPresetsList");
        QCOMPARE(entries(presetsList), QStringList{"Default"});

        writePreset("GSPresets/Late.gsp", "");
        find<QPushButton>("INFSButton1")->click();
        QCOMPARE(presetsList->count(), 1);
        find<QPushButton>(goldSourcePresets.get(), "INFSButton6")->click();
        QCOMPARE(presetsList->count(), 2);

        // The Half-Life 2 window saves the Half-Life 2 page into its own folder.
        SourceOptions options;
        options.radParams = "-final";
        harness.window->sourcePage()->setOptions(sourceFields(), options);
        find<QPushButton>("INFSDPDec007")->click();
        QVERIFY(sourcePresets->isVisible());
        QCOMPARE(sourcePresets->windowTitle(), QString("Half-life 2 compiling presets"));
        harness.fakes->dialogs.nameAnswers = {"Final"};
        find<QPushButton>(sourcePresets.get(), "INFSButton0")->click();
        QStringList names = entries(find<QListWidget>(sourcePresets.get(), "INFSPresetsList"));
        names.sort();
        QCOMPARE(names, (QStringList{"Final", "Hall"}));
        QVERIFY(
            readBytes(temp->path("program/Ferrowind/SPresets/Final.sp")).find("RAD=-final\r\n") != std::string::npos);
    }

    void managerButtonsActOnTheSelectionOnly()
    {
        writePreset("GSPresets/Shut.gsp", kShutdownPreset);
        start({});
        goldSourcePresets->showOrRaise();
        auto* presetsList = find<QListWidget>(goldSourcePresets.get(), "INFSPresetsList");
        for (const char* button : {"INFSButton3", "INFSButton1", "INFSButton2", "INFSButton5"})
            find<QPushButton>(goldSourcePresets.get(), button)->click();
        QVERIFY(harness.fakes->dialogs.nameRequests.empty());
        QVERIFY(harness.fakes->dialogs.saveRequests.empty());
        QVERIFY(harness.fakes->prompts.asked.empty());
        QCOMPARE(goldSourceOptions(), GoldSourceOptions{});

        QListWidgetItem* item = presetsList->item(0);
        const QPoint centre = presetsList->visualItemRect(item).center();
        QTest::mouseClick(presetsList->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(presetsList->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(goldSourceOptions().csgParams, std::string("-shut"));
        verifyShutdownLocks(true);
        QCOMPARE(find<QComboBox>("INFSPresetList")->count(), 0);

        // Saved as the page shows it: "Open log file" cleared by the shutdown rule.
        harness.fakes->dialogs.nameAnswers = {" Again "};
        find<QPushButton>(goldSourcePresets.get(), "INFSButton0")->click();
        const std::string saved = readBytes(temp->path("program/Ferrowind/GSPresets/Again.gsp"));
        QVERIFY(saved.find("\r\na2=0\r\n") != std::string::npos);
        QVERIFY(saved.find("\r\na5=1\r\n") != std::string::npos);
        QStringList names = entries(presetsList);
        names.sort();
        QCOMPARE(names, (QStringList{"Again", "Shut"}));
        QVERIFY(presetsList->selectedItems().isEmpty());
    }
};

QTEST_MAIN(PresetsTest)
#include "PresetsTest.moc"
