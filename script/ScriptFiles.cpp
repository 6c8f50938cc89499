#include "script/ScriptFiles.h"

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Process.h"
#include "base/Text.h"
#include "script/ScriptText.h"

#include <chrono>
#include <system_error>

namespace ferrowind {

namespace fs = std::filesystem;

namespace {
constexpr auto kFinishedAfter = std::chrono::hours(24);

std::string stemOf(const std::string& name) { return name.substr(0, name.size() - base::extensionOf(name).size()); }

// "<stem>-<process>-<n><extension>" with digits only between the dashes: never a name a user gave a file.
bool isRunCopyName(const std::string& candidate, const std::string& name)
{
    const std::string stem = stemOf(name) + "-";
    const std::string extension = base::extensionOf(name);
    if (candidate.size() <= stem.size() + extension.size() || !candidate.starts_with(stem) ||
        !base::equalsIgnoringCase(base::extensionOf(candidate), extension))
        return false;
    const std::string middle = candidate.substr(stem.size(), candidate.size() - stem.size() - extension.size());
    const size_t dash = middle.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string::npos && digits(std::string_view(middle).substr(0, dash)) &&
        digits(std::string_view(middle).substr(dash + 1));
}

// Another process of the same id can only have left a copy behind, so the first unused number is ours.
std::string freeRunCopyPath(const std::string& tempDir, const std::string& name)
{
    const std::string prefix = tempDir + stemOf(name) + "-" + std::to_string(base::currentProcessId()) + "-";
    for (unsigned n = 1;; ++n) {
        const std::string path = prefix + std::to_string(n) + base::extensionOf(name);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(path, error)))
            return path;
    }
}
} // namespace

void removeRunCopies(const std::string& tempDir, const std::string& name, fs::file_time_type notAfter)
{
    std::error_code error;
    for (fs::directory_iterator it(tempDir, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored) && isRunCopyName(it->path().filename().string(), name) &&
            it->last_write_time(ignored) < notAfter)
            fs::remove(it->path(), ignored);
    }
}

ShellResult runScriptFile(const std::string& content, const std::string& tempDir, const std::string& name, Shell& shell)
{
    removeRunCopies(tempDir, name, fs::file_time_type::clock::now() - kFinishedAfter);
    const std::string runCopy = freeRunCopyPath(tempDir, name);
    try {
        base::writeFileAtomically(tempDir + name, content);
        base::writeFileAtomically(runCopy, content);
    } catch (const base::WriteError& error) {
        return {false, error.what()};
    }
    return shell.startScript(runCopy);
}

ShellResult runCompileScript(const ScriptLines& lines, const WorkingFolders& folders, Shell& shell)
{
    return runCompileScriptText(scriptFileText(lines), folders, shell);
}

ShellResult runCompileScriptText(std::string_view fileText, const WorkingFolders& folders, Shell& shell)
{
    createWorkingFolders(folders);
    return runScriptFile(std::string(fileText), folders.tempDir, kCompileScriptName, shell);
}

std::string saveFailedMessage(const std::exception& error)
{
    return std::string(kSaveFailedMessage) + "\r\n" + error.what();
}

std::string defaultSaveName(const std::string& mapEdit) { return mapNameOf(base::trim(mapEdit)) + " compile"; }

std::string saveAsPath(const std::string& chosen, int filterIndex)
{
    if (filterIndex == 1 && base::toLowerAscii(base::extensionOf(chosen)) != ".bat")
        return chosen + ".bat";
    return chosen;
}

} // namespace ferrowind
