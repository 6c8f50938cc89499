#include "settings/ui/ConfigurationsWindow.h"
#include "FakeServices.h"
#include "settings/ConfigurationFields.h"
#include "ui/LookWidgets.h"
#include "ui/QtDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace ferrowind;

namespace {

Configuration everyPath()
{
    Configuration configuration;
    for (auto fields : {goldSourcePathFields(), sourcePathFields()})
        for (const PathField& field : fields)
            field.value(configuration) = std::string("  /old/") + field.edit + " \t";
    configuration.logViewer = " /usr/bin/viewer ";
    return configuration;
}

} // namespace

class ConfigurationsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<ConfigurationsWindow> window;

    template <typename T> T* find(const char* name)
    {
        T* widget = window->findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }
    QString text(const char* edit) { return find<QLineEdit>(edit)->text(); }

    // Shows the window for the configuration, lets `act` work while it is open, then presses `closer`, or
    // uses the title bar's close box when it is null.
    std::optional<Configuration> edit(
        const Configuration& configuration, const std::function<void()>& act, const char* closer = "INFSOkButton")
    {
        QTimer::singleShot(0, window.get(), [&] {
            act();
            if (closer != nullptr)
                find<QPushButton>(closer)->click();
            else
                window->close();
        });
        return window->edit(configuration);
    }

    void choose(const char* list, int index)
    {
        auto* colors = find<QComboBox>(list);
        colors->setCurrentIndex(index);
        emit colors->activated(index);
    }

private slots:
    void init()
    {
        dialogs = std::make_unique<FakeDialogs>();
        window = std::make_unique<ConfigurationsWindow>(*dialogs);
    }

    void cleanup() { window.reset(); }

    void everyRowShowsItsValueTrimmedAndOkStoresWhatItsPickerChose()
    {
        Configuration expected;
        std::vector<std::string> folderTitles;
        const auto result = edit(everyPath(), [&] {
            for (auto fields : {goldSourcePathFields(), sourcePathFields()})
                for (const PathField& field : fields) {
                    QCOMPARE(text(field.edit), QString("/old/") + field.edit);
                    const std::string chosen = std::string("/new/") + field.edit;
                    if (field.picker == PathPicker::Program)
                        dialogs->openAnswers.push_back(chosen);
                    else
                        dialogs->folderAnswers.push_back(chosen + "/");
                    find<QPushButton>(field.button)->click();
                    field.value(expected) = field.picker == PathPicker::Program ? chosen : chosen + "/";
                }
            QCOMPARE(text("INFSSetEdit7"), QString("/usr/bin/viewer"));
        });
        expected.logViewer = "/usr/bin/viewer";
        QVERIFY(result);
        QCOMPARE(*result, expected);
        QCOMPARE(dialogs->folderCaptions,
            (std::vector<std::string>{"WAD root", "BSP output folder", "BSP output folder", "Bin folder"}));
        QCOMPARE(dialogs->openRequests.size(), size_t{9});
        // Each picker starts at the path its field held.
        QCOMPARE(dialogs->openRequests[0].initialDir, std::string("/old/INFSSetEdit0"));
        QCOMPARE(dialogs->openRequests[0].kind, FileKind::Tools);
        QCOMPARE(dialogs->folderStarts[0], std::string("/old/INFSSetEdit5"));
#ifdef _WIN32
        QCOMPARE(dialogs->openRequests[0].filter, std::string("Programs (*.exe)|*.exe"));
#else
        QVERIFY(dialogs->openRequests[0].programs);
#endif
    }

    void cancelledPickersAndARootFolderKeepWhatTheyShould()
    {
        const auto result = edit(everyPath(), [&] {
            dialogs->folderAnswers = {std::nullopt, std::string("/")};
            find<QPushButton>("INFSDButton06")->click();
            find<QPushButton>("INFSDButton07")->click();
            dialogs->openAnswers = {std::nullopt};
            find<QPushButton>("INFSButton0")->click();
        });
        QVERIFY(result);
        QCOMPARE(result->source.bspOut, std::string("/old/INFSSetEdit12"));
        QCOMPARE(result->source.bin, std::string("/"));
        QCOMPARE(result->goldSource.csgTool, std::string("/old/INFSSetEdit0"));
    }

    void theLogViewerIsClearedByXAndPickedByItsButton()
    {
        auto result = edit(everyPath(), [&] { find<QPushButton>("INFSButton8")->click(); });
        QVERIFY(result);
        QCOMPARE(result->logViewer, std::string());

        result = edit(everyPath(), [&] {
            dialogs->openAnswers = {std::string("/opt/viewer/view")};
            find<QPushButton>("INFSButton7")->click();
        });
        QCOMPARE(result->logViewer, std::string("/opt/viewer/view"));
    }

    void cancelAndTheCloseBoxStoreNothingAndTheNextShowingReloads()
    {
        for (const char* closer : {"INFSCanButton", static_cast<const char*>(nullptr)}) {
            const auto result = edit(
                everyPath(),
                [&] {
                    dialogs->openAnswers = {std::string("/changed")};
                    find<QPushButton>("INFSButton0")->click();
                    find<QPushButton>("INFSButton8")->click();
                    choose("INFSColorB1", 12);
                },
                closer);
            QVERIFY(!result);
        }
        edit(everyPath(), [&] {
            QCOMPARE(text("INFSSetEdit0"), QString("/old/INFSSetEdit0"));
            QCOMPARE(text("INFSSetEdit7"), QString("/usr/bin/viewer"));
            QCOMPARE(find<QComboBox>("INFSColorB1")->currentText(), QString("0"));
        });
    }

    void colorsAreLimitedAndKeptApartWhenShown_data()
    {
        QTest::addColumn<int>("text");
        QTest::addColumn<int>("back");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QString>("shownBack");
        QTest::addColumn<int>("storedText");
        QTest::addColumn<int>("storedBack");
        QTest::newRow("out of range") << 20 << -3 << "F"
                                      << "0" << 15 << 0;
        QTest::newRow("both 7") << 7 << 7 << "6"
                                << "7" << 6 << 7;
        QTest::newRow("both 0") << 0 << 0 << "1"
                                << "0" << 1 << 0;
        QTest::newRow("defaults") << 7 << 0 << "7"
                                  << "0" << 7 << 0;
    }

    void colorsAreLimitedAndKeptApartWhenShown()
    {
        QFETCH(int, text);
        QFETCH(int, back);
        Configuration configuration;
        configuration.textColor = text;
        configuration.backColor = back;
        const auto result = edit(configuration, [&] {
            QTEST(find<QComboBox>("INFSColorB0")->currentText(), "shownText");
            QTEST(find<QComboBox>("INFSColorB1")->currentText(), "shownBack");
        });
        QVERIFY(result);
        QTEST(result->textColor, "storedText");
        QTEST(result->backColor, "storedBack");
    }

    void aChosenColourEqualToTheOtherMovesByOne()
    {
        Configuration configuration;
        configuration.textColor = 0;
        configuration.backColor = 5;
        auto result = edit(configuration, [&] { choose("INFSColorB1", 0); });
        QCOMPARE(result->backColor, 1);
        QCOMPARE(result->textColor, 0);

        configuration.textColor = 3;
        configuration.backColor = 9;
        result = edit(configuration, [&] { choose("INFSColorB0", 9); });
        QCOMPARE(result->textColor, 8);
        QCOMPARE(result->backColor, 9);
    }

    void theSampleShowsBothColours()
    {
        Configuration configuration;
        edit(configuration, [&] {
            auto* sample = find<FramedBox>("INFSDDec11");
            auto* label = find<QLabel>("INFSText");
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(192, 192, 192));
            QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 0, 0));
            QCOMPARE(sample->fill(), QColor(0, 0, 0));
            QCOMPARE(sample->outline(), QColor(0, 0, 0));
            QCOMPARE(label->text(), QString("Text; Text; Text; Text; Text; Text; Text; Text; Text; "));

            choose("INFSColorB1", 15);
            QCOMPARE(sample->fill(), QColor(255, 255, 255));
            QCOMPARE(sample->outline(), QColor(179, 179, 179));
            QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 255));
        });
    }

    void theFolderPickerKeepsOneTrailingSeparator()
    {
        QCOMPARE(chosenFolder(QString()), std::optional<std::string>());
#ifdef _WIN32
        // Qt's dialogs answer with slashes; fields and scripts get the system's separators.
        QCOMPARE(chosenFolder("C:/"), std::optional<std::string>("C:\\"));
        QCOMPARE(chosenFolder("C:/games/maps"), std::optional<std::string>("C:\\games\\maps\\"));
        QCOMPARE(chosenFolder("C:/games/maps/"), std::optional<std::string>("C:\\games\\maps\\"));
#else
        QCOMPARE(chosenFolder("/"), std::optional<std::string>("/"));
        QCOMPARE(chosenFolder("/games/maps"), std::optional<std::string>("/games/maps/"));
        QCOMPARE(chosenFolder("/games/maps/"), std::optional<std::string>("/games/maps/"));
#endif
    }
};

QTEST_MAIN(ConfigurationsWindowTest)
#include "ConfigurationsWindowTest.moc"
