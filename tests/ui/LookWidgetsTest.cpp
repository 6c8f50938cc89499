#include "ui/LookWidgets.h"
#include "WindowHarness.h"
#include "app/AboutWindow.h"
#include "editor/ui/EditorWindow.h"
#include "presets/ui/PresetWindows.h"
#include "settings/ui/ConfigurationsWindow.h"
#include "support/TempFolder.h"
#include "ui/Logo.h"
#include "ui/Look.h"
#include "ui/PageParts.h"
#include "ui/QtDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using namespace ferrowind;

namespace {

// Every caption a window shows that does not fit its control.
QStringList clippedCaptions(QWidget& window)
{
    QStringList clipped;
    auto report = [&](const QWidget* widget, const QString& caption, int needed) {
        if (needed > widget->width())
            clipped << QString("%1 \"%2\" needs %3 of %4")
                           .arg(widget->objectName(), caption)
                           .arg(needed)
                           .arg(widget->width());
    };
    for (const QCheckBox* check : window.findChildren<QCheckBox*>()) {
        const QStyle* style = check->style();
        report(check, check->text(),
            style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check) +
                check->fontMetrics().horizontalAdvance(check->text()));
    }
    for (const QToolButton* button : window.findChildren<QToolButton*>())
        if (!button->text().isEmpty())
            report(button, button->text(), button->sizeHint().width());
    for (const PanelButton* button : window.findChildren<PanelButton*>())
        report(button, button->text(), button->fontMetrics().horizontalAdvance(button->text()) + 2);
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (!label->wordWrap())
            report(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()));
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        report(group, group->title(), group->fontMetrics().horizontalAdvance(group->title()) + 16);
    return clipped;
}

template <typename T> T* find(const QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(name);
    if (widget == nullptr)
        qFatal("missing control %s", name);
    return widget;
}

// A window's rectangle relative to the group or page that holds it.
QRect placed(const QWidget& window, const char* name) { return find<QWidget>(window, name)->geometry(); }

bool centredOn(const QWidget& window, const QWidget& owner)
{
    const QPoint offset = window.frameGeometry().center() - owner.frameGeometry().center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}

} // namespace

class LookWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void thePanelButtonDarkensWhileTheLeftButtonHoldsIt()
    {
        QWidget parent;
        QPushButton* button = makePanelButton(&parent, "INFSButton0", "...", {0, 0, 22, 21});
        parent.show();
        const QColor face = toQColor(systemColors().buttonFace);
        const QColor pressed = toQColor(darken(systemColors().buttonFace, 5));
        auto* panel = static_cast<PanelButton*>(button);
        QColor faceAtClick;
        connect(button, &QPushButton::clicked, [&] { faceAtClick = panel->face(); });

        QTest::mousePress(button, Qt::RightButton);
        QCOMPARE(panel->face(), face);
        QTest::mouseRelease(button, Qt::RightButton);

        QTest::mousePress(button, Qt::LeftButton);
        QCOMPARE(panel->face(), pressed);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(faceAtClick, pressed); // the click runs before the release restores the face
        QCOMPARE(panel->face(), face);

        faceAtClick = QColor();
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40)); // the pointer has left the button
        QCOMPARE(panel->face(), face);
        QVERIFY(!faceAtClick.isValid());
    }

    void theToolStripPaintsItsRowsAcrossItsWidth()
    {
        QWidget page;
        page.resize(kPageSize);
        QWidget* strip = makeToolStrip(&page, "INFSToolB1");
        const QImage painted = strip->grab().toImage();
        const auto rows = toolStripRows(systemColors());
        QCOMPARE(painted.height(), kToolStripHeight);
        for (int row = 0; row < kToolStripHeight; ++row)
            for (int x : {0, painted.width() / 2, painted.width() - 1})
                QCOMPARE(painted.pixelColor(x, row), toQColor(rows[static_cast<size_t>(row)]));
    }

    void theMainWindowKeepsItsSize()
    {
        TempFolder temp;
        WindowHarness harness;
        harness.start(temp.path(), {});
        harness.window->show();
        harness.window->resize(800, 600);
        QCOMPARE(harness.window->size(), QSize(641, 296));
        QVERIFY(!(harness.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void everyCaptionFitsItsControl()
    {
        TempFolder temp;
        WindowHarness harness;
        harness.start(temp.path(), {});
        FakeShell shell;
        AboutWindow about(shell);
        GoldSourcePresetsWindow presets;
        std::vector<QWidget*> windows{harness.window.get(), harness.configurations.get(), &about, &presets};
        for (QWidget* window : windows) {
            window->show();
            for (QTabWidget* pages : window->findChildren<QTabWidget*>())
                for (int page = 0; page < pages->count(); ++page) {
                    pages->setCurrentIndex(page);
                    QApplication::processEvents();
                    const QStringList clipped = clippedCaptions(*window);
                    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(", ")));
                }
            const QStringList clipped = clippedCaptions(*window);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(", ")));
            window->hide();
        }
    }

    // The sizes the windows are drawn at hold with the fonts they were drawn for, which Wine's font package
    // provides on Linux.
    void theWindowsKeepTheirMeasures()
    {
        if (!loadLookFonts())
            QSKIP("Tahoma and MS Sans Serif are not installed (Debian: fonts-wine); the measures need them");
        TempFolder temp;
        WindowHarness harness;
        harness.start(temp.path(), {});
        MainWindow& main = *harness.window;
        main.show();

        // Every check box clears its group's frame line.
        for (const FrameGroup* group : main.findChildren<FrameGroup*>())
            for (const QCheckBox* check : group->findChildren<QCheckBox*>())
                QVERIFY2(check->y() > group->frameTop() + 1, qPrintable(check->objectName()));
        // The decompile page: its options 16 pixels apart in one font, its flat buttons, the drop panel's frame.
        int top = 16;
        for (const char* name : {"INFSChD1", "INFSChD6", "INFSChD2", "INFSChD5"}) {
            QCOMPARE(placed(main, name).y(), top);
            QCOMPARE(find<QCheckBox>(main, name)->font(), main.font());
            top += 16;
        }
        main.pages()->setCurrentIndex(1);
        QApplication::processEvents();
        QCOMPARE(placed(main, "INFSTool_Dec"), QRect(8, 2, 65, 24));
        QCOMPARE(placed(main, "INFSButtonAbout1"), QRect(576, 2, 57, 24));
        QCOMPARE(find<FramedBox>(main, "INFSDDec19")->outline(), QColor(171, 173, 179));
        for (const char* list : {"INFSPresetList", "INFSPresetList1"})
            QCOMPARE(placed(main, list), QRect(8, 18, 129, 21));

        FakeShell shell;
        AboutWindow about(shell, &main);
        about.show();
        QVERIFY(centredOn(about, main));
        // The contact address is wider than the drawn box by a few pixels: the box widens just enough.
        QPushButton* mail = find<QPushButton>(about, "INFSButton2");
        const QRect mailBox = placed(about, "INFSDDec13");
        QCOMPARE(mailBox.height(), 21);
        QCOMPARE(mailBox.width(), std::max(113, mail->fontMetrics().horizontalAdvance(mail->text()) + 8));
        QCOMPARE(mail->geometry(), mailBox.adjusted(2, 2, -2, -2));

        ConfigurationsWindow configurations(harness.fakes->dialogs, &main);
        configurations.show();
        QVERIFY(centredOn(configurations, main));

        GoldSourcePresetsWindow presets(&main);
        presets.showOrRaise();
        QVERIFY(centredOn(presets, main));
        QCOMPARE(placed(presets, "INFSDDec0"), QRect(8, 13, 137, 189));
        const std::tuple<const char*, const char*, int> buttons[] = {{"INFSButton0", "INFSDDec1", 15},
            {"INFSButton3", "INFSDDec4", 47}, {"INFSButton1", "INFSDDec2", 71}, {"INFSButton2", "INFSDDec3", 95},
            {"INFSButton4", "INFSDDec5", 127}, {"INFSButton5", "INFSDDec6", 151}, {"INFSButton6", "INFSDDec7", 183}};
        for (const auto& [button, frame, buttonTop] : buttons) {
            QCOMPARE(placed(presets, button), QRect(162, buttonTop, 93, 17));
            QCOMPARE(placed(presets, frame), QRect(160, buttonTop - 2, 97, 21));
            QCOMPARE(find<FramedBox>(presets, frame)->outline(), toQColor(frameColor(systemColors())));
        }

        EditorWindow editor(harness.fakes->get(), main.folders(), &main);
        editor.show();
        QCOMPARE(editor.frameGeometry().size(), QSize(556, 387));
        QVERIFY(centredOn(editor, main));
    }

    // A start that shows no window draws no icon; the first window that shows has it when it appears, and so
    // have the later ones.
    void theWindowIconComesWithTheFirstWindowShown()
    {
        QVERIFY(QApplication::windowIcon().isNull());
        setWindowIconAtFirstShow(*qApp);
        QWidget first;
        auto* child = new QWidget(&first);
        child->show();
        QApplication::processEvents();
        QVERIFY(QApplication::windowIcon().isNull());

        first.show();
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(first.windowHandle()->icon().availableSizes(), logoIcon().availableSizes());
        QWidget second;
        second.show();
        QCOMPARE(second.windowHandle()->icon().availableSizes(), logoIcon().availableSizes());
    }

    void fileDialogsShowTheirFiltersAndNamesAsGiven()
    {
        QCOMPARE(qtNameFilters("Valve map(*.vmf)|*.vmf"), QStringList{"Valve map(*.vmf)"});
        QCOMPARE(qtNameFilters("MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*"),
            (QStringList{"MS-DOS Batch Files (*.bat *.cmd)", "All files (*.*)"}));
        QCOMPARE(qtNameFilters("Programs|*.exe"), QStringList{"Programs (*.exe)"});

        const auto dialog = makeSaveDialog(
            nullptr, {"MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd|All files (*.*)|*.*", "boxroom.source compile"});
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->show();
        QCOMPARE(find<QLineEdit>(*dialog, "fileNameEdit")->text(), QString("boxroom.source compile"));
    }
};

QTEST_MAIN(LookWidgetsTest)
#include "LookWidgetsTest.moc"
