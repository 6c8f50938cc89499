#include "ui/LookWidgets.h"
#include "WindowHarness.h"
#include "app/AboutWindow.h"
#include "settings/ui/ConfigurationsWindow.h"
#include "support/TempFolder.h"
#include "ui/Look.h"
#include "ui/PageParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

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
        std::vector<QWidget*> windows{harness.window.get(), harness.configurations.get(), &about};
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
};

QTEST_MAIN(LookWidgetsTest)
#include "LookWidgetsTest.moc"
