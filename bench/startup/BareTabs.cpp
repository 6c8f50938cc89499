// The yardstick for the desktop program's start: a bare Qt Widgets program with a window of the same size and
// the same three tabs, living as long as `ferrowind <map> +run` does (the window is built, not shown, and the
// program ends from its event loop a moment later).
#include <QApplication>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTabWidget window;
    window.setFixedSize(641, 296);
    window.setDocumentMode(true);
    for (const char* caption : {"Half-Life compiling", "Half-Life decompiling", "Half-Life 2 compiling"})
        window.addTab(new QWidget, caption);
    QTimer::singleShot(2, &application, &QApplication::quit);
    return QApplication::exec();
}
