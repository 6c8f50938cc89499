#include "batchrun/Commands.h"

#include "base/AtomicFile.h"
#include "base/Text.h"
#include "batchrun/ProgramLookup.h"
#include "batchrun/Words.h"

#include <filesystem>

namespace batchrun {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr std::string_view kFolderEnds = "/\\";
#else
constexpr std::string_view kFolderEnds = "/";
#endif

std::vector<std::string> pathWords(std::string_view rest)
{
    std::vector<std::string> paths;
    for (const std::string& word : splitCommandWords(rest)) {
        if (!isSwitch(word))
            paths.push_back(withoutQuotes(word));
    }
    return paths;
}

Outcome failed(Context& context, std::string_view message)
{
    context.console.err << message << '\n';
    context.session.errorLevel = 1;
    return Outcome::failure();
}

} // namespace

Outcome changeFolder(Context& context, std::string_view rest)
{
    std::string_view text = trimLeadingDelimiters(rest);
    if (text.size() >= 2 && base::equalsIgnoringCase(text.substr(0, 2), "/d"))
        text = trimLeadingDelimiters(text.substr(2));
    const std::string path = std::string(trimBlanks(withoutQuotes(text)));
    if (path.empty()) {
        context.console.out << context.session.folder << '\n';
        return Outcome::success();
    }
    std::string target = resolvePath(path, context.session.folder);
    std::error_code error;
    if (!fs::is_directory(target, error))
        return failed(context, "The system cannot find the path specified.");
    while (target.size() > 1 && kFolderEnds.find(target.back()) != std::string_view::npos)
        target.pop_back();
    context.session.folder = target;
    return Outcome::success();
}

Outcome copy(Context& context, std::string_view rest)
{
    const std::vector<std::string> paths = pathWords(rest);
    if (paths.empty() || paths.size() > 2)
        return failed(context, "The syntax of the command is incorrect.");
    const fs::path source = resolvePath(paths[0], context.session.folder);
    const std::string target = paths.size() > 1 ? paths[1] : std::string(".");
    fs::path destination = resolvePath(target, context.session.folder);
    std::error_code error;
    if (fs::is_directory(destination, error) ||
        (!target.empty() && kFolderEnds.find(target.back()) != std::string_view::npos))
        destination /= source.filename();
    if (!fs::is_regular_file(source, error)) {
        context.console.out << "        0 file(s) copied.\n";
        return failed(context, "The system cannot find the file specified.");
    }
    if (fs::equivalent(source, destination, error)) {
        context.console.out << "        0 file(s) copied.\n";
        return failed(context, "The file cannot be copied onto itself.");
    }
    // One copy for both systems: the standard library's overwriting copy fails on an existing file under MinGW.
    try {
        base::copyFileAtomically(source.string(), destination.string());
    } catch (const base::WriteError& copyError) {
        context.console.out << "        0 file(s) copied.\n";
        return failed(context, copyError.what());
    }
    context.console.out << "        1 file(s) copied.\n";
    context.host.fileCopied(source.string(), destination.string());
    context.session.errorLevel = 0;
    return Outcome::success();
}

Outcome deleteFiles(Context& context, std::string_view rest)
{
    const std::vector<std::string> paths = pathWords(rest);
    if (paths.empty())
        return failed(context, "The syntax of the command is incorrect.");
    for (const std::string& path : paths) {
        const std::string file = resolvePath(path, context.session.folder);
        std::error_code error;
        if (path.find_first_of("*?") != std::string::npos || fs::is_directory(file, error)) {
            unsupported(context, "deleting more than one file ('" + path + "')");
            continue;
        }
        if (!fs::is_regular_file(file, error)) {
            context.console.err << "Could Not Find " << file << '\n';
            continue;
        }
        if (!fs::remove(file, error))
            context.console.err << file << ": " << error.message() << '\n';
    }
    return Outcome::success();
}

} // namespace batchrun
