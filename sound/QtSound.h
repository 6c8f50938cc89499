#pragma once

#include "platform/Sound.h"

#include <QObject>

namespace ferrowind {

// The completion sound, embedded as a resource and played through Qt Multimedia. Built as a module of its own
// (ferrowind-sound) that the program loads when the first sound plays, so Qt Multimedia costs a start nothing.
class QtSound : public QObject, public Sound {
    Q_OBJECT
public:
    using QObject::QObject;
    void playCompletionSound(std::function<void()> finished) override;
};

} // namespace ferrowind
