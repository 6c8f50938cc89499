#include "ui/ModuleSound.h"

#include <QLibrary>

namespace ferrowind {

namespace {
constexpr const char* kModuleName = "ferrowind-sound";
constexpr const char* kEntryPoint = "ferrowindCreateSound";
using CreateSound = Sound* (*)();
} // namespace

ModuleSound::ModuleSound(QStringList folders) : folders_(std::move(folders)) {}

// The module stays loaded to the end of the process, so its player can go at any time.
ModuleSound::~ModuleSound() = default;

Sound* ModuleSound::player()
{
    if (tried_)
        return player_.get();
    tried_ = true;
    for (const QString& folder : folders_) {
        QLibrary module(folder + "/" + kModuleName);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (auto create = reinterpret_cast<CreateSound>(module.resolve(kEntryPoint))) {
            player_.reset(create());
            break;
        }
    }
    return player_.get();
}

void ModuleSound::playCompletionSound(std::function<void()> finished)
{
    if (Sound* sound = player())
        sound->playCompletionSound(std::move(finished));
    else
        finished();
}

QStringList soundModuleFolders(const QString& programFolder)
{
    return {programFolder, programFolder + "/../lib/ferrowind"};
}

} // namespace ferrowind
