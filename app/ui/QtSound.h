#pragma once

#include "platform/Sound.h"

#include <QObject>

// The completion sound, embedded as a resource and played through Qt Multimedia.
class QtSound : public QObject, public Sound {
    Q_OBJECT
public:
    using QObject::QObject;
    void PlayCompletionSound(std::function<void()> finished) override;
};
