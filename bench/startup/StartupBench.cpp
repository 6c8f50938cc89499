// Starts `ferrowind <map> +run` and the bare three-tab program side by side, pair after pair, offscreen, and
// reports the median wall time and peak memory of each and their ratios. The bare program runs twice per pair:
// with its window shown (the yardstick: a window's text laid out and drawn once) and only built (--hidden),
// which never loads a font. The desktop program runs from a
// throw-away program folder with a configuration whose tools exist and a terminal that does nothing.
//
//   startup_bench <ferrowind> <bare_tabs> [pairs]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
    double seconds = 0;
    double mebibytes = 0;
};

struct Runs {
    std::vector<double> seconds;
    std::vector<double> mebibytes;
};

Run measure(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", argv[0], status);
        std::exit(1);
    }
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <ferrowind> <bare_tabs> [pairs]\n");
        return 2;
    }
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 15;
    const fs::path work = fs::temp_directory_path() / ("ferrowind-startup-" + std::to_string(getpid()));
    const fs::path program = work / "bin" / "ferrowind";
    fs::create_directories(program.parent_path());
    fs::copy_file(argv[1], program);
    writeFile(work / "maps" / "box.map", "");
    std::string ini = "[GSPATH]\r\n";
    for (const char* tool : {"CSG", "BSP", "VIS", "RAD", "hl"}) {
        writeFile(work / "tools" / tool, "");
        ini += std::string(tool) + "=" + (work / "tools" / tool).string() + "\r\n";
    }
    fs::create_directories(work / "wad");
    fs::create_directories(work / "out");
    ini += "WADroot=" + (work / "wad").string() + "\r\nBSPout=" + (work / "out").string() + "\r\n";
    writeFile(work / "bin" / "Ferrowind" / "Configurations.ini", ini);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TERMINAL", "/bin/true", 1);

    const std::vector<std::string> ferrowind = {program.string(), (work / "maps" / "box.map").string(), "+run"};
    const std::vector<std::string> shown = {argv[2]};
    const std::vector<std::string> hidden = {argv[2], "--hidden"};
    std::vector<Runs> runs(3);
    for (int i = -1; i < pairs; ++i) { // the first round warms the file cache
        const Run round[] = {measure(ferrowind), measure(shown), measure(hidden)};
        for (size_t p = 0; i >= 0 && p < runs.size(); ++p) {
            runs[p].seconds.push_back(round[p].seconds);
            runs[p].mebibytes.push_back(round[p].mebibytes);
        }
    }
    fs::remove_all(work);

    const char* names[] = {"ferrowind <map> +run", "bare three-tab window, shown", "bare, built only (--hidden)"};
    std::printf("median of %d pairs, offscreen       wall time    peak memory    against ferrowind\n", pairs);
    const double ownTime = median(runs[0].seconds), ownMemory = median(runs[0].mebibytes);
    for (size_t p = 0; p < runs.size(); ++p) {
        const double time = median(runs[p].seconds), memory = median(runs[p].mebibytes);
        std::printf("%-32s %7.3f s    %6.1f MiB", names[p], time, memory);
        if (p > 0)
            std::printf("     %.2f x time, %.2f x memory", ownTime / time, ownMemory / memory);
        std::printf("\n");
    }
    return 0;
}
