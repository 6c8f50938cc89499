#include "platform/StartFolders.h"

#include "base/Paths.h"
#include "base/Text.h"

namespace ferrowind {

std::string StartFolders::startFolder(FileKind kind, const std::string& current) const
{
    const std::string path = base::trim(current);
    if (!path.empty() && base::folderExists(path))
        return path;
    const std::string folder = base::folderPart(path);
    if (!folder.empty() && base::folderExists(folder))
        return folder;
    const auto last = last_.find(kind);
    return last == last_.end() ? std::string() : last->second;
}

void StartFolders::remember(FileKind kind, const std::string& folder)
{
    if (!folder.empty())
        last_[kind] = folder;
}

std::optional<std::string> StartFolders::openFile(const OpenFileRequest& request)
{
    if (request.kind == FileKind::Unremembered)
        return inner_.openFile(request);
    OpenFileRequest started = request;
    started.initialDir = startFolder(request.kind, request.initialDir);
    const auto chosen = inner_.openFile(started);
    if (chosen)
        remember(request.kind, base::folderPart(*chosen));
    return chosen;
}

std::optional<SaveFileAnswer> StartFolders::saveFile(const SaveFileRequest& request)
{
    if (request.kind == FileKind::Unremembered)
        return inner_.saveFile(request);
    SaveFileRequest started = request;
    started.initialDir = startFolder(request.kind, request.initialDir);
    const auto answer = inner_.saveFile(started);
    if (answer)
        remember(request.kind, base::folderPart(answer->path));
    return answer;
}

std::optional<std::string> StartFolders::browseFolder(const std::string& caption, const std::string& current)
{
    const auto chosen = inner_.browseFolder(caption, startFolder(FileKind::Folders, current));
    if (chosen)
        remember(FileKind::Folders, *chosen);
    return chosen;
}

} // namespace ferrowind
