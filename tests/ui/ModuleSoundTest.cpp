#include "ui/ModuleSound.h"

#include <QFile>
#include <QTest>

using namespace ferrowind;

namespace {

// Whether a library whose name holds `name` is mapped into this process.
bool isLoaded(const char* name)
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

} // namespace

class ModuleSoundTest : public QObject {
    Q_OBJECT

private slots:
    void withoutTheModuleTheSoundIsSkippedAndTheCallerGoesOn()
    {
        ModuleSound sound({QStringLiteral("/nonexistent"), QStringLiteral(FERROWIND_SOURCE_DIR)});
        int finished = 0;
        sound.playCompletionSound([&finished] { ++finished; });
        sound.playCompletionSound([&finished] { ++finished; });
        QCOMPARE(finished, 2);
    }

    void qtMultimediaIsLoadedOnlyWhenTheFirstSoundPlays()
    {
#ifndef __linux__
        QSKIP("reads the process's mapped libraries from /proc");
#endif
        ModuleSound sound(soundModuleFolders(QStringLiteral(FERROWIND_SOUND_MODULE_DIR)));
        QVERIFY(!isLoaded("libQt6Multimedia"));
        bool finished = false;
        sound.playCompletionSound([&finished] { finished = true; });
        QVERIFY(isLoaded("libQt6Multimedia"));
        QVERIFY(QFile::exists(QStringLiteral(":/sounds/endcomp.wav"))); // the module carries the sound
        QTRY_VERIFY_WITH_TIMEOUT(finished, 10000);
    }
};

QTEST_MAIN(ModuleSoundTest)
#include "ModuleSoundTest.moc"
