#pragma once

#include "platform/Sound.h"

#include <QStringList>

#include <memory>

namespace ferrowind {

// The completion sound from the sound module (ferrowind-sound), loaded when the first sound plays: most starts
// play none, and the module brings Qt Multimedia with it. Without the module the sound is skipped.
class ModuleSound : public Sound {
public:
    // The folders to look for the module in, first match wins.
    explicit ModuleSound(QStringList folders);
    ~ModuleSound() override;
    void playCompletionSound(std::function<void()> finished) override;

private:
    Sound* player();

    QStringList folders_;
    std::unique_ptr<Sound> player_;
    bool tried_ = false;
};

// Where the programs find the module: beside them, or in the library folder of an installation.
QStringList soundModuleFolders(const QString& programFolder);

} // namespace ferrowind
