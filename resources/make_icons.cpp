// Draws the program's logo as the desktop's icons: <folder>/<size>x<size>/apps/<name>.png for each size.
#include "ui/Logo.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: make_icons <folder> <name> <size>...\n", stderr);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString apps = QString("%1/%2x%2/apps").arg(folder).arg(size);
        if (size <= 0 || !QDir().mkpath(apps) || !ferrowind::drawLogo(size).save(apps + "/" + name + ".png")) {
            std::fprintf(stderr, "make_icons: cannot make the %s icon in %s\n", argv[i], argv[1]);
            return 1;
        }
    }
    return 0;
}
