#include "app/AboutWindow.h"
#include "support/FakeShell.h"
#include "ui/LookWidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace ferrowind;

class AboutWindowTest : public QObject {
    Q_OBJECT

    template <typename T> static T* find(QWidget& window, const char* name)
    {
        T* widget = window.findChild<T*>(name);
        if (widget == nullptr)
            qFatal("missing control %s", name);
        return widget;
    }

private slots:
    void everyShowingSetsTheTexts()
    {
        FakeShell shell;
        AboutWindow about(shell);
        for (int showing = 0; showing < 2; ++showing) {
            about.show();
            QCOMPARE(about.windowTitle(), QString("About Ferrowind"));
            QCOMPARE(find<QLabel>(about, "INFSLab01")->text(), QString("Version: 1.2"));
            QVERIFY(!find<QLabel>(about, "INFSLab02")->text().isEmpty());
            QCOMPARE(find<QLabel>(about, "INFSLab03")->text(), QString("Date: 30.03.2013"));
            QCOMPARE(find<QPushButton>(about, "INFSButton2")->text(), QString("ferrowind@mailbox.org"));
            find<QLabel>(about, "INFSLab01")->setText("changed");
            about.hide();
        }
    }

    void theAddressOpensANewMail()
    {
        FakeShell shell;
        AboutWindow about(shell);
        about.show();
        QTest::mouseClick(find<QPushButton>(about, "INFSButton2"), Qt::LeftButton);
        QCOMPARE(shell.opened, std::vector<std::string>{"mailto:ferrowind@mailbox.org"});
    }

    void aClickOnTheGroupsOwnSurfaceCloses()
    {
        FakeShell shell;
        AboutWindow about(shell);
        about.show();
        QTest::mouseClick(find<QLabel>(about, "INFSLab02"), Qt::LeftButton);
        QTest::mouseClick(find<QLabel>(about, "INFSlogo"), Qt::LeftButton);
        QVERIFY(about.isVisible());
        QTest::mouseClick(find<QGroupBox>(about, "INFSGB1"), Qt::LeftButton, {}, QPoint(20, 110));
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
