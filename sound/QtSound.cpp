#include "sound/QtSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>

#include <memory>

namespace ferrowind {

namespace {
// Longer than the sound itself; ends the wait if the audio back end never reports the end.
constexpr int kLongestWaitMs = 5000;
} // namespace

void QtSound::playCompletionSound(std::function<void()> finished)
{
    if (QMediaDevices::audioOutputs().isEmpty()) {
        finished();
        return;
    }
    auto* effect = new QSoundEffect(this);
    auto done = std::make_shared<bool>(false);
    auto finish = [effect, done, finished]() {
        if (*done)
            return;
        *done = true;
        effect->deleteLater();
        finished();
    };
    connect(effect, &QSoundEffect::playingChanged, effect, [effect, finish]() {
        if (!effect->isPlaying())
            finish();
    });
    connect(effect, &QSoundEffect::statusChanged, effect, [effect, finish]() {
        if (effect->status() == QSoundEffect::Error)
            finish();
        else if (effect->status() == QSoundEffect::Ready)
            effect->play();
    });
    QTimer::singleShot(kLongestWaitMs, effect, finish);
    effect->setSource(QUrl(QStringLiteral("qrc:/sounds/endcomp.wav")));
}

} // namespace ferrowind

// The one entry point the program looks up when the first sound plays.
extern "C" Q_DECL_EXPORT ferrowind::Sound* ferrowindCreateSound() { return new ferrowind::QtSound; }
