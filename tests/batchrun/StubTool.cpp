// Stands in for the compile tools, the game, the decompiler and the program itself in end-to-end tests; on
// Windows also for Notepad and shutdown.exe, so that the command interpreter opens and powers off nothing.
// Its name is the one it was started by, without a folder.
// Environment:
//   STUB_RECORD   file that gets one line per run: name, working folder and arguments, tab-separated
//   STUB_CONTROL  file of "name code" lines; a run takes the first line for its name (removing it) and
//                 exits with that code; without one it exits with 0
//   STUB_OUTPUTS  suffixes, blank-separated, of the files a successful run creates next to an absolute
//                 first argument (its extension dropped); a failed run creates ".err" there instead, and
//                 every such run appends to ".log"; given a log or error file, a run only records
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

int takeExitCode(const std::string& controlFile, const std::string& name)
{
    if (controlFile.empty())
        return 0;
    std::ifstream in(controlFile);
    std::vector<std::string> lines;
    int code = 0;
    bool taken = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string who;
        int value = 0;
        if (!taken && words >> who >> value && who == name) {
            code = value;
            taken = true;
            continue;
        }
        lines.push_back(line);
    }
    in.close();
    std::ofstream out(controlFile, std::ios::trunc);
    for (const std::string& line : lines)
        out << line << '\n';
    return code;
}

void touch(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::app | std::ios::binary) << text << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    const std::string name = fs::path(argv[0]).filename().string();
    const std::string record = variable("STUB_RECORD");
    if (!record.empty()) {
        std::ofstream out(record, std::ios::app | std::ios::binary);
        out << name << '\t' << fs::current_path().string();
        for (int i = 1; i < argc; ++i)
            out << '\t' << argv[i];
        out << '\n';
    }
    const int code = takeExitCode(variable("STUB_CONTROL"), name);
    // Given a log, it is the viewer: it only records.
    const std::string extension = argc > 1 ? fs::path(argv[1]).extension().string() : "";
    if (argc > 1 && fs::path(argv[1]).is_absolute() && extension != ".log" && extension != ".err") {
        fs::path base(argv[1]);
        base.replace_extension();
        touch(base.string() + ".log", name + " exit " + std::to_string(code));
        if (code != 0) {
            touch(base.string() + ".err", name + " failed");
        } else {
            std::istringstream suffixes(variable("STUB_OUTPUTS"));
            for (std::string suffix; suffixes >> suffix;)
                touch(base.string() + suffix, name);
        }
    }
    return code;
}
