// The yardstick for the desktop program's start: a bare Qt Widgets program with a window of the same size and
// the same three tabs that ends from its event loop a moment after it starts, as `ferrowind <map> +run` does.
// By default the window is shown (so its text is laid out and drawn once); with --hidden it is only built.
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
    if (!QApplication::arguments().contains(QStringLiteral("--hidden")))
        window.show();
    QTimer::singleShot(2, &application, &QApplication::quit);
    return QApplication::exec();
}
